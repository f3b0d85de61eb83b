// Operations run through the dispatcher against the simulated meter, with
// the checks every operation shares.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "tests/meter/meter_fixture.h"

class MeterOperationTest : public MeterExchangeTest {
protected:
  // A fresh window and meter for the next case of a table.
  void Restart() {
    TearDown();
    SetUp();
  }

  // The command byte of every request on the wire, in order.
  std::vector<int> Commands() const {
    std::vector<int> out;
    for (const TMeterRequest& r : Meter->Requests())
      out.push_back(r.Request.size() == 4 && r.Request[1] == 0x7F ? 0x7F : r.Request[3]);
    return out;
  }
  int CountOf(int Cmd) const {
    int n = 0;
    for (int c : Commands()) n += c == Cmd;
    return n;
  }
  // Every addressed request went to the meter's factory number.
  void ExpectAddressed() const {
    const std::uint32_t address = Meter->GetState().Address;
    for (const TMeterRequest& r : Meter->Requests()) {
      if (r.Request.size() == 4) continue;  // the short identification has no address
      EXPECT_EQ(r.Request[0] | r.Request[1] << 8 | r.Request[2] << 16, static_cast<int>(address & 0xFFFFFF));
    }
  }
  std::string MonitorLine(const std::string& Zav, int Cmd, const std::string& Text) const {
    return "№" + Zav + " " + Meter->PortName() + " 0x" + IntToHex(Cmd, 2) + " " + Text;
  }
  // After any operation: the port closed, the eleven controls enabled, idle.
  void ExpectIdle() const {
    ExpectPortClosed();
    TMainForm* f = Form;
    for (TControl* c : std::initializer_list<TControl*>{f->Date_sr0, f->Date_sr1, f->ListBox1, f->Date_sr0R,
                                                        f->Date_sr1R, f->ListBox2, f->ComboBox1, f->ComboBox2,
                                                        f->Zav_n, f->Password, f->ToolBar1})
      EXPECT_TRUE(c->GetEnabled()) << c->GetName();
  }
  // An operation that ended before connecting locks and unlocks nothing.
  void ExpectPortClosed() const {
    EXPECT_FALSE(Form->srComm1->GetActive());
    EXPECT_FALSE(Form->IsBusy());
  }
};
