// Consistency checker for the grid's cell store, run after every step of the
// core grid tests: merged areas (spans in the base, offsets elsewhere) and
// the hidden-row store (remapping agrees with a walk over the hidden rows).
#pragma once

#include <gtest/gtest.h>

#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"

inline void CheckMerges(TBaseGrid& G) {
  for (int c = 0; c < G.GetColCount(); ++c)
    for (int r = 0; r < G.GetRowCount(); ++r) {
      if (!G.HasCellProperties(c, r)) continue;
      TCellProperties* P = G.GetCellProperties(c, r);
      if (P->CellSpanX == -1 || P->CellSpanY == -1) {
        ASSERT_TRUE(P->IsBaseCell) << c << "," << r;
        continue;
      }
      if (P->IsBaseCell) {
        // Every cell of the area points back at this base.
        for (int i = 0; i <= P->CellSpanX; ++i)
          for (int j = 0; j <= P->CellSpanY; ++j) {
            if (i == 0 && j == 0) continue;
            ASSERT_TRUE(G.HasCellProperties(c + i, r + j)) << c + i << "," << r + j;
            TCellProperties* Q = G.GetCellProperties(c + i, r + j);
            ASSERT_FALSE(Q->IsBaseCell);
            ASSERT_EQ(Q->CellSpanX, i);
            ASSERT_EQ(Q->CellSpanY, j);
          }
      } else {
        TPoint B = G.BaseCell(c, r);
        ASSERT_TRUE(G.HasCellProperties(B.x, B.y));
        TCellProperties* BP = G.GetCellProperties(B.x, B.y);
        ASSERT_TRUE(BP->IsBaseCell);
        ASSERT_LE(c, B.x + BP->CellSpanX);
        ASSERT_LE(r, B.y + BP->CellSpanY);
      }
    }
}

inline void CheckHidden(VIduZozezuVodu& G) {
  CheckMerges(G);
  // By the grid's queries alone: asking the store for its items would make
  // items of rows the grid keeps without.
  int Total = G.GetAllRowCount(), Hidden = 0;
  for (int Real = 0, Displ = 0; Real < Total; ++Real) {
    if (G.IsHiddenRow(Real)) {
      ++Hidden;
      ASSERT_EQ(G.RemapRow(Real), Displ) << "hidden real row " << Real;
      continue;
    }
    ASSERT_EQ(G.RemapRow(Real), Displ) << "real row " << Real;
    ASSERT_EQ(G.RemapRowInv(Displ), Real) << "displayed row " << Displ;
    ++Displ;
  }
  // More items than hidden rows: a row hidden twice, or one past the end.
  ASSERT_EQ(Hidden, G.NumHiddenRows());
  for (int c = 0, d = 0; c < G.GetAllColCount(); ++c) {
    if (G.IsHiddenColumn(c)) continue;
    ASSERT_EQ(G.RemapCol(d), c);
    ASSERT_EQ(G.RemapColInv(c), d);
    ++d;
  }
}
