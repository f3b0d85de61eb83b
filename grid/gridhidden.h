// Hidden rows: each one lives outside the cell store as a TGridItem with its
// real index, its cells (texts with their cell objects), its height and the
// hide level that hid it.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "platform/grids/gridstore.h"
#include "platform/rtl/classes_collection.h"
#include "platform/rtl/classes_strings.h"

class TGridItemPool;

class TGridItem : public TCollectionItem {
public:
  explicit TGridItem(TCollection* Collection);
  ~TGridItem() override;
  // A filter hides rows by the hundred thousand: a TGridItems makes its
  // items in its own pool (large blocks, slots reused once freed), others
  // come from the heap. Either kind is freed with delete.
  static void* operator new(std::size_t Size);
  static void* operator new(std::size_t Size, TGridItemPool* Pool);
  static void operator delete(void* P);
  static void operator delete(void* P, TGridItemPool* Pool);
  // Sets up an item the grid has just added for a row it hides, leaving
  // the collection's index to the grid (no stale mark).
  void Place(int Idx, int Height, int Level, bool Listed) {
    FIdx = Idx;
    FHeight = Height;
    FLevel = Level;
    FListed = Listed;
  }
  int GetIdx() const { return FIdx; }
  void SetIdx(int Value);
  // The row's texts and objects by column. A row hidden by the grid keeps
  // its cell block as the store had it until this is first asked for.
  TStringList* GetItems() const;
  // Takes Value in place of the current list (which is freed).
  void SetItems(TStringList* Value);
  int GetHeight() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  int GetLevel() const { return FLevel; }
  void SetLevel(int Value) { FLevel = Value; }
  // Hidden by a row list (a filter level), not by the range operations:
  // only these items come back with that level.
  bool GetListed() const { return FListed; }
  void SetListed(bool Value) { FListed = Value; }

  // Slot of each column when the block was taken; null for the identity.
  using TColSlots = std::shared_ptr<const std::vector<int>>;
  // Holds the block taken out of Store for Cols columns laid out by Slots.
  void HoldCells(TGridStore* Store, TGridRow Cells, TColSlots Slots, int Cols);
  bool HoldsCells() const { return FCellStore != nullptr; }
  const TColSlots& GetColSlots() const { return FColSlots; }
  int GetHeldCols() const { return FHeldCols; }
  // Hands the held block back (the item then has an empty row).
  TGridRow TakeCells();
  // Every object slot of the row, list or held block alike.
  void ForEachObject(const std::function<void(TObject*&)>& Fn);

private:
  void ReleaseCells();

  int FIdx = 0;
  mutable TStringList* FItems = nullptr;
  mutable TGridStore* FCellStore = nullptr;
  mutable TGridRow FCells;
  TColSlots FColSlots;
  int FHeldCols = 0;
  int FHeight = 0;
  int FLevel = 0;
  bool FListed = false;
};

// The grid keeps a sorted index over the items' Idx; any change made to the
// collection or to an Idx from outside marks that index stale, and the grid
// rebuilds it on its next query.
class TGridItems : public TCollection {
public:
  TGridItems();
  ~TGridItems() override;
  TGridItem* Item(int Index) const { return static_cast<TGridItem*>(GetItem(Index)); }
  bool GetIndexStale() const { return FIndexStale; }
  void SetIndexStale(bool Value) { FIndexStale = Value; }

protected:
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
  bool FIndexStale = true;
  TGridItemPool* FPool;
};
