// CRC, buffers, the pause after a send and packed BCD.
#include "meter/Comands.h"

#include <cstring>

#include "app/sdimain.h"
#include "platform/rtl/syncobjs.h"

int comands::BcdToBin(int Value) { return (Value & 0x0F) + 10 * ((Value >> 4) & 0x0F); }

int comands::BinToBcd(int Value) { return Value % 10 + 16 * (Value / 10); }

int32_t TMainForm::CalcPoly(const uint8_t* Data, int Length) {
  uint32_t reg = 0;
  for (int i = 0; i < Length; ++i) {
    for (int bit = 0; bit < 8; ++bit) reg = (reg & 0x8000) ? (reg << 1) ^ 0x1021 : reg << 1;
    reg ^= Data[i];
  }
  return static_cast<int32_t>(reg);
}

void TMainForm::ClrBuf() {
  std::memset(RxBuf, 0, sizeof RxBuf);
  std::memset(TxBuf, 0, sizeof TxBuf);
  std::memset(SpareBuf, 0, sizeof SpareBuf);
}

void TMainForm::Del(int Steps) {
  // Gives the meter time to turn the line round; the bar shows it.
  ProgressBar1->SetMax(Steps);
  for (int i = 0; i < Steps; ++i) {
    Sleep(2);
    ProgressBar1->SetPosition(ProgressBar1->GetPosition() + 1);
  }
  Sleep(20);
  ProgressBar1->SetPosition(0);
}
