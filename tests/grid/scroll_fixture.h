// A shown grid on a form with many rows and columns, for the scroll bar,
// wheel, pan and drag-scroll tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/grid/shown_grid.h"

class ScrollGrid : public ::testing::Test {
protected:
  void SetUp() override {
    Form = OpenTestForm(500, 300);
    G = PlaceGrid(Form, 500, 300, 30, 100);
    ShowTestForm(Form, G);
  }
  void TearDown() override { CloseTestForm(Form); }
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
