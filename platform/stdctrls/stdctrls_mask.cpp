#include <algorithm>
#include <cwctype>

#include "platform/forms/clipbrd.h"
#include "platform/rtl/codepages.h"
#include "platform/stdctrls/stdctrls_edit.h"
#include "platform/rtl/sysutils.h"

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsLetter(char16_t c) {
  return std::iswalpha(static_cast<wint_t>(c)) || (c >= 0x0400 && c <= 0x04FF);
}
bool IsRequired(char16_t kind) { return kind == u'0' || kind == u'L' || kind == u'A' || kind == u'C'; }

}  // namespace

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TCustomMaskEdit::ParseMask() {
  FSlots.clear();
  FSaveLiterals = true;
  FBlank = u'_';
  WideString m = Utf8ToWide(FEditMask);
  std::size_t i = 0;
  int caseMode = 0;
  for (; i < m.size(); ++i) {
    char16_t c = m[i];
    if (c == u';') break;
    if (c == u'\\' && i + 1 < m.size()) {
      FSlots.push_back({m[++i], 0, 0});
      continue;
    }
    if (c == u'>') {
      if (i + 1 < m.size() && m[i + 1] == u'<') {
        caseMode = 0;
        ++i;
      } else {
        caseMode = 1;
      }
      continue;
    }
    if (c == u'<') {
      caseMode = -1;
      continue;
    }
    if (c == u'!') continue;  // blank trimming side: no effect on input here
    if (WideString(u"09#LlAaCc").find(c) != WideString::npos) FSlots.push_back({0, c, caseMode});
    else FSlots.push_back({c, 0, 0});
  }
  // The fields after the mask: save literals, then the blank character.
  if (i < m.size()) {
    WideString rest = m.substr(i + 1);
    std::size_t semi = rest.find(u';');
    WideString save = rest.substr(0, semi);
    if (!save.empty()) FSaveLiterals = save[0] != u'0';
    if (semi != WideString::npos && semi + 1 < rest.size()) FBlank = rest[semi + 1];
  }
  // A mask of literals only shapes nothing.
  if (std::none_of(FSlots.begin(), FSlots.end(), [](const TSlot& s) { return s.Literal == 0; })) FSlots.clear();
}

void TCustomMaskEdit::SetEditMask(const AnsiString& Value) {
  if (FEditMask == Value) return;
  WideString old = HandleAllocated() || !FText.empty() ? GetWideText() : WideString();
  FEditMask = Value;
  ParseMask();
  SetMaxLength(IsMasked() ? static_cast<int>(FSlots.size()) : 0);
  if (IsMasked()) SetWideText(Conform(old));
}

bool TCustomMaskEdit::IsLiteral(int Pos) const {
  return Pos >= 0 && Pos < static_cast<int>(FSlots.size()) && FSlots[static_cast<std::size_t>(Pos)].Literal != 0;
}

bool TCustomMaskEdit::Accepts(int Pos, char16_t& Ch) const {
  if (Pos < 0 || Pos >= static_cast<int>(FSlots.size())) return false;
  const TSlot& s = FSlots[static_cast<std::size_t>(Pos)];
  if (s.Literal) return false;
  if (s.Case > 0) Ch = WideUpperCase(WideString(1, Ch))[0];
  if (s.Case < 0) Ch = WideLowerCase(WideString(1, Ch))[0];
  switch (s.Kind) {
    case u'0':
    case u'9': return IsDigit(Ch);
    case u'#': return IsDigit(Ch) || Ch == u'+' || Ch == u'-';
    case u'L':
    case u'l': return IsLetter(Ch);
    case u'A':
    case u'a': return IsLetter(Ch) || IsDigit(Ch);
    default: return Ch >= 0x20;
  }
}

WideString TCustomMaskEdit::BlankText() const {
  WideString t;
  for (const TSlot& s : FSlots) t += s.Literal ? s.Literal : FBlank;
  return t;
}

WideString TCustomMaskEdit::Conform(const WideString& Value) const {
  WideString t = BlankText();
  const int n = static_cast<int>(FSlots.size());
  if (static_cast<int>(Value.size()) == n) {
    // The text as shown: position by position.
    for (int i = 0; i < n; ++i) {
      char16_t c = Value[static_cast<std::size_t>(i)];
      if (!IsLiteral(i) && c != FBlank && Accepts(i, c)) t[static_cast<std::size_t>(i)] = c;
    }
    return t;
  }
  // The characters only: they fill the input positions in turn.
  std::size_t v = 0;
  for (int i = 0; i < n && v < Value.size(); ++i) {
    if (IsLiteral(i)) {
      if (Value[v] == FSlots[static_cast<std::size_t>(i)].Literal) ++v;
      continue;
    }
    char16_t c = Value[v++];
    if (c == u' ' || c == FBlank) continue;
    if (Accepts(i, c)) t[static_cast<std::size_t>(i)] = c;
  }
  return t;
}

AnsiString TCustomMaskEdit::GetEditText() { return GetText(); }
void TCustomMaskEdit::SetEditText(const AnsiString& Value) { SetText(Value); }

