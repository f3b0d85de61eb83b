// A main window built headless, with FormCreate run, and torn down after.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "app/sdimain.h"
#include "platform/rtl/threads.h"
#include "platform/windows/winkernel_testing.h"

class MainWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    Form = new TMainForm(Application);
    MainForm = Form;
    Form->FinishLoading();  // runs FormCreate
  }
  void TearDown() override {
    delete Form;
    MainForm = nullptr;
    TestResetKernel();
  }
  // Serves synchronised calls and messages until Done holds.
  static bool PumpUntil(const std::function<bool()>& Done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!Done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      CheckSynchronize(1);
      Application->ProcessMessages();
    }
    return true;
  }
  int IndexOfPort(const AnsiString& Name) { return Form->ComboBox1->Items()->IndexOf(Name); }
  // The eleven controls an operation locks.
  std::vector<TControl*> Locked() {
    TMainForm* f = Form;
    return {f->Date_sr0, f->Date_sr1, f->ListBox1, f->Date_sr0R, f->Date_sr1R, f->ListBox2,
            f->ComboBox1, f->ComboBox2, f->Zav_n, f->Password, f->ToolBar1};
  }
  TMainForm* Form = nullptr;
};
