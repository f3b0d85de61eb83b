// TGridStrings: a row or a column of a TGridStore seen as TStrings. Item i
// is the cell at column i of the row (or row i of the column) with its
// object; the count is the store's current column (row) count.
//
// Clear empties the texts and keeps the objects (the store never owns them).
// Add fills the cells in order from the start, or from the last Clear, so
// the inherited Text, CommaText and AddStrings setters write the cells one
// by one; Insert and Delete are refused: a view cannot change the grid's
// shape. Assign copies the texts and objects of another list over the whole
// count; cells past the end of a shorter source are emptied.
#pragma once

#include "platform/grids/gridstore.h"

class TGridStrings : public TStrings {
 public:
  enum TKind { gkRow, gkCol };
  TGridStrings(TGridStore* AStore, TKind AKind, int AIndex)
      : FStore(AStore), FKind(AKind), FIndex(AIndex) {}

  AnsiString Get(int Index) const override;
  int GetCount() const override;
  void Put(int Index, const AnsiString& S) override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const AnsiString& S) override;
  int Add(const AnsiString& S) override;
  void Assign(TPersistent* Source) override;

 private:
  void Check(int Index) const;
  int Col(int Index) const { return FKind == gkRow ? Index : FIndex; }
  int Row(int Index) const { return FKind == gkRow ? FIndex : Index; }

  TGridStore* FStore;
  TKind FKind;
  int FIndex;
  int FAddPos = 0;  // next cell that Add fills
};
