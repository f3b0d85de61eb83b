// Hidden rows: each one lives outside the cell store as a TGridItem with its
// real index, its cells (texts with their cell objects), its height and the
// hide level that hid it. Rows hidden in bulk are first kept as plain
// records and become items only when something asks for the items.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/grids/gridstore.h"
#include "platform/rtl/classes_collection.h"
#include "platform/rtl/classes_strings.h"

class TGridItemPool;

class TGridItem : public TCollectionItem {
public:
  // Joining a TGridItems makes its held rows items first, so that the new
  // item comes after them.
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

  void SetCollection(TCollection* Value) override;
  void SetIndex(int Value) override;

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

// A row hidden in bulk before any item was asked for: the item's fields and
// the cell block taken out of the store, read by its layout.
struct THeldRow {
  int Idx;
  int Height;
  int Level;
  std::uint32_t Layout : 30;
  std::uint32_t Listed : 1;
  std::uint32_t Live : 1;  // still hidden (a shown row leaves a gap)
  TGridRow Cells;
};

// The grid keeps a sorted index over the items' Idx; any change made to the
// collection or to an Idx from outside marks that index stale, and the grid
// rebuilds it on its next query.
//
// Held rows count as items after the made ones. Whatever asks for an item,
// or changes the collection, makes every held row an item first, in order.
class TGridItems : public TCollection {
public:
  TGridItems();
  ~TGridItems() override;

  int GetCount() const { return TCollection::GetCount() + static_cast<int>(FHeldLive); }
  int Count() const { return GetCount(); }
  TGridItem* Item(int Index) const { return static_cast<TGridItem*>(GetItem(Index)); }
  TCollectionItem* GetItem(int Index) const;
  TCollectionItem* Items(int Index) const { return GetItem(Index); }
  TCollectionItem* Add();
  TCollectionItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  TCollectionItem* FindItemID(int ID) const;
  void Rearrange(const std::vector<TCollectionItem*>& Order);
  void SetItem(int Index, TCollectionItem* Value);
  void Assign(TPersistent* Source) override;

  bool GetIndexStale() const { return FIndexStale; }
  void SetIndexStale(bool Value) { FIndexStale = Value; }

  // -- the made items alone (the held rows follow them)
  int MadeCount() const { return TCollection::GetCount(); }
  TGridItem* MadeItem(int Index) const { return static_cast<TGridItem*>(TCollection::GetItem(Index)); }
  void RearrangeMade(const std::vector<TCollectionItem*>& Order) { TCollection::Rearrange(Order); }

  // -- held rows, by their number (kept while they are hidden)
  // A layout for rows taken out of Store for Cols columns laid out by Slots.
  std::uint32_t HeldLayout(TGridStore* Store, TGridItem::TColSlots Slots, int Cols);
  const TGridItem::TColSlots& GetLayoutSlots(std::uint32_t Layout) const { return FLayouts[Layout].Slots; }
  int GetLayoutCols(std::uint32_t Layout) const { return FLayouts[Layout].Cols; }
  void ReserveHeld(std::size_t Count) { FHeld.reserve(FHeld.size() + Count); }
  std::uint32_t AddHeld(const THeldRow& Row);
  THeldRow& Held(std::uint32_t Number) { return FHeld[Number]; }
  const THeldRow& Held(std::uint32_t Number) const { return FHeld[Number]; }
  std::uint32_t HeldCount() const { return static_cast<std::uint32_t>(FHeld.size()); }
  // The cell of column ACol in a held row's block, or null.
  TGridCell* HeldCell(std::uint32_t Number, int ACol);
  // The row is shown again: its block (if still there) is freed. Its
  // number stays valid until TrimHeld.
  void DropHeld(std::uint32_t Number);
  // Forgets the dropped rows at the end (every row once none is left), so
  // that their room serves the next rows held.
  void TrimHeld();
  // Every held row becomes an item, in order.
  void MakeItems() const;
  // Every object slot of every hidden row, items and held rows alike.
  void ForEachObject(const std::function<void(TObject*&)>& Fn);
  // Sets each Idx to Fn(Idx), items and held rows alike.
  void Renumber(const std::function<int(int)>& Fn);

protected:
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
  struct TLayout {
    TGridStore* Store;
    TGridItem::TColSlots Slots;
    int Cols;
  };
  void DropAllHeld();

  bool FIndexStale = true;
  TGridItemPool* FPool;
  mutable TGridBigVector<THeldRow> FHeld;
  mutable std::vector<TLayout> FLayouts;
  mutable std::size_t FHeldLive = 0;
};
