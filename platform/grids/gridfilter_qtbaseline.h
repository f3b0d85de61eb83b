// The yardstick of the grid's row filter benchmark (bench/bench_search.cpp):
// the same texts in a Qt string list model behind a sort/filter proxy with a
// wildcard. It lives in an implementation file of the platform so that no
// Qt header reaches the benchmark.
#pragma once

#include <memory>
#include <vector>

#include "platform/rtl/sysbase.h"

class TQtProxyFilter {
public:
  // A one-column model of the texts behind a proxy.
  explicit TQtProxyFilter(const std::vector<AnsiString>& Texts);
  ~TQtProxyFilter();
  TQtProxyFilter(const TQtProxyFilter&) = delete;
  TQtProxyFilter& operator=(const TQtProxyFilter&) = delete;

  // Sets the wildcard and lets the proxy filter every row; returns the
  // number of rows it accepts. An empty wildcard accepts all.
  int Filter(const AnsiString& Wildcard, bool CaseSensitive);

private:
  struct TModel;
  std::unique_ptr<TModel> FModel;
};
