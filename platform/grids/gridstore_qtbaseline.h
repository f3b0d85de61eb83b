// The yardstick of the grid store's fill benchmark (bench/bench_gridfill.cpp):
// the same cells set in a Qt item model. It lives in an implementation file
// of the platform so that no Qt header reaches the benchmark.
#pragma once

#include <memory>

#include "platform/rtl/sysbase.h"

class TQtItemModelFill {
public:
  // A standard item model of Rows x Cols empty cells.
  TQtItemModelFill(int Rows, int Cols);
  ~TQtItemModelFill();
  TQtItemModelFill(const TQtItemModelFill&) = delete;
  TQtItemModelFill& operator=(const TQtItemModelFill&) = delete;

  // Sets the display text of a cell, as a grid's Cells does.
  void SetText(int Col, int Row, const AnsiString& Text);
  AnsiString GetText(int Col, int Row) const;

private:
  struct TModel;
  std::unique_ptr<TModel> FModel;
};
