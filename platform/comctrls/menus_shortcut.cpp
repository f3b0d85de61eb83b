// Shortcut values, their texts and caption accelerators.
#include <cctype>

#include "platform/rtl/codepages.h"
#include "platform/comctrls/menus.h"
#include "platform/rtl/sysutils.h"

namespace {

struct TKeyName {
  WORD Key;
  const char* Name;
};

// Keys with a name of their own; letters, digits and F-keys are made below.
const TKeyName KeyNames[] = {
    {VK_BACK, "BkSp"},   {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},
    {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"},  {VK_NEXT, "PgDn"},    {VK_END, "End"},
    {VK_HOME, "Home"},   {VK_LEFT, "Left"},   {VK_UP, "Up"},        {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},   {VK_INSERT, "Ins"},  {VK_DELETE, "Del"},
};

AnsiString KeyName(WORD Key) {
  if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z')) return AnsiString(1, static_cast<char>(Key));
  if (Key >= VK_F1 && Key <= VK_F1 + 23) return "F" + std::to_string(Key - VK_F1 + 1);
  for (const auto& k : KeyNames)
    if (k.Key == Key) return k.Name;
  return {};
}

AnsiString Upper(AnsiString S) {
  for (auto& c : S) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return S;
}

}  // namespace

TShortCut ShortCut(WORD Key, TShiftState Shift) {
  if (Key & 0xFF00) return scNone;  // no room for the modifier bits
  TShortCut r = Key;
  if (Shift & ssShift) r |= scShift;
  if (Shift & ssCtrl) r |= scCtrl;
  if (Shift & ssAlt) r |= scAlt;
  return r;
}

void ShortCutToKey(TShortCut Value, WORD& Key, TShiftState& Shift) {
  Key = Value & 0xFF;
  Shift = 0;
  if (Value & scShift) Shift |= ssShift;
  if (Value & scCtrl) Shift |= ssCtrl;
  if (Value & scAlt) Shift |= ssAlt;
}

AnsiString ShortCutToText(TShortCut Value) {
  AnsiString name = KeyName(Value & 0xFF);
  if (name.empty()) return {};
  AnsiString r;
  if (Value & scShift) r += "Shift+";
  if (Value & scCtrl) r += "Ctrl+";
  if (Value & scAlt) r += "Alt+";
  return r + name;
}

TShortCut TextToShortCut(const AnsiString& Text) {
  AnsiString rest = Upper(Text);
  TShortCut mods = 0;
  // Modifiers in any order, each followed by "+".
  for (bool found = true; found;) {
    found = false;
    static const std::pair<const char*, TShortCut> prefixes[] = {{"SHIFT+", scShift}, {"CTRL+", scCtrl}, {"ALT+", scAlt}};
    for (const auto& [p, bit] : prefixes) {
      AnsiString pre = p;
      if (rest.size() > pre.size() && rest.compare(0, pre.size(), pre) == 0) {
        mods |= bit;
        rest.erase(0, pre.size());
        found = true;
      }
    }
  }
  for (WORD k = 1; k < 0x100; ++k) {
    AnsiString n = KeyName(k);
    if (!n.empty() && Upper(n) == rest) return static_cast<TShortCut>(k | mods);
  }
  return scNone;
}

char16_t GetHotkey(const AnsiString& Caption) {
  WideString w = Utf8ToWide(Caption);
  for (std::size_t i = 0; i + 1 < w.size(); ++i) {
    if (w[i] != u'&') continue;
    if (w[i + 1] == u'&') {
      ++i;
      continue;
    }
    return WideUpperCase(WideString(1, w[i + 1]))[0];
  }
  return 0;
}

AnsiString StripHotkey(const AnsiString& Caption) {
  AnsiString r;
  for (std::size_t i = 0; i < Caption.size(); ++i) {
    if (Caption[i] == '&') {
      if (i + 1 < Caption.size() && Caption[i + 1] == '&') ++i;
      else continue;
    }
    r += Caption[i];
  }
  return r;
}
