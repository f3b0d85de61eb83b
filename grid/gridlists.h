// The grid's integer lists: TIntList (row and column index lists with a
// change event and a comma text), TSortIndexList (the multi-column sort
// order and its "u2;d5" text) and TControlList (controls placed in cells).
#pragma once

#include <cstdint>
#include <functional>

#include "platform/rtl/classes_lists.h"
#include "platform/rtl/messages.h"
#include "platform/rtl/sysbase.h"

// Raised after a change, with the cell the list belongs to.
using TIntListChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;

class TIntList : public TList {
public:
  TIntList(int ACol, int ARow) : FCol(ACol), FRow(ARow) {}

  int Add(int Value);        // raises OnChange
  void Insert(int Index, int Value);  // no event
  void Delete(int Index);    // raises OnChange
  void DeleteValue(int Value);
  bool HasValue(int Value) const;

  int GetInteger(int Index) const;
  void SetInteger(int Index, int Value);  // raises OnChange
  int operator[](int Index) const { return GetInteger(Index); }

  // "3,-1,10": decimal entries joined by ",".
  AnsiString GetStrValue() const;
  // Clears the list (no event), then adds every comma-text item with Add.
  // A non-integer item raises EConvertError after the items before it.
  void SetStrValue(const AnsiString& Value);

  TIntListChangeEvent OnChange;

protected:
  void DoChange();

private:
  int FCol;
  int FRow;
};

// Each entry: the column in bits 0..30, bit 31 set for a descending column.
class TSortIndexList : public TIntList {
public:
  TSortIndexList() : TIntList(0, 0) {}

  void AddIndex(int ACol, bool Ascending);
  int FindIndex(int ACol) const;
  void ToggleIndex(int ACol);

  int GetSortColumns(int Index) const;
  void SetSortColumns(int Index, int ACol);
  bool GetSortDirections(int Index) const;  // true when ascending
  void SetSortDirections(int Index, bool Ascending);

  // "u2;d5": ascending column 2, then descending column 5.
  AnsiString SaveToString() const;
  void LoadFromString(const AnsiString& Value);
};

class TControl;

// One control placed in a cell; the control itself is not owned.
class TControlItem : public TObject {
public:
  TControlItem(int AX, int AY, TControl* AControl) : X(AX), Y(AY), Control(AControl) {}
  int X;  // column
  int Y;  // row
  TControl* Control;
};

// The grid's in-cell controls; owns its items, not the controls.
class TControlList : public TList {
public:
  ~TControlList() override;

  int AddControl(int ACol, int ARow, TControl* AControl);
  int ControlIndex(int ACol, int ARow) const;
  TControlItem* GetControl(int Index) const;
  // An item's control is a windowed control with that window (asking for
  // its handle creates the window when needed).
  bool HasHandle(HWND Wnd) const;
  void RemoveControl(int Index);
};
