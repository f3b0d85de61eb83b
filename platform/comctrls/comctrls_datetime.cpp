// The date-time picker: fields parsed from the display format, editing by
// arrows and digits, the check box, the up-down buttons and the drop-down
// calendar, and the notifications to the parent.
#include <algorithm>
#include <cmath>

#include "platform/comctrls/comctrls_datetime.h"

namespace {

constexpr const char* DropDownClass = "DTPDropDownCalendar";

void RegisterDropDownClass() {
  WNDCLASSA existing;
  if (GetClassInfoA(nullptr, DropDownClass, &existing)) return;
  TWindowClass c;
  c.Name = DropDownClass;
  c.Style = CS_DROPSHADOW | CS_SAVEBITS;
  c.Cursor = LoadCursor(nullptr, MAKEINTRESOURCE(IDC_ARROW));
  RegisterWindowClass(c);
}

bool Editable(char Kind) { return Kind == 'y' || Kind == 'M' || Kind == 'd' || Kind == 'H' || Kind == 'm' || Kind == 's'; }

int DaysIn(int Year, int Month) { return MonthDays[IsLeapYear(static_cast<Word>(Year))][Month]; }

int Wrap(int Value, int Lo, int Hi) {
  int n = Hi - Lo + 1;
  return Lo + (((Value - Lo) % n) + n) % n;
}

constexpr int ButtonWidth = 17;
constexpr int CheckSize = 13;

}  // namespace

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TCustomControl(AOwner) {
  // A new picker shows now, without seconds' fractions.
  TDateTime now = Now();
  Word h, m, s, ms;
  DecodeTime(now, h, m, s, ms);
  FDateTime = std::floor(now) + EncodeTime(h, m, s, 0);
  SetTabStop(true);
  FColor = clWindow;
  FParentColor = false;
  SetBounds(0, 0, 186, 21);
}

TDateTimePicker::~TDateTimePicker() {
  if (FCalendar) {
    HWND cal = FCalendar;
    FCalendar = nullptr;
    DestroyWindow(cal);
  }
}

void TDateTimePicker::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.WinClassName = "SysDateTimePick32";
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TDateTimePicker::DestroyWnd() {
  if (FCalendar) CloseUp();
  TCustomControl::DestroyWnd();
}

// ---- Properties ---------------------------------------------------------------------------
void TDateTimePicker::SetKind(TDateTimeKind Value) {
  if (FKind == Value) return;
  if (FDroppedDown) CloseUp();
  FKind = Value;
  FField = 0;
  FTyped.clear();
  Invalidate();
}

TDateTime TDateTimePicker::GetDate() const { return std::floor(FDateTime + 1e-9); }
TDateTime TDateTimePicker::GetTime() const { return FDateTime - GetDate(); }

void TDateTimePicker::SetDate(TDateTime Value) { SetDateTime(std::floor(Value + 1e-9) + GetTime()); }
void TDateTimePicker::SetTime(TDateTime Value) {
  double t = Value - std::floor(Value + 1e-9);
  SetDateTime(GetDate() + std::max(0.0, t));
}

// From code: no notification (as the window's own setter).
void TDateTimePicker::SetDateTime(TDateTime Value) {
  if (FDateTime == Value) return;
  FDateTime = Value;
  FTyped.clear();
  Invalidate();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat Value) {
  if (FDateFormat == Value) return;
  FDateFormat = Value;
  FField = 0;
  Invalidate();
}
void TDateTimePicker::SetDateMode(TDTDateMode Value) {
  if (FDateMode == Value) return;
  if (FDroppedDown) CloseUp();
  FDateMode = Value;
  Invalidate();
}
void TDateTimePicker::SetFormat(const AnsiString& Value) {
  if (FFormat == Value) return;
  FFormat = Value;
  FField = 0;
  FTyped.clear();
  Invalidate();
}
void TDateTimePicker::SetShowCheckbox(bool Value) {
  if (FShowCheckbox == Value) return;
  FShowCheckbox = Value;
  Invalidate();
}
void TDateTimePicker::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  Invalidate();
}

