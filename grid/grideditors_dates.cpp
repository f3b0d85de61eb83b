// The date editors of the grid: the date or time picker and the date-time
// picker with its embedded time part.
#include "grid/grideditors.h"
#include "platform/rtl/sysutils.h"

using namespace grideditors;

// ---- TGridDatePicker ---------------------------------------------------------------------
TGridDatePicker::TGridDatePicker(TComponent* AOwner) : TDateTimePicker(AOwner), FGrid(GridOwner(AOwner)) {}

bool TGridDatePicker::ShowCellText(const AnsiString& Text) {
  TDateTime v = 0;
  if (GetKind() == dtkTime) {
    if (!TryStrToTime(Text, v)) return false;
    SetTime(v);
  } else {
    if (!TryStrToDate(Text, v)) return false;
    SetDate(v);
  }
  return true;
}

void TGridDatePicker::KeyPress(char16_t& Key) {
  if (FGrid->OnKeyPress) FGrid->OnKeyPress(FGrid, Key);
  TDateTimePicker::KeyPress(Key);
}

void TGridDatePicker::KeyDown(WORD& Key, TShiftState Shift) {
  if (!Among(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_END})) {
    TDateTimePicker::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE && !ShowCellText(FGrid->GetCurrentCell())) SetDate(Now());
  auto refused = [&] {
    ShowCellText(GridEditorHooks().ValidatedText(FGrid));
    Repaint();
    Key = 0;
  };
  if (Key == VK_RETURN) {
    if (!Validate(FGrid, GetDisplayText())) {
      refused();
      return;
    }
    ShowCellText(FGrid->GetCurrentCell());
  }
  if (Key == VK_TAB && GridEditorHooks().ShouldHandleTab(FGrid)) {
    if (!Validate(FGrid, GetDisplayText())) {
      refused();
      return;
    }
    if (LeaveByTab(FGrid, Key)) return;
    PostMessageA(FGrid->GetHandle(), WM_KEYDOWN, VK_TAB, 0);
  }
  if (AdvanceOnEnter(FGrid, Key)) return;
  if (!GetDroppedDown()) HandBack(FGrid, Key, Shift);
}

void TGridDatePicker::DoExit() {
  Exit(FGrid);
  TDateTimePicker::DoExit();
}

// Two frames in the window colour over the outer edge hide the 3-D border.
void TGridDatePicker::DrawFrames() {
  if (!HandleAllocated()) return;
  HWND h = GetHandle();
  HDC dc = GetWindowDC(h);
  if (!dc) return;
  RECT r{};
  GetWindowRect(h, &r);
  OffsetRect(&r, -r.left, -r.top);
  HBRUSH b = CreateSolidBrush(ColorToRGB(clWindow));
  FrameRect(dc, &r, b);
  InflateRect(&r, -1, -1);
  FrameRect(dc, &r, b);
  DeleteObject(b);
  ReleaseDC(h, dc);
}

void TGridDatePicker::WndProc(TMessage& Message) {
  TDateTimePicker::WndProc(Message);
  if (Message.Msg == WM_NCPAINT) DrawFrames();
}

void TGridDatePicker::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_WANTSPECIALKEY:
      TDateTimePicker::Dispatch(Message);
      WantSpecialKey(Message, GridEditorHooks().ShouldHandleTab(FGrid));
      return;
    case WM_NCPAINT:
      TDateTimePicker::Dispatch(Message);
      DrawFrames();
      return;
  }
  TDateTimePicker::Dispatch(Message);
}

// ---- TGridDateTimePicker -----------------------------------------------------------------
TGridDateTimePicker::TGridDateTimePicker(TComponent* AOwner)
    : TZytDateTimePicker(AOwner), FGrid(dynamic_cast<VIduZozezuVodu*>(AOwner)) {}

void TGridDateTimePicker::KeyDown(WORD& Key, TShiftState Shift) {
  if (!FGrid) {
    TZytDateTimePicker::KeyDown(Key, Shift);
    return;
  }
  TGridEditorHooks& link = GridEditorHooks();
  if (Key == VK_ESCAPE) {
    SetDate(link.DateTimeEditValue(FGrid));
    link.HideInplaceEdit(FGrid);
    if (FGrid->CanFocus()) FGrid->SetFocus();
    return;
  }
  if (Key == VK_RETURN) {
    link.HideInplaceEdit(FGrid);
    if (FGrid->CanFocus()) FGrid->SetFocus();
    if (FGrid->GetNavigation()->AdvanceOnEnter) {
      Key = 0;
      link.AdvanceEdit(FGrid, FGrid->GetCol(), FGrid->GetRow(), false, true, true, false, true);
    }
    return;
  }
  if (Key == VK_TAB && link.ShouldHandleTab(FGrid)) {
    link.HideInplaceEdit(FGrid);
    if (FGrid->CanFocus()) FGrid->SetFocus();
    FGrid->SetCurrentCell(GetDisplayText());
    link.TabEdit(FGrid, ShiftDown());
    return;
  }
  TZytDateTimePicker::KeyDown(Key, Shift);
}
