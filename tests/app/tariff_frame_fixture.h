// A tariff frame filling a shown form on the test kernel.
#pragma once

#include <gtest/gtest.h>

#include "app/UFrame1.h"
#include "platform/windows/winkernel_testing.h"

class TariffFrameHost : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    Host = new TForm(nullptr);
    Host->SetBounds(0, 0, 1100, 700);
    F = new TFrame1(Host);
    F->SetParent(Host);
    F->SetAlign(alClient);
    Host->FinishLoading();
    Host->Show();
    PumpUntilIdle();
  }
  void TearDown() override {
    delete Host;
    TestResetKernel();
  }
  TForm* Host = nullptr;
  TFrame1* F = nullptr;
};
