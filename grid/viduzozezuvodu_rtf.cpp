// RTF cells: loading a cell into a rich edit and rendering it through the
// grid's hidden rich edit into any canvas.
#include <cmath>

#include "grid/radoriz_geom.h"
#include "grid/viduzozezuvodu.h"
#include "grid/zytrichedit.h"
#include "platform/comctrls/comctrls_richedit.h"
#include "platform/graphics/gdi.h"
#include "platform/richtext/richtext_layout.h"
#include "platform/rtl/classes_streams.h"

TRect RTFTwipsRect(const TRect& R, int MarginX, int MarginY, int ResX, int ResY) {
  const double RX = ResX > 0 ? ResX : 96, RY = ResY > 0 ? ResY : 96;
  const long L = std::lround((R.left + MarginX) / RX * 1440);
  const long T = std::lround((R.top + MarginY) / RY * 1440);
  const long W = std::lround((R.Width() - 2 * MarginX) / RX * 1440);
  const long H = std::lround((R.Height() - 2 * MarginY) / RY * 1440);
  return TRect(static_cast<int>(L), static_cast<int>(T), static_cast<int>(L + W), static_cast<int>(T + H));
}

TRichEdit* VIduZozezuVodu::GetInternalRichEdit() {
  TRichEdit*& RE = FTextPaint.RichEdit;
  if (!RE) {
    auto* Z = new TZytRichEdit(this);
    Z->Measuring = true;
    RE = Z;
    RE->SetVisible(false);
    RE->SetBounds(0, 0, 0, 0);
  }
  // A window is needed to render through; the grid holds it once it has one.
  if (!RE->GetParent() && HandleAllocated()) RE->SetParent(this);
  return RE;
}

void VIduZozezuVodu::CellToRich(int ACol, int ARow, TRichEdit* RichEdit) {
  const AnsiString S = GetCellEx(ACol, ARow);
  if (S.empty()) {
    RichEdit->Clear();
    return;
  }
  TMemoryStream MS;
  MS.Write(S.data(), static_cast<int>(S.size()));
  MS.SetPosition(0);
  RichEdit->GetLines()->LoadFromStream(&MS);
}

void VIduZozezuVodu::RTFPaint(int ACol, int ARow, TCanvas* Canvas, TRect R) {
  if (GetComponentState() & csDesigning) return;
  TRichEdit* RE = GetInternalRichEdit();
  CellToRich(ACol, ARow, RE);
  RE->GetBrush()->SetStyle(bsClear);
  HDC DC = Canvas->GetHandle();

  if (GetMapMode(DC) == MM_TEXT && !FTextPaint.SelectionRTFKeep && SelectionTextColor != clNone) {
    const int DCol = RemapColInv(ACol);
    TGridRect S = GetSelectionEx();
    if (S.Left > S.Right) std::swap(S.Left, S.Right);
    if (S.Top > S.Bottom) std::swap(S.Top, S.Bottom);
    const bool FocusedCurrent =
        DCol == GetCol() && ARow == GetRow() && Focused() && !(GetOptions() & goDrawFocusSelected);
    TMouseActions* MA = FMouseActions;
    const bool Shown = (IsInGridRect(S, DCol, ARow) && !FocusedCurrent && !MA->GetDisjunctRowSelect()) ||
                       (MA->GetDisjunctRowSelect() && RowFlagAt(ARow)) ||
                       (MA->GetDisjunctColSelect() && GetColSelect(DCol));
    if (Shown) {
      // The whole text, however long.
      RE->SetSelStart(0);
      RE->SetSelLength(RE->GetDocument()->GetCharCount());
      RE->GetSelAttributes()->SetColor(SelectionTextColor);
    }
  }

  POINT Corners[2] = {{R.left, R.top}, {R.right, R.bottom}};
  LPtoDP(DC, Corners, 2);
  const TRect DevR(Corners[0].x, Corners[0].y, Corners[1].x, Corners[1].y);
  POINT Margin[2] = {{0, 0}, {FXYOffset.x, FXYOffset.y}};
  DPtoLP(DC, Margin, 2);
  const int ResX = GetDeviceCaps(DC, LOGPIXELSX), ResY = GetDeviceCaps(DC, LOGPIXELSY);
  const int MX = MulDiv(Margin[1].x - Margin[0].x, ResX, 96);
  const int MY = MulDiv(Margin[1].y - Margin[0].y, ResY, 96);

  FORMATRANGE FR{};
  FR.hdc = DC;
  FR.hdcTarget = DC;
  const TRect Twips = RTFTwipsRect(DevR, MX, MY, ResX, ResY);
  FR.rc = {Twips.left, Twips.top, Twips.right, Twips.bottom};
  FR.rcPage = FR.rc;
  FR.chrg = {0, -1};
  const int OldMode = SetMapMode(DC, MM_TEXT);
  if (RE->HandleAllocated() || RE->GetParent()) {
    HWND H = RE->GetHandle();
    SendMessageA(H, EM_FORMATRANGE, 1, reinterpret_cast<LPARAM>(&FR));
    SendMessageA(H, EM_FORMATRANGE, 0, 0);
  } else {
    // Without a window of the grid the document renders the same way.
    RichFormatRange(*RE->GetDocument(), Canvas, Twips, 0, -1, true);
  }
  SetMapMode(DC, OldMode);
}
