// The grid's own pointer modes and their cursors (row, column and
// select-all arrows, the cell-select mark), the hand over links, and the
// pointer messages behind them.
#include <mutex>

#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"
#include "grid/vzvhtmle.h"
#include "platform/graphics/resources.h"

namespace {

constexpr int RowSelectCursor = 8010, ColSelectCursor = 8011, AllSelectCursor = 8012, CellSelectCursor = 8014;

// A small black arrow pointing along (DX, DY), or a cross-hair mark for
// the cell-select cursor, on a 16 x 16 picture; outside it the mask shows
// what lies below.
HCURSOR MakeModeCursor(int Id) {
  HBITMAP color = CreateBitmap(16, 16, 1, 32, nullptr);
  HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
  HDC cdc = CreateCompatibleDC(nullptr), mdc = CreateCompatibleDC(nullptr);
  HGDIOBJ oc = SelectObject(cdc, color), om = SelectObject(mdc, mask);
  RECT all{0, 0, 16, 16};
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255)), black = CreateSolidBrush(RGB(0, 0, 0));
  FillRect(cdc, &all, black);
  FillRect(mdc, &all, white);
  auto Dot = [&](int x, int y) {
    RECT r{x, y, x + 1, y + 1};
    FillRect(mdc, &r, black);
  };
  for (int i = 0; i < 16; ++i) {
    switch (Id) {
      case RowSelectCursor:  // pointing right
        if (i < 6) for (int y = 8 - i; y <= 8 + i; ++y) Dot(15 - 6 + i, y);
        if (i >= 2 && i < 10) for (int y = 7; y <= 9; ++y) Dot(i - 2, y);
        break;
      case ColSelectCursor:  // pointing down
        if (i < 6) for (int x = 8 - i; x <= 8 + i; ++x) Dot(x, 15 - 6 + i);
        if (i >= 2 && i < 10) for (int x = 7; x <= 9; ++x) Dot(x, i - 2);
        break;
      case AllSelectCursor:  // pointing down and right
        if (i < 12) Dot(i, i), Dot(i + 1, i), Dot(i, i + 1);
        if (i >= 8 && i < 14) Dot(i, 13), Dot(13, i);
        break;
      default:  // cell select: a plus
        Dot(i, 8), Dot(8, i);
        break;
    }
  }
  SelectObject(cdc, oc);
  SelectObject(mdc, om);
  DeleteDC(cdc);
  DeleteDC(mdc);
  DeleteObject(white);
  DeleteObject(black);
  HCURSOR c = CreateIconFromBitmaps(color, mask, 8, 8);
  DeleteObject(color);
  DeleteObject(mask);
  return c;
}

void RegisterModeCursors() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int id : {RowSelectCursor, ColSelectCursor, AllSelectCursor, CellSelectCursor})
      RegisterCursorWithId(id, [id] { return MakeModeCursor(id); });
  });
}

void SetModuleCursor(int Id) {
  RegisterModeCursors();
  ::SetCursor(LoadCursor(HInstance, MAKEINTRESOURCE(Id)));
}

}  // namespace

bool VIduZozezuVodu::DispatchPointer(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE: WMSize(Message); return true;
    case WM_SETCURSOR: WMSetCursor(Message); return true;
    case CM_MOUSELEAVE: CMMouseLeave(Message); return true;
    case CM_CURSORCHANGED: CMCursorChanged(Message); return true;
    default: return false;
  }
}

void VIduZozezuVodu::WMSetCursor(TMessage& Msg) {
  POINT SP{0, 0};
  GetCursorPos(&SP);
  const TPoint P = ScreenToClient(TPoint(SP));
  // Over the scroll bars the modes end.
  if (MouseZone == 2 && GetVisibleColCount() < GetColCount() && P.y > GetHeight() - GetSystemMetrics(SM_CYHSCROLL))
    MouseZone = 0;
  if (MouseZone == 1 && GetVisibleRowCount() < GetRowCount() && P.x > GetWidth() - GetSystemMetrics(SM_CXVSCROLL))
    MouseZone = 0;
  const TGridState State = GetGridState();
  const bool Sizing = State == gsColSizing || State == gsRowSizing;
  if (MouseZone != 0 && !Sizing) {
    SetModuleCursor(MouseZone == 1 ? ColSelectCursor : MouseZone == 2 ? RowSelectCursor : AllSelectCursor);
    Msg.Result = 1;
  } else if (CellSelectMode) {
    SetModuleCursor(CellSelectCursor);
    Msg.Result = 1;
  } else {
    TBaseGrid::Dispatch(Msg);
  }
  if (Screen && (FixedColSizeHot || FixedColSizing)) {
    ::SetCursor(Screen->GetCursors(crHSplit));
    Msg.Result = 1;
  }
  if (Screen && (FixedRowSizeHot || FixedRowSizing)) {
    ::SetCursor(Screen->GetCursors(crVSplit));
    Msg.Result = 1;
  }
}

void VIduZozezuVodu::CMCursorChanged(TMessage& Msg) {
  TBaseGrid::Dispatch(Msg);
  if (!CursorSetByGrid) MouseZone = 0;
  CursorSetByGrid = false;
}

// The hand over a URL cell or an HTML anchor, with the anchor's enter and
// exit events; true when the cursor was claimed.
bool VIduZozezuVodu::HandCursor(int ACol, int ARow, int X, int Y) {
  if (ACol < 0 || ARow < 0 || ACol >= GetColCount() || ARow >= GetRowCount()) return false;
  const int RC = RemapCol(ACol);
  const AnsiString S = GetCellEx(RC, ARow);
  auto Hand = [this] {
    if (GetCursor() != crHandPoint) {
      CursorSetByGrid = true;
      SetCursor(crHandPoint);
    }
  };
  const TTextType Kind = TextType(S, GetEnableHTML());
  if (Kind != ttHTML) {
    if (FURLShow && IsURL(S)) {
      Hand();
      return true;
    }
    return false;
  }
  if (!HandleAllocated()) return false;
  TRect R = CellRect(ACol, ARow);
  const TPoint XY = GetXYOffset();
  OffsetRect(&R, XY.x + 1, XY.y + 1);
  if (HasCheckBox(RC, ARow)) OffsetRect(&R, FControlLook->GetCheckSize(), 0);
  AnsiString Anchor, Stripped, FocusAnchor, AnchorHint, CID, CV, CT;
  int XSize = 0, YSize = 0, Links = 0, MouseLink = 0;
  TRect HoverR, CtrlRect;
  const bool OnAnchor =
      HTMLDrawEx(Canvas(), S, R, FGridImages, X, Y, -1, -1, 1, true, false, false, false, false, false, true, false,
                 1.0, FURLColor, clNone, clNone, 0x808080, Anchor, Stripped, FocusAnchor, AnchorHint, XSize, YSize,
                 Links, MouseLink, HoverR, CtrlRect, CID, CV, CT, nullptr, nullptr, 0) &&
      !Anchor.empty();
  if (OnAnchor) {
    Hand();
    if (Anchor != LastAnchor) {
      if (OnAnchorEnter) OnAnchorEnter(this, ARow, ACol, Anchor);
      LastAnchor = Anchor;
    }
    return true;
  }
  if (!LastAnchor.empty()) {
    if (OnAnchorExit) OnAnchorExit(this, ARow, ACol, "");
    LastAnchor.clear();
  }
  return false;
}
