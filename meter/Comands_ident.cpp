// Identification (short and by factory number) and the password login.
#include <cstring>
#include <string>

#include "app/sdimain.h"
#include "meter/Comands.h"
#include "meter/Comands_decode.h"
#include "platform/rtl/codepages.h"
#include "platform/rtl/sysutils.h"

using namespace comands;

namespace {

constexpr int kIdentLength = 28;
constexpr int kPlaceOffset = 10;

// "10523" shows as "23.05.1"; shorter numbers are taken with leading zeros.
AnsiString VersionText(int16_t Version) {
  std::string digits = std::to_string(Version);
  if (digits.size() < 5) digits.insert(0, 5 - digits.size(), '0');
  digits.resize(5);
  return digits.substr(3, 2) + "." + digits.substr(1, 2) + "." + digits.substr(0, 1);
}

void DecodeIdentity(TMainForm& F, bool FillPlaceEdit) {
  const uint8_t* rx = F.RxBuf;
  // PlaceText has room for exactly the field; a full field has no terminator.
  std::memcpy(F.PlaceText, rx + kPlaceOffset, kPlaceSize);
  const AnsiString place = DecodePlace(rx + kPlaceOffset);
  F.Label_place->SetCaption(place);
  if (FillPlaceEdit) F.Place_e->SetText(place);

  F.MeterModel = static_cast<int16_t>(rx[4] | rx[5] << 8);
  F.Label_model->SetCaption(IntToStr(F.MeterModel));
  F.MeterVersion = static_cast<int16_t>(rx[6] | rx[7] << 8);
  F.Label_version->SetCaption(VersionText(F.MeterVersion));

  // The fourth byte is not on the wire and keeps what the window gave.
  const uint32_t high = static_cast<uint32_t>(F.MeterAddr) & 0xFF000000u;
  F.MeterAddr = static_cast<int32_t>(high | rx[0] | rx[1] << 8 | rx[2] << 16);
  F.Zav_n->SetValue(F.MeterAddr);
}

}  // namespace

std::int32_t comands::CoderPsw(std::int32_t Password, std::int32_t Random) {
  uint32_t v = static_cast<uint32_t>(Password) + 0x6C29u;
  int sum = 0;
  for (int i = 0; i < 4; ++i) sum += static_cast<int8_t>(static_cast<uint8_t>(v >> (8 * i)));
  const int steps = (sum & 15) + 1;
  uint32_t random = static_cast<uint32_t>(Random);
  uint32_t carry = 0;
  for (int i = 0; i < steps; ++i) {
    const uint32_t out = v >> 31;
    v = (v << 1) | carry;
    random ^= v;
    carry = out;
  }
  return static_cast<std::int32_t>(random);
}

int TMainForm::RxdInfo() {
  ExpLen = kIdentLength;
  ClrBuf();
  TxBuf[0] = 0x00;
  TxBuf[1] = 0x7F;
  SendFrame(4);
  WaitCounted(kIdentLength, 5, kIdentLength, false);
  // The monitor line shows TxBuf[3] as the command; here it held the CRC.
  TxBuf[3] = 0x7F;
  TAnswerCodes codes;
  codes.Command = 2;
  codes.Crc = 3;
  if (int failed = CheckRead(kIdentLength, 0x7F, codes)) return failed;
  SetStatusText("     Связь установлена по заводскому адресу");
  Display_mon();
  DecodeIdentity(*this, false);
  return 0;
}

int TMainForm::RxdRdInfo() {
  ExpLen = kIdentLength;
  ClrBuf();
  Repaint();
  SendRequest(0x25, 6);
  WaitCounted(kIdentLength, 5, kIdentLength, false);
  if (CheckRead(kIdentLength, 0x25)) return 1;
  SetStatusText("     Установлена связь по заводскому номеру");
  Display_mon();
  DecodeIdentity(*this, true);
  return 0;
}

int TMainForm::RxdRdRandom() {
  ClrBuf();
  SendRequest(0x1C, 6);
  WaitFixedPause();
  if (CheckRead(10, 0x1C)) return 1;
  Integer password = 0;
  if (!TryStrToInt(Password->GetText(), password)) {
    // Nothing is coded: the meter's random must never go out as a password.
    Application->MessageBox(kNotANumberText, Application->GetTitle(), MB_OK);
    return 1;
  }
  PswValue = password;
  PswCoded = static_cast<uint32_t>(CoderPsw(PswValue, LeInt32(RxBuf + 4)));
  return 0;
}

int TMainForm::RxdWrPsw() {
  ClrBuf();
  PutLeInt32(TxBuf + 4, static_cast<int32_t>(PswCoded));
  SendRequest(0x20, 10);
  WaitFixedPause();
  if (CheckRead(kAckLength, 0x20)) return 1;
  if (RxBuf[4] != kAccepted) {
    ExchangeFailure(kPasswordText, 1);
    srComm1->SetActive(false);
    return 1;
  }
  SetStatusText("     Установлена связь по заводскому номеру и паролю");
  Display_mon();
  return 0;
}
