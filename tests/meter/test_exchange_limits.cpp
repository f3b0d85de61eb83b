// Power and energy limits and their flag boxes, against the simulated meter.
#include <array>

#include "meter/Comands.h"
#include "tests/meter/meter_fixture.h"

using namespace comands;

class LimitExchange : public MeterExchangeTest {
protected:
  // The boxes of flag byte A by bit 0..7, of flag byte B by bit (nullptr: none).
  std::array<TCheckBox*, 8> BoxesA() const {
    TMainForm* f = Form;
    return {f->CheckBox28, f->CheckBox27, f->CheckBox26, f->CheckBox25,
            f->CheckBox24, f->CheckBox23, f->CheckBox22, f->CheckBox21};
  }
  std::array<TCheckBox*, 8> BoxesB() const {
    TMainForm* f = Form;
    return {f->CheckBox13, f->CheckBox12, f->CheckBox11, f->CheckBox10, nullptr, f->CheckBox9, f->CheckBox14, nullptr};
  }
  // What the window does before a read.
  void PrepareRead() {
    for (auto boxes : {BoxesA(), BoxesB()})
      for (TCheckBox* b : boxes)
        if (b) b->SetChecked(false);
    Form->PowerLimit = 0;
  }
  static Byte Checked(const std::array<TCheckBox*, 8>& Boxes) {
    Byte flags = 0;
    for (int bit = 0; bit < 8; ++bit)
      if (Boxes[bit] && Boxes[bit]->GetChecked()) flags |= static_cast<Byte>(1 << bit);
    return flags;
  }
  static void Check(const std::array<TCheckBox*, 8>& Boxes, Byte Flags) {
    for (int bit = 0; bit < 8; ++bit)
      if (Boxes[bit]) Boxes[bit]->SetChecked(Flags & (1 << bit));
  }
};

TEST_F(LimitExchange, ReadThenWriteKeepsEveryValue) {
  Meter->Update([](TMeterState& s) {
    s.LimitFlagsA = 0x08;
    s.LimitFlagsB = 0x60;
    s.PowerLimit = 1234;  // 12.34 kW
    s.EnergyLimits = {1000000, 1, 0xFFFFFF, 0};
  });
  for (int32_t& e : Form->EnergyLimit) e = 0x7F000000;  // left over from an earlier write
  Open();
  PrepareRead();
  ASSERT_EQ(Form->Limit_rd(), 0);
  EXPECT_EQ(Form->PowerLimit, 1234);
  EXPECT_EQ(Form->Limit_Power_Edit->GetText(), FloatToStr(12.34));
  const int32_t energy[4] = {1000000, 1, 0xFFFFFF, 0};
  TEdit* edits[4] = {Form->Limit_Energy_Edit1, Form->Limit_Energy_Edit2, Form->Limit_Energy_Edit3,
                     Form->Limit_Energy_Edit4};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(Form->EnergyLimit[k], energy[k]) << k;
    EXPECT_EQ(edits[k]->GetText(), IntToStr(energy[k]));
  }
  EXPECT_EQ(Form->LimitFlagsA, 0x08);
  EXPECT_EQ(Form->LimitFlagsB, 0x60);
  EXPECT_EQ(Checked(BoxesA()), 0x08);
  EXPECT_EQ(Checked(BoxesB()), 0x60);

  Meter->Update([](TMeterState& s) {
    s.LimitFlagsA = s.LimitFlagsB = 0;
    s.PowerLimit = 0;
    s.EnergyLimits = {};
  });
  ASSERT_EQ(Form->Limit_wr(), 0);
  const TBytes req = LastRequest();
  ASSERT_EQ(req.size(), 22u);
  EXPECT_EQ(TBytes(req.begin() + 4, req.begin() + 20),
            (TBytes{0x08, 0xD2, 0x04, 0x40, 0x42, 0x0F, 0x01, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x60}));
  const TMeterState s = Meter->GetState();
  EXPECT_EQ(s.PowerLimit, 1234);
  EXPECT_EQ(s.EnergyLimits, (std::array<std::uint32_t, 4>{1000000, 1, 0xFFFFFF, 0}));
  EXPECT_EQ(s.LimitFlagsA, 0x08);
  EXPECT_EQ(s.LimitFlagsB, 0x60);
}

TEST_F(LimitExchange, FlagBytesAndTheirBoxes) {
  struct Case {
    Byte A, B;     // on the wire
    Byte BoxesB;   // the bits of B that have boxes
  } cases[] = {{0x08, 0x60, 0x60}, {0xFF, 0x90, 0x00}, {0x10, 0xFF, 0x6F}, {0x00, 0x01, 0x01}};
  Open();
  for (const Case& c : cases) {
    Meter->Update([&](TMeterState& s) {
      s.LimitFlagsA = c.A;
      s.LimitFlagsB = c.B;
    });
    PrepareRead();
    ASSERT_EQ(Form->Limit_rd(), 0);
    EXPECT_EQ(Checked(BoxesA()), c.A);
    EXPECT_EQ(Checked(BoxesB()), c.BoxesB) << int(c.B);

    Check(BoxesA(), c.A);
    Check(BoxesB(), c.B);
    ASSERT_EQ(Form->Limit_wr(), 0);
    EXPECT_EQ(LastRequest()[4], c.A);
    EXPECT_EQ(LastRequest()[19], c.BoxesB);  // bits without a box go out as 0
  }
}

TEST_F(LimitExchange, FailuresLeaveWhatTheWindowHas) {
  Meter->Update([](TMeterState& s) {
    s.LimitFlagsA = 0xFF;
    s.PowerLimit = 500;
  });
  Open();
  struct Case {
    TMeterFault Fault;
    const char* Text;
  } reads[] = {{TMeterFault::Silence(), kCountText},
               {TMeterFault::Truncated(1), kCountText},
               {TMeterFault::WrongCommand(), kCommandText},
               {TMeterFault::BadCrc(), kCrcText}};
  for (const Case& c : reads) {
    PrepareRead();
    Form->Limit_Power_Edit->SetText("");
    Meter->AddFault(c.Fault.For(0x2B));
    EXPECT_EQ(Form->Limit_rd(), 1) << c.Text;
    EXPECT_EQ(Status(), c.Text);
    EXPECT_EQ(LastMonitorLine(), "№70000 " + Meter->PortName() + " 0x2B " + c.Text);
    EXPECT_EQ(Form->PowerLimit, 0);
    EXPECT_EQ(Form->Limit_Power_Edit->GetText(), "");
    EXPECT_EQ(Checked(BoxesA()), 0);
  }
  Meter->AddFault(TMeterFault::Refused().For(0x2C));
  EXPECT_EQ(Form->Limit_wr(), 1);
  EXPECT_EQ(Status(), kStatusText);
  EXPECT_EQ(Meter->GetState().PowerLimit, 500);
}
