// The yardstick of the grid sort benchmark (bench/bench_structure.cpp): the
// same column of texts sorted in a Qt item model. It lives in an
// implementation file of the platform so that no Qt header reaches the
// benchmark.
#pragma once

#include <memory>
#include <vector>

#include "platform/rtl/sysbase.h"

class TQtItemModelSort {
public:
  // A standard item model of one column holding the texts.
  explicit TQtItemModelSort(const std::vector<AnsiString>& Texts);
  ~TQtItemModelSort();
  TQtItemModelSort(const TQtItemModelSort&) = delete;
  TQtItemModelSort& operator=(const TQtItemModelSort&) = delete;

  // Sorts the rows ascending by the column's display texts.
  void Sort();
  AnsiString GetText(int Row) const;

private:
  struct TModel;
  std::unique_ptr<TModel> FModel;
};