AnsiString TCustomMaskEdit::GetMaskedText() {
  WideString t = GetWideText();
  if (!IsMasked()) return WideToUtf8(t);
  WideString out;
  for (std::size_t i = 0; i < FSlots.size() && i < t.size(); ++i) {
    if (FSlots[i].Literal) {
      if (FSaveLiterals) out += FSlots[i].Literal;
    } else {
      out += t[i] == FBlank ? u' ' : t[i];
    }
  }
  return WideToUtf8(out);
}

void TCustomMaskEdit::ValidateEdit() {
  if (!IsMasked()) return;
  WideString t = GetWideText();
  for (std::size_t i = 0; i < FSlots.size(); ++i) {
    if (FSlots[i].Literal || !IsRequired(FSlots[i].Kind)) continue;
    if (i >= t.size() || t[i] == FBlank || t[i] == u' ') {
      if (HandleAllocated()) SendMessageA(FHandle, EM_SETSEL, i, static_cast<LPARAM>(i));
      throw EDBEditError("Invalid input value.  Use escape key to abandon changes");
    }
  }
}

void TCustomMaskEdit::Reset() {
  if (!IsMasked()) return;
  SetWideText(FEnterText.empty() ? BlankText() : FEnterText);
  SetModified(false);
}

void TCustomMaskEdit::BlankRange(int From, int To) {
  WideString t = GetWideText();
  for (int i = std::max(0, From); i < To && i < static_cast<int>(t.size()); ++i)
    if (!IsLiteral(i)) t[static_cast<std::size_t>(i)] = FBlank;
  SetWideText(t);
  SendMessageA(GetHandle(), EM_SETSEL, static_cast<WPARAM>(From), From);
  SetModified(true);
}

void TCustomMaskEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomEdit::KeyDown(Key, Shift);
  if (!IsMasked() || Key != VK_DELETE || FReadOnly) return;
  int s = GetSelStart(), n = GetSelLength();
  BlankRange(s, s + std::max(1, n));
  Key = 0;
}

void TCustomMaskEdit::KeyPress(char16_t& Key) {
  TCustomEdit::KeyPress(Key);
  if (!IsMasked() || Key == 0 || FReadOnly) return;
  if (Key == u'\r' || Key == 27 || Key == u'\t' || (Key < 0x20 && Key != u'\b')) return;
  int s = GetSelStart(), n = GetSelLength();
  char16_t ch = Key;
  Key = 0;
  if (ch == u'\b') {
    if (n > 0) {
      BlankRange(s, s + n);
      return;
    }
    int p = s - 1;
    while (p >= 0 && IsLiteral(p)) --p;
    if (p >= 0) BlankRange(p, p + 1);
    return;
  }
  WideString t = GetWideText();
  if (n > 0) {
    for (int i = s; i < s + n && i < static_cast<int>(t.size()); ++i)
      if (!IsLiteral(i)) t[static_cast<std::size_t>(i)] = FBlank;
  }
  int p = s;
  while (p < static_cast<int>(FSlots.size()) && IsLiteral(p)) ++p;
  if (p >= static_cast<int>(FSlots.size()) || !Accepts(p, ch)) {
    MessageBeep(0);
    return;
  }
  t[static_cast<std::size_t>(p)] = ch;
  int next = p + 1;
  while (next < static_cast<int>(FSlots.size()) && IsLiteral(next)) ++next;
  SetWideText(t);
  SendMessageA(FHandle, EM_SETSEL, static_cast<WPARAM>(next), next);
  SetModified(true);
}

void TCustomMaskEdit::DoEnter() {
  FEnterText = GetWideText();
  TCustomEdit::DoEnter();
}

void TCustomMaskEdit::DoExit() {
  if (IsMasked() && GetModified()) ValidateEdit();
  TCustomEdit::DoExit();
}

void TCustomMaskEdit::Dispatch(TMessage& Message) {
  if (IsMasked()) {
    switch (Message.Msg) {
      case WM_SETTEXT: {
        // Text from code is shaped to the mask like typed text.
        WideString v = Message.LParam ? Utf8ToWide(reinterpret_cast<const char*>(Message.LParam)) : WideString();
        AnsiString shaped = WideToUtf8(Conform(v));
        Message.LParam = reinterpret_cast<LPARAM>(shaped.c_str());
        TCustomEdit::Dispatch(Message);
        return;
      }
      case WM_PASTE: {
        if (FReadOnly) return;
        WideString clip = Utf8ToWide(Clipboard()->GetAsText());
        for (char16_t c : clip) {
          char16_t k = c;
          KeyPress(k);
        }
        return;
      }
      case WM_CUT:
        if (FReadOnly) return;
        Perform(WM_COPY, 0, 0);
        BlankRange(GetSelStart(), GetSelStart() + GetSelLength());
        return;
      case WM_CLEAR:
        if (FReadOnly) return;
        BlankRange(GetSelStart(), GetSelStart() + GetSelLength());
        return;
    }
  }
  TCustomEdit::Dispatch(Message);
}
