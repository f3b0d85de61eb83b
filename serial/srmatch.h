// Recognising a fixed byte sequence in received data one byte at a time,
// and a simple wildcard match.
//
// Both sequence matchers retry only the sequence's first byte after a
// mismatch (no backtracking), so a sequence whose beginning repeats inside
// it can be missed: "aab" is not found in "aaab".
#pragma once

#include "platform/rtl/sysbase.h"
#include "serial/srclasses.h"

// TCommEvent and CheckSequence (the matcher over a caller-kept sequence,
// 0-based) are declared with the device in srclasses.h.

// The same matcher owning its sequence, with 1-based positions.
class TCommEventNew : public TObject {
public:
  explicit TCommEventNew(const AnsiString& Sequence = AnsiString());

  // Stores the sequence and starts over.
  void SetStr(const AnsiString& Sequence);
  const AnsiString& GetStr() const { return FSeq; }
  Integer GetPos() const { return FPos; }
  Integer GetLen() const { return FLen; }
  void Reset() { FPos = 1; }
  // Feeds one byte; true when it completes the sequence (which then resets).
  bool IsEvent(Byte B);

private:
  Integer FPos = 1;
  Integer FLen = 0;
  AnsiString FSeq;
};

// Case-sensitive match of a zero-terminated text against a pattern where
// "*" stands for any run of characters (also none) and "?" for exactly one.
// A null pointer counts as the empty text.
bool MatchPatternSimple(const char* Text, const char* Pattern);