// ---- Fields -------------------------------------------------------------------------------
// Letters of the format: d, M, y, H/h, m (minutes after an hour or before
// seconds, else months as in the date formats of the settings), s, and
// t (AM/PM); text in quotes and every other character are literal.
std::vector<TDateTimePicker::TField> TDateTimePicker::Fields() const {
  AnsiString fmt = FFormat;
  if (fmt.empty()) fmt = FKind == dtkTime ? LongTimeFormat : (FDateFormat == dfLong ? LongDateFormat : ShortDateFormat);
  std::vector<TField> out;
  auto literal = [&out](const AnsiString& s) {
    if (!out.empty() && out.back().Kind == 0)
      out.back().Literal += s;
    else
      out.push_back(TField{0, 0, s});
  };
  for (std::size_t i = 0; i < fmt.size();) {
    char c = fmt[i];
    if (c == '\'' || c == '"') {
      std::size_t end = fmt.find(c, i + 1);
      if (end == AnsiString::npos) end = fmt.size();
      literal(fmt.substr(i + 1, end - i - 1));
      i = end + 1;
      continue;
    }
    char lower = static_cast<char>(c | 0x20);
    if (lower == 'd' || lower == 'y' || lower == 'h' || lower == 's' || lower == 't' || c == 'M' || c == 'm') {
      std::size_t j = i;
      while (j < fmt.size() && fmt[j] == c) ++j;
      int width = static_cast<int>(j - i);
      char kind = c == 'M' ? 'M' : lower == 'h' ? 'H' : lower;
      if (c == 'm') {
        bool afterHour = false;
        for (auto it = out.rbegin(); it != out.rend(); ++it)
          if (it->Kind != 0) {
            afterHour = it->Kind == 'H';
            break;
          }
        std::size_t k = j;
        while (k < fmt.size() && !std::isalpha(static_cast<unsigned char>(fmt[k]))) ++k;
        bool beforeSecond = k < fmt.size() && (fmt[k] | 0x20) == 's';
        kind = (afterHour || beforeSecond || FKind == dtkTime) ? 'm' : 'M';
      }
      if (kind == 'd' && width >= 3) kind = 'w';  // day name: shown, not edited
      out.push_back(TField{kind, width, AnsiString()});
      i = j;
      continue;
    }
    literal(AnsiString(1, c));
    ++i;
  }
  return out;
}

std::vector<int> TDateTimePicker::EditableFields() const {
  std::vector<int> idx;
  auto f = Fields();
  for (std::size_t i = 0; i < f.size(); ++i)
    if (Editable(f[i].Kind)) idx.push_back(static_cast<int>(i));
  return idx;
}

AnsiString TDateTimePicker::FieldText(const TField& F) const {
  Word y, mo, d, h, mi, s, ms;
  DecodeDate(FDateTime, y, mo, d);
  DecodeTime(FDateTime, h, mi, s, ms);
  auto num = [](int v, int w) {
    AnsiString t = IntToStr(v);
    while (static_cast<int>(t.size()) < w) t = "0" + t;
    return t;
  };
  switch (F.Kind) {
    case 0: return F.Literal;
    case 'y': return F.Width <= 2 ? num(y % 100, 2) : num(y, 4);
    case 'M':
      if (F.Width == 3) return ShortMonthNames[mo];
      if (F.Width >= 4) return LongMonthNames[mo];
      return num(mo, F.Width);
    case 'd': return num(d, F.Width);
    case 'w': return F.Width == 3 ? ShortDayNames[static_cast<std::size_t>(DayOfWeek(FDateTime))]
                                  : LongDayNames[static_cast<std::size_t>(DayOfWeek(FDateTime))];
    case 'H': return num(h, F.Width);
    case 'm': return num(mi, F.Width);
    case 's': return num(s, F.Width);
    default: return AnsiString();
  }
}

AnsiString TDateTimePicker::GetDisplayText() const {
  AnsiString s;
  for (const TField& f : Fields()) s += FieldText(f);
  return s;
}

namespace {

struct TParts {
  int y, mo, d, h, mi, s, ms;
};
TParts Split(TDateTime V) {
  Word y, mo, d, h, mi, s, ms;
  DecodeDate(V, y, mo, d);
  DecodeTime(V, h, mi, s, ms);
  return TParts{y, mo, d, h, mi, s, ms};
}
TDateTime Join(TParts p) {
  p.d = std::min(p.d, DaysIn(p.y, p.mo));
  return EncodeDate(static_cast<Word>(p.y), static_cast<Word>(p.mo), static_cast<Word>(p.d)) +
         EncodeTime(static_cast<Word>(p.h), static_cast<Word>(p.mi), static_cast<Word>(p.s), static_cast<Word>(p.ms));
}

}  // namespace

