// The one graphic a grid cell can carry (picture, icon, check box, progress
// bar, button, node glyph...): its fields, the setters that give it a type,
// the picture fitting and which content objects it owns.
#pragma once

#include <variant>

#include "grid/gridframe.h"
#include "grid/gridlists.h"
#include "platform/graphics/graphics.h"
#include "platform/rtl/classes_component.h"

class TFilePicture;

enum TCellVAlign : unsigned char { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
enum TCellHAlign : unsigned char { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TStretchMode { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };
enum TBalloonIcon { biNone, biInfo, biWarning, biError };

// An in-cell scroll bar: page size and range (it runs from 0 to the range).
struct TScrollProp {
  int PageSize = 0;
  int Range = 0;
};

// Radio toggling and grouping write an integer here; nothing else reads it.
using TCellVariant = std::variant<std::monostate, int, double, AnsiString>;

class TCellGraphic : public TPersistent {
public:
  TCellGraphic() = default;
  // Frees the content objects the graphic owns (see OwnsContent/OwnsExtra).
  ~TCellGraphic() override;
  // Made once per cell: from a pool of blocks of this size.
  static void* operator new(std::size_t Size);
  static void operator delete(void* Block, std::size_t Size);
  TCellGraphic(const TCellGraphic&) = delete;
  TCellGraphic& operator=(const TCellGraphic&) = delete;

  // Copies every published field but the content objects: a copy refers to
  // no content until its owner gives it one.
  void Assign(TPersistent* Source) override;

  void SetBitmap(TBitmap* ABitmap, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign);
  void SetIcon(TIcon* AIcon, TCellHAlign HAlign, TCellVAlign VAlign);
  void SetImageIdx(int Index, TCellHAlign HAlign, TCellVAlign VAlign);
  void SetDataImage(int Index, TCellHAlign HAlign, TCellVAlign VAlign);
  // Direction 0 lays the images out horizontally; the list is owned.
  void SetMultiImage(int ACol, int ARow, int Dir, TCellHAlign HAlign, TCellVAlign VAlign,
                     TIntListChangeEvent Notifier);
  void SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding, TCellHAlign HAlign,
                  TCellVAlign VAlign);
  void SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                      TCellHAlign HAlign, TCellVAlign VAlign);
  void SetCheckBox(bool Value, bool Data, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign);
  void SetRadioButton(bool Value, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign);
  // Width in the low 16 bits of CellIndex, height in the high 16 bits.
  void SetButton(int BWidth, int BHeight, const AnsiString& Caption, TCellHAlign HAlign, TCellVAlign VAlign);
  void SetBitButton(int BWidth, int BHeight, const AnsiString& Caption, TBitmap* Glyph, TCellHAlign HAlign,
                    TCellVAlign VAlign);
  // Normalised into 0 .. 360 (360 stays 360).
  void SetAngle(short AAngle);
  // The object stays its caller's.
  void SetInterfacedCell(TPersistent* AObject);

  // The drawn size of a picture graphic fitted into a Width x Height box
  // less the padding; Flag is unused. Other types give (0, 0).
  TPoint GetPictureSize(int Width, int Height, bool Flag) const;

  // -- fields, in published order (content slots and the variant are not published)
  TCellType CellType = ctNone;
  // The content object, or a colour for the progress and range types.
  TObject* CellContent = nullptr;
  TColor CellContentColor = 0;
  // The icon of ctIcon, or a second colour.
  TObject* CellExtra = nullptr;
  TColor CellExtraColor = 0;
  TCellVAlign CellVAlign = vaTop;
  TCellHAlign CellHAlign = haLeft;
  int CellIndex = 0;
  bool CellTransparent = false;
  bool CellCreated = false;
  bool CellBoolean = false;
  int CellAngle = 0;
  double CellValue = 0;
  int CellErrFrom = 0;
  int CellErrLen = 0;
  AnsiString CellText;
  TCellVariant CellVariant;

private:
  bool OwnsContent() const;
  bool OwnsExtra() const;
  void SetAligns(TCellHAlign HAlign, TCellVAlign VAlign) {
    CellHAlign = HAlign;
    CellVAlign = VAlign;
  }
};
