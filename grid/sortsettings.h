// How the grid sorts and how the sorted column's header looks, and the
// current sort as a short text ("u3", "d3" or "i;" + the index list) that
// the column-state store keeps.
#pragma once

#include "platform/graphics/graphics.h"
#include "platform/rtl/classes_component.h"

class VIduZozezuVodu;

enum TSortBlankPosition { blFirst, blLast };
enum TSortDirection { sdAscending, sdDescending };

class TSortSettings : public TPersistent {
public:
  explicit TSortSettings(VIduZozezuVodu* AGrid);
  ~TSortSettings() override;
  TSortSettings(const TSortSettings&) = delete;
  TSortSettings& operator=(const TSortSettings&) = delete;

  // Copies the settings without side effects; IgnoreCase and
  // SortOnVirtualCells stay.
  void Assign(TPersistent* Source) override;

  bool AutoSortForGrouping = true;
  bool AutoColumnMerge = false;
  int Column = -1;  // -1: none
  bool GetShow() const { return FShow; }
  void SetShow(bool Value);
  bool IndexShow = false;
  TColor IndexColor = 65535;
  bool Full = true;
  bool SingleColumn = false;
  bool IgnoreBlanks = false;
  TSortBlankPosition BlankPos = blFirst;
  bool AutoFormat = true;
  TSortDirection Direction = sdAscending;
  TBitmap* GetUpGlyph() const { return FUpGlyph; }
  void SetUpGlyph(TBitmap* Value) { FUpGlyph->Assign(Value); }
  TBitmap* GetDownGlyph() const { return FDownGlyph; }
  void SetDownGlyph(TBitmap* Value) { FDownGlyph->Assign(Value); }
  bool IgnoreCase = false;
  TBitmap* GetIndexUpGlyph() const { return FIndexUpGlyph; }
  void SetIndexUpGlyph(TBitmap* Value) { FIndexUpGlyph->Assign(Value); }
  TBitmap* GetIndexDownGlyph() const { return FIndexDownGlyph; }
  void SetIndexDownGlyph(TBitmap* Value) { FIndexDownGlyph->Assign(Value); }
  TSortDirection InitSortDirection = sdAscending;
  bool FixedCols = false;
  bool NormalCellsOnly = false;
  int GetRow() const { return FRow; }
  // Raises when the row is past the fixed rows.
  void SetSortRow(int Value);
  void SetRow(int Value) { SetSortRow(Value); }
  bool UndoSort = false;
  bool SortOnVirtualCells = true;
  TColor GetHeaderColor() const { return FHeaderColor; }
  void SetHeaderColor(TColor Value) { SetHeader(FHeaderColor, Value); }
  TColor GetHeaderColorTo() const { return FHeaderColorTo; }
  void SetHeaderColorTo(TColor Value) { SetHeader(FHeaderColorTo, Value); }
  TColor GetHeaderMirrorColor() const { return FHeaderMirrorColor; }
  void SetHeaderMirrorColor(TColor Value) { SetHeader(FHeaderMirrorColor, Value); }
  TColor GetHeaderMirrorColorTo() const { return FHeaderMirrorColorTo; }
  void SetHeaderMirrorColorTo(TColor Value) { SetHeader(FHeaderMirrorColorTo, Value); }

  // No sort column, an empty index list.
  void Remove();
  AnsiString SaveToString() const;
  // Sets the sort the text describes and sorts by it; a column that is not
  // a number or lies outside the grid leaves column and sort alone.
  void LoadFromString(const AnsiString& Value);

private:
  void SetHeader(TColor& Field, TColor Value);
  void RepaintHeaderRow();

  VIduZozezuVodu* FGrid;
  bool FShow = false;
  int FRow = 0;
  TColor FHeaderColor = clNone, FHeaderColorTo = clNone, FHeaderMirrorColor = clNone, FHeaderMirrorColorTo = clNone;
  TBitmap* FUpGlyph;
  TBitmap* FDownGlyph;
  TBitmap* FIndexUpGlyph;
  TBitmap* FIndexDownGlyph;
};