void TDateTimePicker::StepField(int Index, int Delta) {
  auto f = Fields();
  auto ed = EditableFields();
  if (Index < 0 || Index >= static_cast<int>(ed.size())) return;
  TParts p = Split(FDateTime);
  switch (f[static_cast<std::size_t>(ed[static_cast<std::size_t>(Index)])].Kind) {
    case 'y': p.y = std::clamp(p.y + Delta, 1, 9999); break;
    case 'M': p.mo = Wrap(p.mo + Delta, 1, 12); break;
    case 'd': p.d = Wrap(p.d + Delta, 1, DaysIn(p.y, p.mo)); break;
    case 'H': p.h = Wrap(p.h + Delta, 0, 23); break;
    case 'm': p.mi = Wrap(p.mi + Delta, 0, 59); break;
    case 's': p.s = Wrap(p.s + Delta, 0, 59); break;
  }
  UserChange(Join(p));
}

void TDateTimePicker::SetField(int Index, int Value) {
  auto f = Fields();
  auto ed = EditableFields();
  if (Index < 0 || Index >= static_cast<int>(ed.size())) return;
  TParts p = Split(FDateTime);
  switch (f[static_cast<std::size_t>(ed[static_cast<std::size_t>(Index)])].Kind) {
    case 'y': p.y = std::clamp(Value, 1, 9999); break;
    case 'M': p.mo = std::clamp(Value, 1, 12); break;
    case 'd': p.d = std::clamp(Value, 1, DaysIn(p.y, p.mo)); break;
    case 'H': p.h = std::clamp(Value, 0, 23); break;
    case 'm': p.mi = std::clamp(Value, 0, 59); break;
    case 's': p.s = std::clamp(Value, 0, 59); break;
  }
  UserChange(Join(p));
}

void TDateTimePicker::CommitTyped() {
  if (FTyped.empty()) return;
  auto f = Fields();
  auto ed = EditableFields();
  int v = std::stoi(FTyped);
  FTyped.clear();
  bool year = FField < static_cast<int>(ed.size()) &&
              f[static_cast<std::size_t>(ed[static_cast<std::size_t>(FField)])].Kind == 'y';
  if (!year) return;
  if (v < 100) v += 2000;
  SetField(FField, v);
}

// A change by the user: stored, shown, and told to the parent.
void TDateTimePicker::UserChange(TDateTime Value) {
  if (FDateTime == Value) return;
  FDateTime = Value;
  Invalidate();
  NotifyParent(DTN_DATETIMECHANGE);
}

void TDateTimePicker::NotifyParent(UINT Code) {
  HWND parent = HandleAllocated() ? ::GetParent(FHandle) : nullptr;
  UINT_PTR id = HandleAllocated() ? static_cast<UINT_PTR>(GetWindowLongPtrA(FHandle, GWL_ID)) : 0;
  NMDATETIMECHANGE nm{};
  nm.nmhdr = NMHDR{FHandle, id, Code};
  nm.dwFlags = (FShowCheckbox && !FChecked) ? GDT_NONE : GDT_VALID;
  nm.st = DateTimeToSystemTime(FDateTime);
  if (parent && TWinControl::FindControl(parent)) {
    // The parent reflects it back as CN_NOTIFY, where the events are raised.
    SendMessageA(parent, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&nm));
    return;
  }
  if (parent) SendMessageA(parent, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&nm));
  TMessage m{CN_NOTIFY, id, reinterpret_cast<LPARAM>(&nm), 0};
  Dispatch(m);
}

void TDateTimePicker::Change() {
  if (OnChange) OnChange(this);
}

