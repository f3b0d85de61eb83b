// A shown grid on a form with many rows and columns, for the scroll bar,
// wheel, pan and drag-scroll tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"

class ScrollGrid : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    UseTestClock();
    Application->OnException = nullptr;
    Application->InstallKernelHooks();
    Form = new TForm(nullptr);
    Form->SetFormBorderStyle(::bsNone);
    Form->SetBounds(100, 100, 500, 300);
    G = new VIduZozezuVodu(Form);
    G->SetBounds(0, 0, 500, 300);
    G->SetParent(Form);
    G->SetColCountEx(30);
    G->SetRowCountEx(100);
    Form->Show();
    G->SetFocus();
    PumpUntilIdle();
  }
  void TearDown() override {
    delete Form;
    TestResetKernel();
    UseSystemClock();
  }
  SCROLLINFO Bar(int Which) {
    SCROLLINFO si{};
    si.fMask = SIF_ALL;
    GetScrollInfo(G->Handle(), Which, &si);
    return si;
  }
  bool BarShown(int Which) {
    return (GetWindowLongA(G->Handle(), GWL_STYLE) & (Which == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
  }
  LRESULT Scroll(UINT Msg, WORD Code, int Pos = 0) {
    return SendMessageA(G->Handle(), Msg, MAKEWPARAM(Code, static_cast<WORD>(Pos)), 0);
  }
  POINT At(int X, int Y) { return ClientPointToScreen(G->Handle(), X, Y); }
  TForm* Form = nullptr;
  VIduZozezuVodu* G = nullptr;
};
