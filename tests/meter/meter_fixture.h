// The main window built headless with the simulated meter on a pty chosen as
// its port, the answer wait at its minimum. Exchanges run on the test thread
// (they pump messages themselves), between Open() and Close().
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/sdimain.h"
#include "platform/rtl/sysutils.h"
#include "platform/windows/winkernel_testing.h"
#include "tests/support/metersim.h"

class MeterExchangeTest : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    Meter = std::make_unique<TMeterSim>();
    Form = new TMainForm(Application);
    MainForm = Form;
    Form->FinishLoading();  // runs FormCreate, which lists the ports
    const int port = Form->ComboBox1->Items()->IndexOf(Meter->PortName());
    ASSERT_GE(port, 0) << "the simulated meter's port is not listed";
    Form->ComboBox1->SetItemIndex(port);
    Form->ComboBox2->SetItemIndex(Form->ComboBox2->Items()->IndexOf("9600"));
    Form->TimeOut->SetValue(100);
    Form->Zav_n->SetValue(static_cast<int>(Meter->GetState().Address));
    Form->SleepHook = [](DWORD) {};  // the pauses between tries add nothing here
  }
  void TearDown() override {
    Form->srComm1->SetActive(false);
    delete Form;
    MainForm = nullptr;
    Meter.reset();
    TestResetKernel();
  }
  // Opens the port as an operation does (and sets MeterAddr).
  void Open() { ASSERT_EQ(Form->Connect(), 1); }
  void Close() { Form->srComm1->SetActive(false); }

  std::string Status() const { return Form->GetStatusText(); }
  std::string LastMonitorLine() const {
    TStrings* items = Form->Monitor->Items();
    return items->Count() ? items->Get(items->Count() - 1) : std::string();
  }
  TBytes LastRequest() const {
    auto log = Meter->Requests();
    return log.empty() ? TBytes{} : log.back().Request;
  }

  std::unique_ptr<TMeterSim> Meter;
  TMainForm* Form = nullptr;
};
