// Network quality: voltage setpoints, the quality log of a phase and the
// instantaneous values of a phase.
#include "app/sdimain.h"
#include "meter/Comands.h"
#include "meter/Comands_texts.h"

using namespace comands;

namespace {
constexpr int kSetpointAnswerLength = 8;
constexpr int kQualityAnswerLength = 86;
constexpr int kMonitorAnswerLength = 16;
}  // namespace

int TMainForm::ReadUstavki(int Index) {
  ExpLen = kSetpointAnswerLength;
  ClrBuf();
  TxBuf[4] = static_cast<uint8_t>(Index);
  SendRequest(0x29, 7);
  WaitCounted(kSetpointAnswerLength, 5, kSetpointAnswerLength, true);
  return CheckRead(kSetpointAnswerLength, 0x29);
}

int TMainForm::WrUstavki(int Index) {
  ExpLen = 9;
  ClrBuf();
  TxBuf[4] = static_cast<uint8_t>(Index);
  TxBuf[5] = static_cast<uint8_t>(MonValue[0]);
  TxBuf[6] = static_cast<uint8_t>(MonValue[0] >> 8);
  SendRequest(0x2A, 9);
  WaitCounted(kAckLength, 5, 9, true);
  return CheckAck(0x2A);
}

int TMainForm::RxdRdkks(int Phase) {
  for (int block = 0; block < kQualityBlocks; ++block) {
    ClrBuf();
    TxBuf[4] = static_cast<uint8_t>(Phase);
    TxBuf[5] = static_cast<uint8_t>(block);
    SendRequest(0x2F, 8);
    WaitCounted(kQualityAnswerLength, 5, kQualityAnswerLength, true);
    // The first block that fails ends the read; the ones before it stay.
    if (CheckRead(kQualityAnswerLength, 0x2F)) return 1;
    for (int r = 0; r < kQualityRecords; ++r) {
      const uint8_t* from = RxBuf + 4 + kQualityRecordSize * r;
      uint8_t* to = KksLog[block] + kQualityRecordSize * r;
      for (int i = 0; i < 5; ++i) to[i] = static_cast<uint8_t>(BcdToBin(from[i]));
      for (int i = 5; i < kQualityRecordSize; ++i) to[i] = from[i];  // kind and voltage as they are
    }
  }
  return 0;
}

int TMainForm::RxdUIFWVAR(int Phase) {
  ExpLen = kMonitorAnswerLength;
  ClrBuf();
  TxBuf[4] = static_cast<uint8_t>(Phase);
  SendRequest(0x22, 7);
  WaitCounted(kMonitorAnswerLength, 5, kMonitorAnswerLength, true);
  return CheckRead(kMonitorAnswerLength, 0x22);
}
