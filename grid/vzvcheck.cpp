// The cell checker base, its text helpers and the capitals checker.
#include "grid/vzvcheck.h"

#include "platform/rtl/sysutils.h"

AnsiString VIduZozezuVoduCheck::MarkError(int, int, const AnsiString& Value) { return Value; }
AnsiString VIduZozezuVoduCheck::Correct(int, int, const AnsiString& Value) { return Value; }
void VIduZozezuVoduCheck::StartCheck() {}
void VIduZozezuVoduCheck::StopCheck() {}

AnsiString VIduZozezuVoduCheck::ReplaceOnce(const AnsiString& Value, const AnsiString& OldText,
                                            const AnsiString& NewText) {
  if (OldText.empty()) return Value;
  const std::size_t P = Value.find(OldText);
  if (P == AnsiString::npos) return Value;
  AnsiString R = Value;
  R.replace(P, OldText.size(), NewText);
  return R;
}

namespace {

bool IsLineTag(const AnsiString& S, std::size_t I) {
  if (I + 4 > S.size() || S[I] != '<' || S[I + 3] != '>') return false;
  const char A = static_cast<char>(S[I + 1] & ~0x20), B = static_cast<char>(S[I + 2] & ~0x20);
  return (A == 'B' || A == 'H') && B == 'R';
}

// The visible text: line tags as CR LF, other tags dropped; a '<' that no
// '>' closes stays with the rest of the text.
AnsiString StripTags(const AnsiString& S) {
  AnsiString R;
  std::size_t I = 0;
  while (I < S.size()) {
    if (S[I] != '<') {
      R += S[I++];
      continue;
    }
    if (IsLineTag(S, I)) {
      R += "\r\n";
      I += 4;
      continue;
    }
    const std::size_t E = S.find('>', I);
    if (E == AnsiString::npos) {
      R.append(S, I, AnsiString::npos);
      break;
    }
    I = E + 1;
  }
  return R;
}

// Position (0-based) in the tagged text of visible character N (0-based);
// a line tag counts as the two characters it stands for. An opening mark
// goes after the tags before the character, a closing one before them. -1
// when the text is shorter.
long TaggedPos(const AnsiString& S, std::size_t N, bool AfterTags) {
  std::size_t V = 0, I = 0;
  while (I < S.size()) {
    if (V == N && (!AfterTags || S[I] != '<' || IsLineTag(S, I))) return static_cast<long>(I);
    if (S[I] == '<') {
      if (IsLineTag(S, I)) {
        V += 2;
        I += 4;
        if (V > N) return static_cast<long>(I);  // inside the line break: after it
        continue;
      }
      const std::size_t E = S.find('>', I);
      if (E == AnsiString::npos) break;
      I = E + 1;
      continue;
    }
    ++V;
    ++I;
  }
  return V == N ? static_cast<long>(S.size()) : -1;
}

AnsiString Folded(const AnsiString& S) {
  AnsiString U = AnsiUpperCase(S);
  return U.size() == S.size() ? U : UpperCase(S);
}

}  // namespace

AnsiString VIduZozezuVoduCheck::HiLight(const AnsiString& Value, const AnsiString& Search, const AnsiString& Tag,
                                        bool DoCase) {
  if (Search.empty()) return Value;
  const AnsiString Plain = DoCase ? StripTags(Value) : Folded(StripTags(Value));
  const AnsiString Find = DoCase ? Search : Folded(Search);
  const AnsiString Open = "<" + Tag + ">", Close = "</" + Tag + ">";
  AnsiString R = Value;
  std::size_t Start = 0;
  while (Start < Plain.size()) {
    const std::size_t P = Plain.find(Find, Start);
    if (P == AnsiString::npos) break;
    // The next search starts right after this match: adjacent ones count too.
    Start = P + Find.size();
    const long A = TaggedPos(R, P, true);
    if (A < 0) break;
    R.insert(static_cast<std::size_t>(A), Open);
    const long B = TaggedPos(R, Start, false);
    if (B < 0) break;
    R.insert(static_cast<std::size_t>(B), Close);
  }
  return R;
}

AnsiString TCapitalCheck::Correct(int, int, const AnsiString& Value) {
  AnsiString R = Value;
  char Prev = ' ', PrevPrev = '.';
  for (char& C : R) {
    const char Orig = C;
    if (Prev == ' ' && (PrevPrev == '.' || PrevPrev == '!' || PrevPrev == '?') && C >= 'a' && C <= 'z')
      C = static_cast<char>(C - 'a' + 'A');
    PrevPrev = Prev;
    Prev = Orig;
  }
  return R;
}
