#include "serial/srmatch.h"

bool CheckSequence(Byte B, TCommEvent& Event) {
  if (Event.Len == 0 || !Event.Seq) return false;
  // A position the caller left out of range starts over rather than read
  // past the sequence.
  if (Event.Pos >= Event.Len) Event.Pos = 0;
  if (B == Event.Seq[Event.Pos]) {
    if (++Event.Pos >= Event.Len) {
      Event.Pos = 0;
      return true;
    }
    return false;
  }
  Event.Pos = (B == Event.Seq[0]) ? 1 : 0;
  return false;
}

TCommEventNew::TCommEventNew(const AnsiString& Sequence) { SetStr(Sequence); }

void TCommEventNew::SetStr(const AnsiString& Sequence) {
  FSeq = Sequence;
  FLen = static_cast<Integer>(Sequence.size());
  Reset();
}

bool TCommEventNew::IsEvent(Byte B) {
  if (FLen == 0) return false;
  if (FPos < 1 || FPos > FLen) Reset();
  if (B == static_cast<Byte>(FSeq[static_cast<size_t>(FPos - 1)])) {
    if (++FPos > FLen) {
      Reset();
      return true;
    }
    return false;
  }
  FPos = (B == static_cast<Byte>(FSeq[0])) ? 2 : 1;
  return false;
}

bool MatchPatternSimple(const char* Text, const char* Pattern) {
  const char* t = Text ? Text : "";
  const char* p = Pattern ? Pattern : "";
  // Iterative form of "a star tries every later position": remember the
  // last star and where the text stood, and retry one character further on
  // a mismatch. Same answers as the recursive walk, without its exponential
  // cost on patterns with many stars.
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*t) {
    if (*p == '*') {
      star = p++;
      resume = t;
    } else if (*p == '?' || (*p && *p == *t)) {
      ++p;
      ++t;
    } else if (star) {
      p = star + 1;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (*p == '*') ++p;
  return *p == '\0';
}
