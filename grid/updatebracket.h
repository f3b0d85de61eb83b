// BeginUpdate for a scope: EndUpdate runs on every way out of it.
#pragma once

template <class TGrid>
class TUpdateBracket {
public:
  explicit TUpdateBracket(TGrid* G) : FGrid(G) { FGrid->BeginUpdate(); }
  ~TUpdateBracket() { FGrid->EndUpdate(); }
  TUpdateBracket(const TUpdateBracket&) = delete;
  TUpdateBracket& operator=(const TUpdateBracket&) = delete;

private:
  TGrid* FGrid;
};