// ---- Drop-down calendar -----------------------------------------------------------------------
void TDateTimePicker::DropDown() {
  if (FCalendar || FKind == dtkTime || FDateMode == dmUpDown || !HandleAllocated()) return;
  RegisterDropDownClass();
  FTyped.clear();
  FPage.SetDate(FDateTime);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  TSize size = TMonthPage::Measure(dc);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  RECT wr;
  GetWindowRect(FHandle, &wr);
  int x = FCalAlignment == dtaRight ? wr.right - size.cx - 2 : wr.left;
  TWindowCreateParams p;
  p.ClassName = DropDownClass;
  p.Style = WS_POPUP | WS_BORDER;
  p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  p.Parent = FHandle;
  p.X = x;
  p.Y = wr.bottom;
  p.Width = size.cx + 2;
  p.Height = size.cy + 2;
  p.WndProc = [this](HWND w, UINT m, WPARAM wp, LPARAM lp) {
    LRESULT r = 0;
    CalendarMessage(w, m, wp, lp, r);
    return r;
  };
  FCalendar = CreateWindowFromParams(p);
  if (!FCalendar) return;
  // Told before it shows, so that the parent may adjust it.
  NotifyParent(DTN_DROPDOWN);
  if (!FCalendar) return;
  ShowWindow(FCalendar, SW_SHOWNA);
  SetCapture(FCalendar);
  Invalidate();
}

void TDateTimePicker::CloseUp() {
  if (!FCalendar) return;
  HWND cal = FCalendar;
  FCalendar = nullptr;
  if (GetCapture() == cal) ReleaseCapture();
  DestroyWindow(cal);
  Invalidate();
  NotifyParent(DTN_CLOSEUP);
}

void TDateTimePicker::CalendarMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) {
  switch (Msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Wnd, &ps);
      RECT rc;
      ::GetClientRect(Wnd, &rc);
      HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
      FPage.Paint(dc, rc, true);
      SelectObject(dc, old);
      EndPaint(Wnd, &ps);
      return;
    }
    case WM_MOUSEACTIVATE:
      Result = MA_NOACTIVATE;
      return;
    case WM_LBUTTONDOWN: {
      RECT rc;
      ::GetClientRect(Wnd, &rc);
      int x = GET_X_LPARAM(LParam), y = GET_Y_LPARAM(LParam);
      TDateTime d = 0;
      if (x < 0 || y < 0 || x >= rc.right || y >= rc.bottom) {
        // A click elsewhere closes the calendar without a change.
        CloseUp();
        return;
      }
      switch (FPage.HitTest(rc, x, y, d)) {
        case TMonthPage::htPrev: FPage.ShiftMonth(-1); InvalidateRect(Wnd, nullptr, TRUE); break;
        case TMonthPage::htNext: FPage.ShiftMonth(1); InvalidateRect(Wnd, nullptr, TRUE); break;
        case TMonthPage::htDay:
          FPage.SetDate(d);
          UserChange(d + GetTime());
          CloseUp();
          break;
        default: break;
      }
      return;
    }
    case WM_CAPTURECHANGED:
      return;
    case WM_NCDESTROY:
      // Destroyed with the windows around it (a closing form): forget it.
      if (FCalendar == Wnd) {
        FCalendar = nullptr;
        FDroppedDown = false;
      }
      break;
  }
  Result = DefWindowProcA(Wnd, Msg, WParam, LParam);
}

// ---- Painting and input ------------------------------------------------------------------------
TRect TDateTimePicker::ButtonRect() {
  TRect r = GetClientRect();
  return TRect(r.right - ButtonWidth, r.top, r.right, r.bottom);
}

TRect TDateTimePicker::CheckRect() {
  TRect r = GetClientRect();
  int top = r.top + (r.Height() - CheckSize) / 2;
  return TRect(r.left + 3, top, r.left + 3 + CheckSize, top + CheckSize);
}

