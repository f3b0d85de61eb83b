// Identification by the short request and by factory number, the random and
// the password login.
#include <cstring>

#include "meter/Comands.h"
#include "platform/rtl/codepages.h"
#include "tests/meter/meter_fixture.h"

using namespace comands;

TEST(CoderPsw, CodesAsTheMeterExpects) {
  struct Case {
    uint32_t Password, Random, Coded;
  } cases[] = {
      // v = 0: one step that changes nothing
      {static_cast<uint32_t>(-0x6C29), 0x12345678, 0x12345678},
      // v = 0x6C29: byte sum 149 gives six plain shifts, no carry reaches bit 0
      {0, 0, 0x6C29u << 1 ^ 0x6C29u << 2 ^ 0x6C29u << 3 ^ 0x6C29u << 4 ^ 0x6C29u << 5 ^ 0x6C29u << 6},
      {0, 0xFFFFFFFF, ~(0x6C29u << 1 ^ 0x6C29u << 2 ^ 0x6C29u << 3 ^ 0x6C29u << 4 ^ 0x6C29u << 5 ^ 0x6C29u << 6)},
      // v = 0x80808080: signed byte sum -512, one step, bit 31 only goes to the carry
      {0x80808080u - 0x6C29u, 0, 0x01010100},
      // v = 0x7F7F7F7F: sum 508, thirteen steps with the carry coming round
      {0x7F7F7F7Fu - 0x6C29u, 0, 0x1F1F10F0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(static_cast<uint32_t>(CoderPsw(static_cast<int32_t>(c.Password), static_cast<int32_t>(c.Random))),
              c.Coded)
        << std::hex << c.Password;
}

class ExchangeIdent : public MeterExchangeTest {
protected:
  void SetPlaceBytes(const char* Bytes, size_t Count) {
    Meter->Update([&](TMeterState& s) {
      s.Place.fill(0);
      std::memcpy(s.Place.data(), Bytes, Count);
    });
  }
};

TEST_F(ExchangeIdent, ShortIdentificationTakesTheAddressFromTheAnswer) {
  // A factory number above 24 bits: only its fourth byte survives.
  Form->Zav_n->SetValue(0x01000005);
  Open();
  const std::string place = Utf8ToCp1251("Щит учёта №12345");  // 16 characters fill the field
  ASSERT_EQ(place.size(), 16u);
  SetPlaceBytes(place.data(), place.size());
  Form->SerNumErr = 0x5A;  // the member after PlaceText

  EXPECT_EQ(Form->RxdInfo(), 0);
  EXPECT_EQ(LastRequest(), (TBytes{0x00, 0x7F, 0x8F, 0x78}));
  EXPECT_EQ(Form->ExpLen, 28);
  EXPECT_EQ(Status(), "     Связь установлена по заводскому адресу");
  // The monitor line is written before the factory number changes.
  EXPECT_EQ(LastMonitorLine(), "№16777221 " + Meter->PortName() + " 0x7F " + Status());
  EXPECT_EQ(Form->MeterAddr, 0x01011170);
  EXPECT_EQ(Form->Zav_n->GetValue(), 0x01011170);
  EXPECT_EQ(Form->Label_model->GetCaption(), "3");
  EXPECT_EQ(Form->Label_version->GetCaption(), "23.05.1");
  EXPECT_EQ(Form->Label_place->GetCaption(), "Щит учёта №12345");
  EXPECT_EQ(std::memcmp(Form->PlaceText, place.data(), 16), 0);
  EXPECT_EQ(Form->SerNumErr, 0x5A);
  EXPECT_EQ(Form->Place_e->GetText(), "");  // only the identification by number fills the edit
}

TEST_F(ExchangeIdent, IdentificationByNumberFillsThePlaceEdit) {
  Open();
  SetPlaceBytes("ABCD\0FGH", 8);  // a zero at offset 14 of the answer ends the text
  Meter->Update([](TMeterState& s) {
    s.Model = -2;
    s.Version = 523;
  });
  EXPECT_EQ(Form->RxdRdInfo(), 0);
  EXPECT_EQ(Status(), "     Установлена связь по заводскому номеру");
  EXPECT_EQ(Form->Label_place->GetCaption(), "ABCD");
  EXPECT_EQ(Form->Place_e->GetText(), "ABCD");
  EXPECT_EQ(Form->Label_model->GetCaption(), "-2");
  EXPECT_EQ(Form->Label_version->GetCaption(), "23.05.0");
}

TEST_F(ExchangeIdent, FailuresLeaveTheIdentityAndGiveTheirCodes) {
  struct Case {
    bool Short;  // RxdInfo, else RxdRdInfo
    TMeterFault Fault;
    int Code;
    const char* Text;
  } cases[] = {
      {true, TMeterFault::Truncated(1).For(0x7F), 1, kCountText},
      {true, TMeterFault::WrongCommand().For(0x7F), 2, kCommandText},
      {true, TMeterFault::BadCrc().For(0x7F), 3, kCrcText},
      {false, TMeterFault::WrongCommand().For(0x25), 1, kCommandText},
      {false, TMeterFault::BadCrc().For(0x25), 1, kCrcText},
  };
  Open();
  Form->Label_model->SetCaption("-");
  for (const Case& c : cases) {
    Meter->AddFault(c.Fault);
    EXPECT_EQ(c.Short ? Form->RxdInfo() : Form->RxdRdInfo(), c.Code) << c.Text;
    EXPECT_EQ(Status(), c.Text);
    // The short request's CRC stood at TxBuf[3]; the line shows the command.
    EXPECT_EQ(LastMonitorLine(), "№70000 " + Meter->PortName() + (c.Short ? " 0x7F " : " 0x25 ") + c.Text);
    EXPECT_EQ(Form->Label_model->GetCaption(), "-");
    EXPECT_EQ(Form->MeterAddr, 70000);
  }
}

TEST_F(ExchangeIdent, LoginWithTheCodedPassword) {
  Meter->Update([](TMeterState& s) { s.Password = 628; });
  Form->Password->SetText("628");
  Open();
  EXPECT_EQ(Form->RxdRdRandom(), 0);
  EXPECT_EQ(Form->PswValue, 628);
  EXPECT_EQ(Form->PswCoded, static_cast<uint32_t>(CoderPsw(628, Meter->GetState().Random)));
  EXPECT_EQ(Form->RxdWrPsw(), 0);
  const TBytes sent = LastRequest();
  ASSERT_EQ(sent.size(), 10u);
  EXPECT_EQ(sent[3], 0x20);
  uint32_t coded = 0;
  std::memcpy(&coded, sent.data() + 4, 4);  // little-endian on the wire and here
  EXPECT_EQ(coded, Form->PswCoded);
  EXPECT_EQ(Status(), "     Установлена связь по заводскому номеру и паролю");
  EXPECT_EQ(LastMonitorLine(), "№70000 " + Meter->PortName() + " 0x20 " + Status());
}

TEST_F(ExchangeIdent, RefusedPasswordClosesThePort) {
  Meter->Update([](TMeterState& s) { s.Password = 1; });
  Open();
  ASSERT_EQ(Form->RxdRdRandom(), 0);
  EXPECT_EQ(Form->RxdWrPsw(), 1);
  EXPECT_EQ(Status(), kPasswordText);
  EXPECT_EQ(LastMonitorLine(), "№70000 " + Meter->PortName() + " 0x20 " + kPasswordText);
  EXPECT_FALSE(Form->srComm1->GetActive());
  EXPECT_EQ(Form->RxdWrPsw(), 1);  // nothing goes out on the closed port
  EXPECT_EQ(Status(), kCountText);
}

TEST_F(ExchangeIdent, PasswordThatIsNoNumberIsNeverSent) {
  Form->Password->SetText("62x");
  Form->PswCoded = 0xC0DE;
  Open();
  EXPECT_NE(Form->RxdRdRandom(), 0);  // the caller must not go on to the login
  ASSERT_EQ(TestRecordedMessageBoxes().size(), 1u);
  EXPECT_EQ(TestRecordedMessageBoxes()[0].Text, "Введите число; Повторите ввод !  ");
  EXPECT_EQ(Form->PswCoded, 0xC0DEu);  // the meter's random was not put where the login takes it
}

TEST_F(ExchangeIdent, FailedRandomKeepsThePassword) {
  Form->PswValue = 7;
  Form->PswCoded = 9;
  Open();
  Meter->AddFault(TMeterFault::BadCrc().For(0x1C));
  EXPECT_EQ(Form->RxdRdRandom(), 1);
  EXPECT_EQ(Status(), kCrcText);
  EXPECT_EQ(Form->PswValue, 7);
  EXPECT_EQ(Form->PswCoded, 9u);
}
