// Power and energy limits with their two flag bytes (the 22-byte limit frame).
#include "app/sdimain.h"
#include "meter/Comands.h"
#include "platform/rtl/sysutils.h"

using namespace comands;

namespace {

constexpr int kLimitFrameLength = 22;
// Offsets in the limit frame.
constexpr int kFlagsAAt = 4;
constexpr int kPowerAt = 5;     // 16 bits, hundredths of a kW
constexpr int kEnergyAt = 7;    // four times 24 bits, kWh
constexpr int kFlagsBAt = 19;

struct TFlagBox {
  uint8_t Bit;
  TCheckBox* TMainForm::*Box;
};

// Flag byte A: every bit has its box.
constexpr TFlagBox kFlagsABoxes[] = {
    {0x01, &TMainForm::CheckBox28}, {0x02, &TMainForm::CheckBox27}, {0x04, &TMainForm::CheckBox26},
    {0x08, &TMainForm::CheckBox25}, {0x10, &TMainForm::CheckBox24}, {0x20, &TMainForm::CheckBox23},
    {0x40, &TMainForm::CheckBox22}, {0x80, &TMainForm::CheckBox21},
};
// Flag byte B: bits 4 and 7 have no box (written 0, ignored when read).
constexpr TFlagBox kFlagsBBoxes[] = {
    {0x01, &TMainForm::CheckBox13}, {0x02, &TMainForm::CheckBox12}, {0x04, &TMainForm::CheckBox11},
    {0x08, &TMainForm::CheckBox10}, {0x20, &TMainForm::CheckBox9},  {0x40, &TMainForm::CheckBox14},
};

template <size_t N>
uint8_t FlagsOf(const TMainForm& F, const TFlagBox (&Boxes)[N]) {
  uint8_t flags = 0;
  for (const TFlagBox& b : Boxes)
    if ((F.*b.Box)->GetChecked()) flags |= b.Bit;
  return flags;
}

template <size_t N>
void ShowFlags(TMainForm& F, const TFlagBox (&Boxes)[N], uint8_t Flags) {
  for (const TFlagBox& b : Boxes)
    if (Flags & b.Bit) (F.*b.Box)->SetChecked(true);
}

uint32_t GetLe(const uint8_t* From, int Width) {
  uint32_t v = 0;
  for (int i = 0; i < Width; ++i) v |= static_cast<uint32_t>(From[i]) << (8 * i);
  return v;
}

void PutLe(uint8_t* To, uint32_t Value, int Width) {
  for (int i = 0; i < Width; ++i) To[i] = static_cast<uint8_t>(Value >> (8 * i));
}

}  // namespace

int TMainForm::Limit_rd() {
  ExpLen = kLimitFrameLength;
  ClrBuf();
  SendRequest(0x2B, 6);
  WaitCounted(kLimitFrameLength, 12, kLimitFrameLength, true);
  if (const int failed = CheckRead(kLimitFrameLength, 0x2B)) return failed;

  LimitFlagsA = RxBuf[kFlagsAAt];
  ShowFlags(*this, kFlagsABoxes, LimitFlagsA);
  // With its hundredths, so that writing back what was read keeps them.
  PowerLimit = static_cast<int32_t>(GetLe(RxBuf + kPowerAt, 2));
  Limit_Power_Edit->SetText(FloatToStr(PowerLimit / 100.0));
  TEdit* const energyEdits[4] = {Limit_Energy_Edit1, Limit_Energy_Edit2, Limit_Energy_Edit3, Limit_Energy_Edit4};
  for (int k = 0; k < 4; ++k) {
    // The wire holds 24 bits; nothing of an earlier value may stay above them.
    EnergyLimit[k] = static_cast<int32_t>(GetLe(RxBuf + kEnergyAt + 3 * k, 3));
    energyEdits[k]->SetText(IntToStr(EnergyLimit[k]));
  }
  LimitFlagsB = RxBuf[kFlagsBAt];
  ShowFlags(*this, kFlagsBBoxes, static_cast<uint8_t>(LimitFlagsB));
  return 0;
}

int TMainForm::Limit_wr() {
  LimitFlagsB = FlagsOf(*this, kFlagsBBoxes);
  LimitFlagsA = FlagsOf(*this, kFlagsABoxes);
  ExpLen = kLimitFrameLength;
  ClrBuf();
  TxBuf[kFlagsAAt] = LimitFlagsA;
  PutLe(TxBuf + kPowerAt, static_cast<uint32_t>(PowerLimit), 2);
  for (int k = 0; k < 4; ++k) PutLe(TxBuf + kEnergyAt + 3 * k, static_cast<uint32_t>(EnergyLimit[k]), 3);
  TxBuf[kFlagsBAt] = static_cast<uint8_t>(LimitFlagsB);
  SendRequest(0x2C, kLimitFrameLength);
  WaitCounted(kAckLength, 5, kLimitFrameLength, true);
  return CheckAck(0x2C);
}