void TDateTimePicker::Paint() {
  HDC dc = Canvas()->GetHandle();
  TRect rc = GetClientRect();
  RECT all = rc;
  HBRUSH bg = CreateSolidBrush(ColorToRGB(GetEnabled() ? FColor : clBtnFace));
  FillRect(dc, &all, bg);
  DeleteObject(bg);
  HGDIOBJ oldFont = SelectObject(dc, GetFont()->GetHandle());
  SetBkMode(dc, TRANSPARENT);
  int x = rc.left + 2;
  if (FShowCheckbox) {
    RECT cr = CheckRect();
    DrawFrameControl(dc, &cr, DFC_BUTTON, DFCS_BUTTONCHECK | (FChecked ? DFCS_CHECKED : 0));
    x = cr.right + 3;
  }
  bool gray = !GetEnabled() || (FShowCheckbox && !FChecked);
  auto fields = Fields();
  FFieldRects.clear();
  int edIndex = 0;
  for (const TField& f : fields) {
    AnsiString t = FieldText(f);
    SIZE s{};
    GetTextExtentPoint32A(dc, t.c_str(), static_cast<int>(t.size()), &s);
    RECT r{x, rc.top + 1, x + s.cx, rc.bottom - 1};
    bool editable = Editable(f.Kind);
    bool hot = editable && edIndex == FField && Focused() && !gray && !FDroppedDown;
    if (hot) FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(gray ? COLOR_GRAYTEXT : hot ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(dc, t.c_str(), static_cast<int>(t.size()), &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (editable) {
      FFieldRects.push_back(r);
      ++edIndex;
    }
    x += s.cx;
  }
  SelectObject(dc, oldFont);
  RECT br = ButtonRect();
  if (FKind == dtkDate && FDateMode == dmComboBox) {
    DrawFrameControl(dc, &br, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (FDroppedDown ? DFCS_PUSHED : 0));
  } else {
    RECT up = br, down = br;
    up.bottom = down.top = br.top + (br.bottom - br.top) / 2;
    DrawFrameControl(dc, &up, DFC_SCROLL, DFCS_SCROLLUP);
    DrawFrameControl(dc, &down, DFC_SCROLL, DFCS_SCROLLDOWN);
  }
}

int TDateTimePicker::FieldAt(int X) {
  if (FFieldRects.empty() && HandleAllocated()) {
    // Not painted yet: lay the fields out now.
    Repaint();
  }
  int best = -1;
  for (std::size_t i = 0; i < FFieldRects.size(); ++i) {
    if (X >= FFieldRects[i].left && X < FFieldRects[i].right) return static_cast<int>(i);
    if (X >= FFieldRects[i].left) best = static_cast<int>(i);
  }
  return best < 0 && !FFieldRects.empty() ? 0 : best;
}

void TDateTimePicker::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      return;
    case WM_GETTEXTLENGTH:
      // The window's text is what it shows.
      Message.Result = static_cast<LRESULT>(GetDisplayText().size());
      return;
    case WM_GETTEXT: {
      AnsiString t = GetDisplayText();
      auto* buf = reinterpret_cast<char*>(Message.LParam);
      std::size_t cap = static_cast<std::size_t>(Message.WParam);
      if (!buf || cap == 0) {
        Message.Result = 0;
        return;
      }
      std::size_t n = std::min(t.size(), cap - 1);
      t.copy(buf, n);
      buf[n] = '\0';
      Message.Result = static_cast<LRESULT>(n);
      return;
    }
    case CN_NOTIFY: {
      auto* h = reinterpret_cast<const NMHDR*>(Message.LParam);
      if (!h) break;
      if (h->code == DTN_DATETIMECHANGE) {
        Change();
      } else if (h->code == DTN_DROPDOWN) {
        FDroppedDown = true;
        if (OnDropDown) OnDropDown(this);
      } else if (h->code == DTN_CLOSEUP) {
        FDroppedDown = false;
        if (OnCloseUp) OnCloseUp(this);
      }
      return;
    }
    case WM_KILLFOCUS:
      CommitTyped();
      if (FCalendar) CloseUp();
      Invalidate();
      break;
    case WM_SETFOCUS:
      Invalidate();
      break;
  }
  TCustomControl::Dispatch(Message);
}

