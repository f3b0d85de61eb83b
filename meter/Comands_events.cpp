// The event log: the last ten time stamps of one event kind.
#include "app/sdimain.h"
#include "meter/Comands.h"
#include "meter/Comands_texts.h"

using namespace comands;

namespace {
constexpr int kEventAnswerLength = 56;
}  // namespace

int TMainForm::RxdRdEvent(int Kind) {
  // The kind goes out as it is, but only a kind the log has room for is read.
  if (Kind < 0 || Kind >= kEventKinds) return 1;
  ExpLen = kEventAnswerLength;
  ClrBuf();
  TxBuf[4] = static_cast<uint8_t>(Kind);
  SendRequest(0x14, 7);
  WaitCounted(kEventAnswerLength, 6, kEventAnswerLength, true);
  if (const int failed = CheckRead(kEventAnswerLength, 0x14)) return failed;
  for (int i = 0; i < kEventRecords * kEventRecordSize; ++i)
    EventLog[Kind][i] = static_cast<uint8_t>(BcdToBin(RxBuf[4 + i]));
  return 0;
}
