// The records of the grid's binary cell stream. Each record is one
// component image of the component stream ("TPF0", class name, empty name,
// properties); the class names below are part of the format. Strings that
// are empty, nil references and zero floats are left out; ordinals and
// booleans are always written. Cell indices are written in full (the
// smallest integer encoding that holds them).
#pragma once

#include <limits>
#include <memory>
#include <string>

#include "grid/cellgraphic.h"
#include "grid/cellproperties.h"
#include "grid/filepicture.h"
#include "platform/graphics/graphics.h"
#include "platform/rtl/classes_component.h"
#include "platform/rtl/classes_streams.h"
#include "platform/rtl/classes_strings.h"

// The streamed fields of the grid's cell objects, in streaming order.
class TCellPropertiesFields : public TPersistent {
public:
  explicit TCellPropertiesFields(TCellProperties* P) : FProps(P) {}
  void DefineProperties(TFiler* Filer) override;

private:
  TCellProperties* FProps;
};

class TCellGraphicFields : public TPersistent {
public:
  explicit TCellGraphicFields(TCellGraphic* G) : FGraphic(G) {}
  void DefineProperties(TFiler* Filer) override;

private:
  TCellGraphic* FGraphic;
};

// Header: size of the rectangle, its widths and heights as comma lists,
// whether it is the whole grid, the writing grid's window.
class TGridPropIO : public TComponent {
public:
  using TComponent::TComponent;
  void DefineProperties(TFiler* Filer) override;
  int ColCount = 0;
  int RowCount = 0;
  AnsiString ColWidths;
  AnsiString RowHeights;
  bool FullGrid = false;
  int ID = 0;
};

class TGridCellIO : public TComponent {
public:
  using TComponent::TComponent;
  void DefineProperties(TFiler* Filer) override;
  // Read as any integer; a record that names none keeps Missing.
  static constexpr Int64 Missing = std::numeric_limits<Int64>::min();
  Int64 Col = 0;
  Int64 Row = 0;
  AnsiString Cell;
  bool HasProp = false;
};

// Reads cell records straight from the bytes of a stream held in memory
// (a TStringStream or TMemoryStream), without the component reader's lookup of
// each property by name. It takes only records in a form the component
// reader reads the same; for any other record (another property order
// or case, wide text, a name, children, a damaged or cut record) it reads
// nothing and the caller reads the record through the component reader,
// which gives the same values and the same errors as always.
class TGridCellReader {
public:
  explicit TGridCellReader(TStream* Stream);
  // Reads the record at the stream's position into Rec and moves past it;
  // false (stream and Rec untouched) when the component reader must.
  bool TryRead(TGridCellIO& Rec);

private:
  TStream* FStream;
  TStringStream* FStringStream;
  TMemoryStream* FMemoryStream;
};

// Writes cell records with the component writer's bytes, each in one
// piece, without defining its properties by name for each cell.
class TGridCellWriter {
public:
  explicit TGridCellWriter(TStream* Stream) : FStream(Stream) {}
  void Write(const TGridCellIO& Rec);

private:
  TStream* FStream;
  std::string FBytes;  // kept from record to record
};

class TGridCellPropIO : public TComponent {
public:
  explicit TGridCellPropIO(TComponent* AOwner);
  void DefineProperties(TFiler* Filer) override;
  TCellProperties* GetCellProperties() { return FProps.get(); }
  bool HasGraphic = false;

private:
  std::unique_ptr<TCellProperties> FProps;
};

class TGridGraphicIO : public TComponent {
public:
  using TComponent::TComponent;
  void DefineProperties(TFiler* Filer) override;
  TCellGraphic* GetCellGraphic() { return &FGraphic; }
  // Back to a new graphic's values before each read.
  void Empty();

private:
  TCellGraphic FGraphic;
};

class TGridBMPIO : public TComponent {
public:
  using TComponent::TComponent;
  void DefineProperties(TFiler* Filer) override;
  TBitmap Bitmap;
};

class TGridIconIO : public TComponent {
public:
  using TComponent::TComponent;
  void DefineProperties(TFiler* Filer) override;
  TIcon Icon;
};

class TGridSLIO : public TComponent {
public:
  using TComponent::TComponent;
  void DefineProperties(TFiler* Filer) override;
  TStringList Strings;
};

class TGridPicIO : public TComponent {
public:
  using TComponent::TComponent;
  void DefineProperties(TFiler* Filer) override;
  TPicture Picture;
};

// "Picture.Filename": written from Picture, read into FileName (setting a
// file picture's name needs the file itself).
class TGridFilePicIO : public TComponent {
public:
  using TComponent::TComponent;
  void DefineProperties(TFiler* Filer) override;
  TFilePicture Picture;
  AnsiString FileName;
};

// Copies every field of a cell's properties but its graphic.
void CopyCellProperties(TCellProperties* Dest, const TCellProperties* Source);