void TDateTimePicker::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  int count = static_cast<int>(EditableFields().size());
  if (FCalendar) {
    // The open calendar takes the keys.
    TDateTime d = FPage.GetDate();
    switch (Key) {
      case VK_LEFT: FPage.SetDate(d - 1); break;
      case VK_RIGHT: FPage.SetDate(d + 1); break;
      case VK_UP:
        if (Shift & ssAlt) {
          CloseUp();
          Key = 0;
          return;
        }
        FPage.SetDate(d - 7);
        break;
      case VK_DOWN: FPage.SetDate(d + 7); break;
      case VK_PRIOR: FPage.ShiftMonth(-1); break;
      case VK_NEXT: FPage.ShiftMonth(1); break;
      case VK_RETURN:
        UserChange(FPage.GetDate() + GetTime());
        CloseUp();
        Key = 0;
        return;
      case VK_ESCAPE:
      case VK_F4:
        CloseUp();
        Key = 0;
        return;
      default: return;
    }
    if (FCalendar) InvalidateRect(FCalendar, nullptr, TRUE);
    Key = 0;
    return;
  }
  bool canDrop = FKind == dtkDate && FDateMode == dmComboBox;
  switch (Key) {
    case VK_LEFT:
      CommitTyped();
      if (count) FField = Wrap(FField - 1, 0, count - 1);
      Invalidate();
      break;
    case VK_RIGHT:
      CommitTyped();
      if (count) FField = Wrap(FField + 1, 0, count - 1);
      Invalidate();
      break;
    case VK_HOME:
      CommitTyped();
      FField = 0;
      Invalidate();
      break;
    case VK_END:
      CommitTyped();
      FField = std::max(0, count - 1);
      Invalidate();
      break;
    case VK_UP:
    case VK_DOWN:
      if ((Shift & ssAlt) && Key == VK_DOWN && canDrop) {
        DropDown();
        break;
      }
      if (FShowCheckbox && !FChecked) return;
      CommitTyped();
      StepField(FField, Key == VK_UP ? 1 : -1);
      break;
    case VK_F4:
      if (!canDrop) return;
      DropDown();
      break;
    default:
      return;
  }
  Key = 0;
}

void TDateTimePicker::KeyPress(char16_t& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == 0) return;
  if (Key == u' ' && FShowCheckbox) {
    FChecked = !FChecked;
    Invalidate();
    NotifyParent(DTN_DATETIMECHANGE);
    Key = 0;
    return;
  }
  if (FShowCheckbox && !FChecked) return;
  auto f = Fields();
  auto ed = EditableFields();
  if (ed.empty() || FField >= static_cast<int>(ed.size())) return;
  const TField& field = f[static_cast<std::size_t>(ed[static_cast<std::size_t>(FField)])];
  int count = static_cast<int>(ed.size());
  if (Key >= u'0' && Key <= u'9') {
    FTyped += static_cast<char>(Key);
    int v = std::stoi(FTyped);
    if (field.Kind == 'y') {
      // The year is taken when four digits were typed (or the field is left).
      if (FTyped.size() >= 4) {
        FTyped.clear();
        SetField(FField, v);
        FField = std::min(FField + 1, count - 1);
        Invalidate();
      }
      Key = 0;
      return;
    }
    TParts p = Split(FDateTime);
    int hi = field.Kind == 'M' ? 12 : field.Kind == 'd' ? DaysIn(p.y, p.mo) : field.Kind == 'H' ? 23 : 59;
    int lo = (field.Kind == 'M' || field.Kind == 'd') ? 1 : 0;
    if (v > hi) {
      // Too large for the field: the digit starts it afresh.
      FTyped = AnsiString(1, static_cast<char>(Key));
      v = std::stoi(FTyped);
    }
    if (v >= lo) SetField(FField, v);
    if (FTyped.size() >= 2 || v * 10 > hi) {
      FTyped.clear();
      FField = std::min(FField + 1, count - 1);
      Invalidate();
    }
    Key = 0;
    return;
  }
  // A separator typed moves to the next field.
  for (const TField& lit : f)
    if (lit.Kind == 0 && !lit.Literal.empty() && static_cast<char16_t>(static_cast<unsigned char>(lit.Literal[0])) == Key) {
      FTyped.clear();
      FField = std::min(FField + 1, count - 1);
      Invalidate();
      Key = 0;
      return;
    }
}

void TDateTimePicker::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (CanFocus() && !Focused()) SetFocus();
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  TRect br = ButtonRect();
  if (PtInRect(&br, POINT{X, Y})) {
    if (FKind == dtkDate && FDateMode == dmComboBox) {
      if (FCalendar)
        CloseUp();
      else
        DropDown();
    } else if (!(FShowCheckbox && !FChecked)) {
      StepField(FField, Y < br.top + br.Height() / 2 ? 1 : -1);
    }
    return;
  }
  TRect cr = CheckRect();
  if (FShowCheckbox && PtInRect(&cr, POINT{X, Y})) {
    FChecked = !FChecked;
    Invalidate();
    NotifyParent(DTN_DATETIMECHANGE);
    return;
  }
  int f = FieldAt(X);
  if (f >= 0) {
    FTyped.clear();
    FField = f;
    Invalidate();
  }
}
