// The month page (layout, painting, hit testing) and the month calendar
// control built on it.
#include <algorithm>
#include <cmath>

#include "platform/comctrls/comctrls_datetime.h"

SYSTEMTIME DateTimeToSystemTime(TDateTime Value) {
  SYSTEMTIME st;
  DecodeDate(Value, st.wYear, st.wMonth, st.wDay);
  DecodeTime(Value, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
  st.wDayOfWeek = static_cast<WORD>(DayOfWeek(Value) - 1);
  return st;
}

TDateTime SystemTimeToDateTime(const SYSTEMTIME& Value) {
  return EncodeDate(Value.wYear, Value.wMonth, Value.wDay) +
         EncodeTime(Value.wHour, Value.wMinute, Value.wSecond, Value.wMilliseconds);
}

namespace {

constexpr int TitleRows = 1;  // the month and year with the arrows
constexpr int HeadRows = 1;   // the day names

struct TCells {
  int CellW, CellH, Top;  // Top: where the day grid starts
};

TCells CellsOf(const TRect& B) {
  TCells c;
  c.CellW = std::max(1, B.Width() / 7);
  c.CellH = std::max(1, B.Height() / (6 + TitleRows + HeadRows));
  c.Top = B.top + c.CellH * (TitleRows + HeadRows);
  return c;
}

TDateTime DateOnly(TDateTime D) { return std::floor(D + 1e-9); }

}  // namespace

void TMonthPage::SetDate(TDateTime Value) {
  FDate = DateOnly(Value);
  Word y, m, d;
  DecodeDate(FDate, y, m, d);
  FYear = y;
  FMonth = m;
}

void TMonthPage::ShiftMonth(int Months) { SetDate(IncMonth(FDate, Months)); }

TDateTime TMonthPage::GridStart() const {
  TDateTime first = EncodeDate(static_cast<Word>(FYear), static_cast<Word>(FMonth), 1);
  int back = (DayOfWeek(first) + 5) % 7;  // days since Monday
  return first - back;
}

TSize TMonthPage::Measure(HDC DC) {
  SIZE s{};
  GetTextExtentPoint32A(DC, "00", 2, &s);
  int w = std::max<int>(s.cx + 10, 24), h = std::max<int>(s.cy + 4, 16);
  return TSize{w * 7, h * (6 + TitleRows + HeadRows)};
}

void TMonthPage::Paint(HDC DC, const TRect& B, bool Focused) {
  TCells c = CellsOf(B);
  RECT all = B;
  FillRect(DC, &all, GetSysColorBrush(COLOR_WINDOW));
  SetBkMode(DC, TRANSPARENT);
  // Title: the month's name and the year between the arrows.
  RECT title{B.left, B.top, B.right, B.top + c.CellH};
  FillRect(DC, &title, GetSysColorBrush(COLOR_BTNFACE));
  SetTextColor(DC, GetSysColor(COLOR_BTNTEXT));
  AnsiString caption = LongMonthNames[static_cast<std::size_t>(FMonth)] + " " + IntToStr(FYear);
  DrawTextA(DC, caption.c_str(), static_cast<int>(caption.size()), &title, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  RECT prev{B.left + 2, B.top + 2, B.left + c.CellH - 2, B.top + c.CellH - 2};
  RECT next{B.right - c.CellH + 2, B.top + 2, B.right - 2, B.top + c.CellH - 2};
  DrawFrameControl(DC, &prev, DFC_SCROLL, DFCS_SCROLLLEFT);
  DrawFrameControl(DC, &next, DFC_SCROLL, DFCS_SCROLLRIGHT);
  // Day names, Monday first (ShortDayNames counts from Sunday).
  SetTextColor(DC, GetSysColor(COLOR_HIGHLIGHT));
  for (int i = 0; i < 7; ++i) {
    RECT r{B.left + i * c.CellW, B.top + c.CellH, B.left + (i + 1) * c.CellW, c.Top};
    const AnsiString& n = ShortDayNames[static_cast<std::size_t>(1 + (i + 1) % 7)];
    DrawTextA(DC, n.c_str(), static_cast<int>(n.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  HGDIOBJ op = SelectObject(DC, pen);
  MoveToEx(DC, B.left + 2, c.Top - 1, nullptr);
  LineTo(DC, B.right - 2, c.Top - 1);
  SelectObject(DC, op);
  DeleteObject(pen);
  // The days: other months' days grey, the selected one highlighted.
  TDateTime d = GridStart();
  TDateTime today = DateOnly(Date());
  for (int row = 0; row < 6; ++row) {
    for (int col = 0; col < 7; ++col, d += 1) {
      Word y, m, day;
      DecodeDate(d, y, m, day);
      RECT r{B.left + col * c.CellW, c.Top + row * c.CellH, B.left + (col + 1) * c.CellW, c.Top + (row + 1) * c.CellH};
      bool selected = std::fabs(d - FDate) < 0.5;
      if (selected) {
        FillRect(DC, &r, GetSysColorBrush(Focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
        SetTextColor(DC, GetSysColor(Focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
      } else {
        SetTextColor(DC, GetSysColor(m == FMonth ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
      }
      AnsiString t = IntToStr(day);
      DrawTextA(DC, t.c_str(), static_cast<int>(t.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      if (std::fabs(d - today) < 0.5) {
        HBRUSH red = CreateSolidBrush(RGB(200, 0, 0));
        FrameRect(DC, &r, red);
        DeleteObject(red);
      }
    }
  }
}

TMonthPage::THit TMonthPage::HitTest(const TRect& B, int X, int Y, TDateTime& Date) const {
  TCells c = CellsOf(B);
  if (X < B.left || X >= B.right || Y < B.top || Y >= B.bottom) return htNone;
  if (Y < B.top + c.CellH) {
    if (X < B.left + c.CellH) return htPrev;
    if (X >= B.right - c.CellH) return htNext;
    return htTitle;
  }
  if (Y < c.Top) return htNone;
  int col = (X - B.left) / c.CellW, row = (Y - c.Top) / c.CellH;
  if (col > 6 || row > 5) return htNone;
  Date = GridStart() + row * 7 + col;
  return htDay;
}

// ---- TMonthCalendar --------------------------------------------------------------------
TMonthCalendar::TMonthCalendar(TComponent* AOwner) : TCustomControl(AOwner) {
  FPage.SetDate(Date());
  SetTabStop(true);
  FColor = clWindow;
  FParentColor = false;
  SetBounds(0, 0, 191, 154);
}

void TMonthCalendar::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.WinClassName = "SysMonthCal32";
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TMonthCalendar::SetDate(TDateTime Value) {
  FPage.SetDate(Value);
  Invalidate();
}

void TMonthCalendar::NextMonth() {
  FPage.ShiftMonth(1);
  Invalidate();
}
void TMonthCalendar::PrevMonth() {
  FPage.ShiftMonth(-1);
  Invalidate();
}

void TMonthCalendar::UserSelect(TDateTime Value) {
  TDateTime old = FPage.GetDate();
  FPage.SetDate(Value);
  Invalidate();
  if (std::fabs(old - FPage.GetDate()) < 0.5) return;
  if (HandleAllocated() && GetParent() && GetParent()->HandleAllocated()) {
    NMHDR h{FHandle, static_cast<UINT_PTR>(GetWindowLongPtrA(FHandle, GWL_ID)), MCN_SELCHANGE};
    SendMessageA(GetParent()->Handle(), WM_NOTIFY, h.idFrom, reinterpret_cast<LPARAM>(&h));
  }
  if (OnChange) OnChange(this);
}

void TMonthCalendar::Paint() {
  // The page draws on the context directly: the control's font goes in first.
  Canvas()->GetFont()->Assign(GetFont());
  Canvas()->RequireState(false, false, true);
  FPage.Paint(Canvas()->GetHandle(), GetClientRect(), Focused());
}

void TMonthCalendar::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTARROWS;
    return;
  }
  if (Message.Msg == WM_SETFOCUS || Message.Msg == WM_KILLFOCUS) Invalidate();
  TCustomControl::Dispatch(Message);
}

void TMonthCalendar::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  TDateTime d = FPage.GetDate();
  switch (Key) {
    case VK_LEFT: UserSelect(d - 1); break;
    case VK_RIGHT: UserSelect(d + 1); break;
    case VK_UP: UserSelect(d - 7); break;
    case VK_DOWN: UserSelect(d + 7); break;
    case VK_PRIOR: UserSelect(IncMonth(d, -1)); break;
    case VK_NEXT: UserSelect(IncMonth(d, 1)); break;
    default: return;
  }
  Key = 0;
}

void TMonthCalendar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (CanFocus() && !Focused()) SetFocus();
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  TDateTime d = 0;
  switch (FPage.HitTest(GetClientRect(), X, Y, d)) {
    case TMonthPage::htPrev: PrevMonth(); break;
    case TMonthPage::htNext: NextMonth(); break;
    case TMonthPage::htDay:
      UserSelect(d);
      // A click is a choice made, even of the day already selected.
      if (HandleAllocated() && GetParent() && GetParent()->HandleAllocated()) {
        NMHDR h{FHandle, static_cast<UINT_PTR>(GetWindowLongPtrA(FHandle, GWL_ID)), MCN_SELECT};
        SendMessageA(GetParent()->Handle(), WM_NOTIFY, h.idFrom, reinterpret_cast<LPARAM>(&h));
      }
      break;
    default: break;
  }
}
