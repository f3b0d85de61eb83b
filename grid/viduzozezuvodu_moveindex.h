// Where an index lands when the entry at From moves to To: the one rule that
// the cells, the hidden-column flags, the sort columns and the cell controls
// follow when a column or row moves.
#pragma once

inline int MovedIndex(int I, int From, int To) {
  if (I == From) return To;
  if (From < To && I > From && I <= To) return I - 1;
  if (From > To && I >= To && I < From) return I + 1;
  return I;
}
