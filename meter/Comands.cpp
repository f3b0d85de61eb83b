// CRC, buffers, the pause after a send and packed BCD.
#include "meter/Comands.h"

#include <cstring>

#include "app/sdimain.h"
#include "meter/Comands_decode.h"
#include "platform/rtl/syncobjs.h"

int32_t TMainForm::CalcPoly(const uint8_t* Data, int Length) { return comands::Crc16(Data, Length); }

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
