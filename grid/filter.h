// The grid's row filter conditions, the look of its filter drop-down list,
// and a condition prepared once for testing many values.
#pragma once

#include <functional>

#include "platform/graphics/graphics.h"
#include "platform/rtl/classes_collection.h"

// Which text of a cell a condition tests.
enum TFilterCells { fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow };
// How a condition's result joins the running result of the conditions before it.
enum TFilterOperation { foSHORT, foNONE, foAND, foXOR, foOR };

class TFilterData : public TCollectionItem {
public:
  explicit TFilterData(TCollection* Collection);
  void Assign(TPersistent* Source) override;

  short GetColumn() const { return FColumn; }
  void SetColumn(short Value) { FColumn = Value; }
  AnsiString GetCondition() const { return FCondition; }
  void SetCondition(const AnsiString& Value) { FCondition = Value; }
  bool GetCaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
  TFilterCells GetData() const { return FData; }
  void SetData(TFilterCells Value) { FData = Value; }
  AnsiString GetPrefix() const { return FPrefix; }
  void SetPrefix(const AnsiString& Value) { FPrefix = Value; }
  AnsiString GetSuffix() const { return FSuffix; }
  void SetSuffix(const AnsiString& Value) { FSuffix = Value; }
  TFilterOperation GetOperation() const { return FOperation; }
  void SetOperation(TFilterOperation Value) { FOperation = Value; }

private:
  short FColumn = 0;
  AnsiString FCondition;
  bool FCaseSensitive = true;
  TFilterCells FData = fcVirtual;
  AnsiString FPrefix;
  AnsiString FSuffix;
  TFilterOperation FOperation = foSHORT;
};

class TFilter : public TOwnedCollection {
public:
  explicit TFilter(TPersistent* AOwner) : TOwnedCollection(AOwner, ItemClass<TFilterData>()) {}
  TFilterData* Add() { return static_cast<TFilterData*>(TCollection::Add()); }
  // Appends: the index is not used.
  TFilterData* Insert(int Index);
  TFilterData* GetItem(int Index) const { return static_cast<TFilterData*>(TCollection::GetItem(Index)); }
  TFilterData* Items(int Index) const { return GetItem(Index); }
  void SetItem(int Index, TFilterData* Value) { TCollection::SetItem(Index, Value); }
  // The first condition on the column, appended when there is none.
  TFilterData* GetColFilter(int Col);
};

// Look of the filter drop-down list and its button glyph (owned).
class TFilterDropDown : public TPersistent {
public:
  TFilterDropDown();
  ~TFilterDropDown() override;
  TFilterDropDown(const TFilterDropDown&) = delete;
  TFilterDropDown& operator=(const TFilterDropDown&) = delete;
  // Copies Color, ColumnWidth, Font, Height and Width.
  void Assign(TPersistent* Source) override;

  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { FAutoSize = Value; }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  bool GetColumnWidth() const { return FColumnWidth; }
  void SetColumnWidth(bool Value) { FColumnWidth = Value; }
  TFont* GetFont() const { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  int GetHeight() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  int GetWidth() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  // The drop-down button picture; empty draws the built-in one.
  TBitmap* GetGlyph() const { return FGlyph; }
  void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
  // Fired when the glyph changes.
  TNotifyEvent OnChange;

private:
  bool FAutoSize = false;
  TColor FColor = clWindow;
  bool FColumnWidth = false;
  TFont* FFont;
  int FHeight = 150;
  int FWidth = 150;
  TBitmap* FGlyph;
};

// A condition prepared once and then tested against many values: a plain
// wildcard term is matched in place, without copying the value; anything
// else (operators, groups) goes through the full condition matcher.
class TFilterMatcher {
public:
  TFilterMatcher(const AnsiString& Condition, bool CaseSensitive);
  // A matcher exception counts as no match.
  bool Match(const AnsiString& Value) const;

private:
  AnsiString FCondition;
  AnsiString FPattern;  // the plain term, upper-cased without case
  bool FCaseSensitive;
  bool FPlain = false;
};
