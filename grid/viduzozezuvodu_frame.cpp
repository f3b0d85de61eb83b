// Window life, loading, assignment and the environment checks of the grid.
#include <vector>

#include "controls/zytstyleif.h"
#include "grid/viduzozezuvodu.h"
#include "grid/zytxpvs.h"
#include "platform/settings/fileversion.h"
#include "platform/windows/winuser.h"

namespace {

// File version (major << 16 | minor) of a module, -1 without a version block.
int GetDllVersion(const char* FileName) {
  DWORD Handle = 0;
  DWORD Size = GetFileVersionInfoSizeA(FileName, &Handle);
  if (Size == 0) return -1;
  std::vector<unsigned char> Block(Size);
  if (!GetFileVersionInfoA(FileName, Handle, Size, Block.data())) return -1;
  void* Info = nullptr;
  UINT Len = 0;
  if (!VerQueryValueA(Block.data(), "\\", &Info, &Len) || Len < sizeof(VS_FIXEDFILEINFO)) return -1;
  return static_cast<int>(static_cast<const VS_FIXEDFILEINFO*>(Info)->dwFileVersionMS);
}

bool ThemedSystem() {
  OSVERSIONINFOA V{};
  V.dwOSVersionInfoSize = sizeof(V);
  if (!GetVersionExA(&V)) return false;
  return V.dwMajorVersion > 5 || (V.dwMajorVersion == 5 && V.dwMinorVersion > 0);
}

}  // namespace

std::function<bool()> VIduZozezuVodu::DatePickersQuery;

bool VIduZozezuVodu::DatePickersAvailable() {
  static const bool Available = GetDllVersion("comctl32.dll") > 0x00040045;
  return DatePickersQuery ? DatePickersQuery() : Available;
}

void VIduZozezuVodu::ComputeEnvironment() {
  FIsThemed = ThemedSystem();
  FIsVista = IsVista();
  int V = GetDllVersion("COMCTL32.DLL");
  FIsComCtl6 = V != -1 && ((V >> 16) & 0xFF) > 5;
}

void VIduZozezuVodu::OnMouseActionsChanged(TObject*) {}
void VIduZozezuVodu::OnNavigationChanged(TObject*) {}

void VIduZozezuVodu::CreateWnd() {
  if (FDestroying) return;
  TStringGrid::CreateWnd();
  // Themed drawing needs the visual styles switched on, not just a system
  // that has them.
  FIsThemed = ThemedSystem() && zytxpvs::ThemesActive();
  if (!GetParent()) return;
  if (FColumnSize->Save) LoadColSizes();
  SetTimer(Handle(), GridTimerId, GridTimerInterval, nullptr);
}

// The window's timers go with the window.
void VIduZozezuVodu::DestroyWnd() { TStringGrid::DestroyWnd(); }

void VIduZozezuVodu::Invalidate() {
  if (FInvalidateSuppressed) {
    FInvalidateSuppressed = false;
    return;
  }
  TStringGrid::Invalidate();
  UpdateFooter();
}

void VIduZozezuVodu::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  int DRH = GetDefaultRowHeight();
  if (FIntegralHeight && FUpdateCount == 0 && DRH > 0) {
    int S = GetVisibleColCount() + GetFixedCols() < GetColCount() ? GetSystemMetrics(SM_CYHSCROLL) : 0;
    int B = GetBorderStyle() == bsSingle ? 2 : 0;
    int H = AHeight - S - B;
    H -= H % DRH;
    AHeight = H + S + 2 * B;
  }
  TStringGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void VIduZozezuVodu::Loaded() {
  TStringGrid::Loaded();
  if (FColumnSize->Save) LoadColSizes();
  FLoadedFixedRows = GetFixedRows();
  FLoadedFixedCols = GetFixedCols();
  FMaxRowCount = GetRowCount();
  FMinAutoRowHeight = GetDefaultRowHeight();
  FMinAutoColWidth = 10;
  FDragDropSettings->LoadedIntoTarget();
  ShowColumnHeaders();
  ShowRowHeaders();
  if (FAutoThemeAdapt) ThemeAdapt();
  // The always-shown editor is the navigation's setting in this grid.
  if (GetOptions() & goAlwaysShowEditor) {
    FNavigation->AlwaysEdit = true;
    SetOptions(GetOptions() & ~static_cast<TGridOptions>(goAlwaysShowEditor));
  }
  UpdateVScroller();
  UpdateHScroller();
  UpdateScrollBars();
  if (FBalloon->GetEnable()) BalloonInit();
}

void VIduZozezuVodu::Assign(TPersistent* Source) {
  auto* G = dynamic_cast<VIduZozezuVodu*>(Source);
  if (!G) return;
  GetFont()->Assign(G->GetFont());
  SetActiveCellColor(G->GetActiveCellColor());
  FActiveCellFont->Assign(G->FActiveCellFont);
  SetActiveCellShow(G->GetActiveCellShow());
  SetActiveRowShow(G->GetActiveRowShow());
  SetAlign(G->GetAlign());
  FMouseActions->Assign(G->FMouseActions);
  FNavigation->Assign(G->FNavigation);
  FPrintSettings->Assign(G->FPrintSettings);
  FHTMLSettings->Assign(G->FHTMLSettings);
  FCellNode->Assign(G->FCellNode);
  FColumnSize->Assign(G->FColumnSize);
  FOfficeHint->Assign(G->FOfficeHint.get());
  FFixedRowAlways = G->FFixedRowAlways;
  SetColCountEx(G->GetColCount());
  SetRowCountEx(G->GetRowCount());
  SetFixedRowsEx(G->GetFixedRows());
  SetFixedColsEx(G->GetFixedCols());
  SetDefaultColWidth(G->GetDefaultColWidth());
  SetDefRowHeightEx(G->GetDefaultRowHeight());
  SetFixedRowHeight(G->GetFixedRowHeight());
  SetFixedColWidth(G->GetFixedColWidth());
  SetOptions(G->GetOptions());
  for (int c = 0; c < GetColCount(); ++c) SetColWidths(c, G->GetColWidths(c));
  for (int r = 0; r < GetRowCount(); ++r) SetRowHeights(r, G->GetRowHeights(r));
  SetScrollBars(G->GetScrollBars());
  AssignCells(G);
}
