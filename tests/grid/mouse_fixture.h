// A shown grid on a form, driven by the test mouse on the real message path,
// and the events the press and release tests record in order.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/grid/shown_grid.h"

class MouseGrid : public ::testing::Test {
protected:
  void SetUp() override {
    Form = OpenTestForm(500, 300);
    G = PlaceGrid(Form, 500, 300, 5, 6);
    FillNumbered(G);
    G->OnClickCell = [this](TObject*, int R, int C) { Log("click", C, R); };
    ShowTestForm(Form, G);
  }
  void TearDown() override { CloseTestForm(Form); }
  void Log(const std::string& What, int A, int B) {
    Events.push_back(What + " " + std::to_string(A) + "," + std::to_string(B));
  }
  POINT At(int X, int Y) { return ClientPointToScreen(G->GetHandle(), X, Y); }
  // A point of the cell: its middle, or Dx / Dy from its left / top when given.
  POINT Cell(int C, int R, int Dx = -1, int Dy = -1) {
    TRect Rc = G->CellRect(C, R);
    return At(Dx < 0 ? (Rc.left + Rc.right) / 2 : Rc.left + Dx, Dy < 0 ? (Rc.top + Rc.bottom) / 2 : Rc.top + Dy);
  }
  // Presses lie apart in time: two in a row are never a double click.
  void Down(POINT P, unsigned Shift = tsNone) {
    AdvanceTestClock(1000);
    TestMouseDown(P, TMouseButton::Left, Shift);
    PumpUntilIdle();
  }
  void Up(POINT P, unsigned Shift = tsNone) {
    TestMouseUp(P, TMouseButton::Left, Shift);
    PumpUntilIdle();
  }
  void ClickAt(POINT P, unsigned Shift = tsNone) {
    Down(P, Shift);
    Up(P, Shift);
  }
  TForm* Form = nullptr;
  VIduZozezuVodu* G = nullptr;
  std::vector<std::string> Events;
};
