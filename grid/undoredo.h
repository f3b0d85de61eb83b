// Undo and redo of cell text changes made by the user in one grid. The grid
// reports each accepted change; start and stop markers bracket changes that
// undo and redo as one unit.
#pragma once

#include <functional>

#include "platform/rtl/classes_collection.h"
#include "platform/rtl/classes_component.h"

class TBaseGrid;

class TUndoRedoItem : public TCollectionItem {
public:
  using TCollectionItem::TCollectionItem;
  void Assign(TPersistent* Source) override;

  AnsiString GetValue() const { return FValue; }
  void SetValue(const AnsiString& V) { FValue = V; }
  AnsiString GetOrigValue() const { return FOrigValue; }
  void SetOrigValue(const AnsiString& V) { FOrigValue = V; }
  int GetCol() const { return FCol; }
  void SetCol(int V) { FCol = V; }
  int GetRow() const { return FRow; }
  void SetRow(int V) { FRow = V; }
  bool GetSequenceStart() const { return FSequenceStart; }
  void SetSequenceStart(bool V) { FSequenceStart = V; }
  bool GetSequenceStop() const { return FSequenceStop; }
  void SetSequenceStop(bool V) { FSequenceStop = V; }

private:
  AnsiString FValue;
  AnsiString FOrigValue;
  int FCol = 0;
  int FRow = 0;
  bool FSequenceStart = false;
  bool FSequenceStop = false;
};

class TUndoRedoCollection : public TCollection {
public:
  TUndoRedoCollection() : TCollection(ItemClass<TUndoRedoItem>()) {}
  TUndoRedoItem* Add() { return static_cast<TUndoRedoItem*>(TCollection::Add()); }
  TUndoRedoItem* Items(int Index) const { return static_cast<TUndoRedoItem*>(GetItem(Index)); }
};

using TDidAvovUndoRedoEvent = std::function<void(TObject* Sender, TBaseGrid* Grid, int Col, int Row,
                                                 const AnsiString& OrigValue, const AnsiString& NewValue)>;

class TDidAvovUndoRedo : public TComponent {
public:
  explicit TDidAvovUndoRedo(TComponent* AOwner);
  ~TDidAvovUndoRedo() override;

  virtual void RegisterChange(int ACol, int ARow, const AnsiString& OrigValue, const AnsiString& NewValue);
  virtual void StartSequence();
  virtual void StopSequence();

  void Undo();
  void Redo();
  bool CanUndo() const { return FLevel > 0; }
  bool CanRedo() const { return FLevel < FItems->GetCount(); }
  // Frees every item; the level goes back to 0 with them.
  void Reset();

  int GetMaxLevel() const { return FMaxLevel; }
  void SetMaxLevel(int Value) { FMaxLevel = Value; }
  int GetLevel() const { return FLevel; }
  TUndoRedoCollection* GetItems() const { return FItems; }
  TBaseGrid* GetGrid() const { return FGrid; }
  // Set by the grid's UndoRedo writer; the grid clears it when it goes.
  void SetGrid(TBaseGrid* Value);

  void Notification(TComponent* AComponent, TOperation Operation) override;

  TDidAvovUndoRedoEvent OnUndo;
  TDidAvovUndoRedoEvent OnRedo;

private:
  TUndoRedoItem* Marker(bool Start);
  void UndoItem(TUndoRedoItem* It);
  void RedoItem(TUndoRedoItem* It);

  TUndoRedoCollection* FItems;
  int FLevel = 0;
  int FMaxLevel = 0;
  TBaseGrid* FGrid = nullptr;
};
