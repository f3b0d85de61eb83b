// Streaming of the binary cell stream's records.
#include "grid/exchange/binrecords.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <typeinfo>
#include <utility>
#include <vector>

#include "platform/rtl/classes_filer.h"

namespace {

const char* const AlignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};
const char* const BrushStyleNames[] = {"bsSolid",     "bsClear",     "bsHorizontal", "bsVertical",
                                       "bsFDiagonal", "bsBDiagonal", "bsCross",      "bsDiagCross"};
const char* const EditorNames[] = {
    "edNormal",         "edSpinEdit",       "edComboEdit",     "edComboList",      "edEditBtn",
    "edCheckBox",       "edDateEdit",       "edDateEditUpDown", "edTimeEdit",      "edButton",
    "edDataCheckBox",   "edNumeric",        "edPositiveNumeric", "edFloat",        "edCapital",
    "edMixedCase",      "edPassword",       "edUnitEditBtn",   "edLowerCase",      "edUpperCase",
    "edFloatSpinEdit",  "edTimeSpinEdit",   "edDateSpinEdit",  "edNumericEditBtn", "edFloatEditBtn",
    "edCustom",         "edRichEdit",       "edNone",          "edUniEdit",        "edUniComboEdit",
    "edUniComboList",   "edUniEditBtn",     "edUniMemo",       "edDateTimeEdit",   "edValidChars"};
const char* const GradientNames[] = {"GradientVertical", "GradientHorizontal"};
const char* const VAlignmentNames[] = {"vtaTop", "vtaCenter", "vtaBottom"};
const char* const FontStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
const char* const CellTypeNames[] = {
    "ctBitmap",      "ctIcon",          "ctNone",        "ctImageList",   "ctCheckBox",   "ctDataCheckBox",
    "ctRotated",     "ctDataImage",     "ctNode",        "ctRadio",       "ctEmpty",      "ctImages",
    "ctPicture",     "ctFilePicture",   "ctValue",       "ctProgress",    "ctComment",    "ctButton",
    "ctBitButton",   "ctVirtCheckBox",  "ctRowCheckBox", "ctProgressPie", "ctSummary",    "ctRangeIndicator",
    "ctXPProgress",  "ctInterface",     "ctScrollbar",   "ctRadioButton", "ctBalloon"};
const char* const CellVAlignNames[] = {"vaTop", "vaBottom", "vaCenter", "vaUnderText", "vaAboveText", "vaFull"};
const char* const CellHAlignNames[] = {"haLeft", "haRight", "haCenter", "haBeforeText", "haAfterText", "haFull"};

template <class E, std::size_t N, class Get, class Set>
void DefineEnumProp(TFiler* F, const char* Name, const char* const (&Names)[N], Get G, Set S) {
  F->DefineProperty(
      Name,
      [&Names, S](TReader* R) {
        AnsiString Ident = R->ReadIdent();
        for (std::size_t I = 0; I < N; ++I)
          if (Ident == Names[I]) {
            S(static_cast<E>(I));
            return;
          }
        throw EReadError("Invalid property value " + Ident);
      },
      [&Names, G](TWriter* W) {
        auto I = static_cast<std::size_t>(G());
        if (I >= N) throw EWriteError("Invalid property value");
        W->WriteIdent(Names[I]);
      },
      true);
}

template <class E, std::size_t N>
void DefineEnum(TFiler* F, const char* Name, const char* const (&Names)[N], E& Field) {
  DefineEnumProp<E>(F, Name, Names, [&Field] { return Field; }, [&Field](E V) { Field = V; });
}

template <class Get, class Set>
void DefineIntProp(TFiler* F, const char* Name, Get G, Set S) {
  F->DefineProperty(
      Name, [S](TReader* R) { S(R->ReadInteger()); }, [G](TWriter* W) { W->WriteInteger(G()); }, true);
}

void DefineInt(TFiler* F, const char* Name, int& Field) {
  DefineIntProp(F, Name, [&Field] { return Field; }, [&Field](int V) { Field = V; });
}

void DefineBool(TFiler* F, const char* Name, bool& Field) {
  F->DefineProperty(
      Name, [&Field](TReader* R) { Field = R->ReadBoolean(); }, [&Field](TWriter* W) { W->WriteBoolean(Field); },
      true);
}

void DefineString(TFiler* F, const char* Name, AnsiString& Field) {
  F->DefineProperty(
      Name, [&Field](TReader* R) { Field = R->ReadString(); }, [&Field](TWriter* W) { W->WriteString(Field); },
      !Field.empty());
}

// A colour by its name where it has one, else as a number.
TColor ReadColor(TReader* R) {
  if (R->NextValue() != vaIdent) return static_cast<TColor>(R->ReadInteger());
  AnsiString Ident = R->ReadIdent();
  TColor C;
  if (!IdentToColor(Ident, C)) throw EReadError("Invalid property value " + Ident);
  return C;
}

void WriteColor(TWriter* W, TColor C) {
  AnsiString Ident;
  if (ColorToIdent(C, Ident))
    W->WriteIdent(Ident);
  else
    W->WriteInteger(C);
}

template <class Get, class Set>
void DefineColorProp(TFiler* F, const char* Name, Get G, Set S) {
  F->DefineProperty(
      Name, [S](TReader* R) { S(ReadColor(R)); }, [G](TWriter* W) { WriteColor(W, G()); }, true);
}

void DefineColor(TFiler* F, const char* Name, TColor& Field) {
  DefineColorProp(F, Name, [&Field] { return Field; }, [&Field](TColor V) { Field = V; });
}

// Object references are never written; one that a stream carries is read
// over and the reference left as it was.
void DefineReference(TFiler* F, const char* Name) { F->DefineProperty(Name, nullptr, nullptr, false); }

// Whole integers of any size that fit in 64 bits.
void DefineIndex(TFiler* F, const char* Name, Int64& Field) {
  F->DefineProperty(
      Name, [&Field](TReader* R) { Field = R->ReadInt64(); }, [&Field](TWriter* W) { W->WriteInteger(Field); },
      true);
}

}  // namespace

void TCellPropertiesFields::DefineProperties(TFiler* F) {
  TCellProperties* P = FProps;
  DefineBool(F, "IsBaseCell", P->IsBaseCell);
  DefineInt(F, "CellSpanX", P->CellSpanX);
  DefineInt(F, "CellSpanY", P->CellSpanY);
  DefineInt(F, "OwnerCol", P->OwnerCol);
  DefineInt(F, "OwnerRow", P->OwnerRow);
  DefineEnumProp<TAlignment>(
      F, "Alignment", AlignmentNames, [P] { return P->GetAlignment(); }, [P](TAlignment V) { P->SetAlignment(V); });
  DefineColor(F, "BorderColor", P->BorderColor);
  DefineInt(F, "BorderWidth", P->BorderWidth);
  DefineColorProp(F, "BrushColor", [P] { return P->GetBrushColor(); }, [P](TColor V) { P->SetBrushColor(V); });
  DefineColorProp(F, "BrushColorTo", [P] { return P->GetBrushColorTo(); }, [P](TColor V) { P->SetBrushColorTo(V); });
  DefineEnum(F, "BrushStyle", BrushStyleNames, P->BrushStyle);
  DefineReference(F, "CellObject");
  DefineColor(F, "FontColor", P->FontColor);
  DefineString(F, "FontName", P->FontName);
  DefineInt(F, "FontSize", P->FontSize);
  F->DefineProperty(
      "FontStyle",
      [P](TReader* R) {
        TFontStyles S;
        for (const AnsiString& M : R->ReadSet()) {
          std::size_t I = 0;
          while (I < std::size(FontStyleNames) && M != FontStyleNames[I]) ++I;
          if (I == std::size(FontStyleNames)) throw EReadError("Invalid property value " + M);
          S << static_cast<TFontStyle>(I);
        }
        P->FontStyle = S;
      },
      [P](TWriter* W) {
        std::vector<AnsiString> M;
        for (std::size_t I = 0; I < std::size(FontStyleNames); ++I)
          if (P->FontStyle.Contains(static_cast<TFontStyle>(I))) M.emplace_back(FontStyleNames[I]);
        W->WriteSet(M);
      },
      true);
  DefineEnum(F, "Editor", EditorNames, P->Editor);
  DefineEnum(F, "GradientDirection", GradientNames, P->GradientDirection);
  DefineBool(F, "ReadOnly", P->ReadOnly);
  DefineEnumProp<TVAlignment>(
      F, "VAlignment", VAlignmentNames, [P] { return P->GetVAlignment(); }, [P](TVAlignment V) { P->SetVAlignment(V); });
  F->DefineProperty(
      "WordWrap", [P](TReader* R) { P->SetWordWrap(R->ReadBoolean()); },
      [P](TWriter* W) { W->WriteBoolean(P->GetWordWrap()); }, true);
  DefineInt(F, "NodeLevel", P->NodeLevel);
  DefineReference(F, "Control");
}

void TCellGraphicFields::DefineProperties(TFiler* F) {
  TCellGraphic* G = FGraphic;
  DefineEnum(F, "CellType", CellTypeNames, G->CellType);
  DefineEnum(F, "CellVAlign", CellVAlignNames, G->CellVAlign);
  DefineEnum(F, "CellHAlign", CellHAlignNames, G->CellHAlign);
  DefineInt(F, "CellIndex", G->CellIndex);
  DefineBool(F, "CellTransparent", G->CellTransparent);
  DefineBool(F, "CellCreated", G->CellCreated);
  DefineBool(F, "CellBoolean", G->CellBoolean);
  DefineInt(F, "CellAngle", G->CellAngle);
  F->DefineProperty(
      "CellValue", [G](TReader* R) { G->CellValue = R->ReadFloat(); },
      [G](TWriter* W) { W->WriteFloat(G->CellValue); }, G->CellValue != 0);
  DefineInt(F, "CellErrFrom", G->CellErrFrom);
  DefineInt(F, "CellErrLen", G->CellErrLen);
  DefineString(F, "CellText", G->CellText);
}

void TGridPropIO::DefineProperties(TFiler* F) {
  DefineInt(F, "ColCount", ColCount);
  DefineInt(F, "RowCount", RowCount);
  DefineString(F, "ColWidths", ColWidths);
  DefineString(F, "RowHeights", RowHeights);
  DefineBool(F, "FullGrid", FullGrid);
  DefineInt(F, "ID", ID);
}

void TGridCellIO::DefineProperties(TFiler* F) {
  DefineIndex(F, "Col", Col);
  DefineIndex(F, "Row", Row);
  DefineString(F, "Cell", Cell);
  DefineBool(F, "HasProp", HasProp);
}

namespace {

// A cursor over a record's bytes; every read checks what is left first, so
// a cut record or a length beyond the data only ends the attempt.
class TRecordBytes {
public:
  TRecordBytes(const char* Data, std::size_t Size) : FAt(Data), FEnd(Data + Size) {}
  std::size_t Left() const { return static_cast<std::size_t>(FEnd - FAt); }
  const char* At() const { return FAt; }
  bool Byte(unsigned& B) {
    if (FAt == FEnd) return false;
    B = static_cast<unsigned char>(*FAt++);
    return true;
  }
  bool Bytes(std::size_t N, std::string_view& V) {
    if (Left() < N) return false;
    V = std::string_view(FAt, N);
    FAt += N;
    return true;
  }
  // A little-endian signed integer of N bytes.
  bool Signed(std::size_t N, Int64& V) {
    if (Left() < N) return false;
    std::uint64_t U = 0;
    for (std::size_t I = 0; I < N; ++I) U |= std::uint64_t{static_cast<unsigned char>(FAt[I])} << (8 * I);
    if (N < 8 && (U >> (8 * N - 1)) != 0) U |= ~std::uint64_t{0} << (8 * N);
    V = static_cast<Int64>(U);
    FAt += N;
    return true;
  }

private:
  const char* FAt;
  const char* FEnd;
};

// The record's property names, matched as the component reader does for
// ASCII names (without case); any other byte leaves the name unmatched.
enum TCellField { cfNone, cfCol, cfRow, cfCell, cfHasProp };

TCellField FieldNamed(std::string_view Name) {
  // The writer's spelling first.
  switch (Name.size()) {
    case 3:
      if (Name == "Col") return cfCol;
      if (Name == "Row") return cfRow;
      break;
    case 4:
      if (Name == "Cell") return cfCell;
      break;
    case 7:
      if (Name == "HasProp") return cfHasProp;
      break;
    default:
      return cfNone;
  }
  static constexpr std::pair<std::string_view, TCellField> Fields[] = {
      {"col", cfCol}, {"row", cfRow}, {"cell", cfCell}, {"hasprop", cfHasProp}};
  for (const auto& [Known, Field] : Fields) {
    if (Known.size() != Name.size()) continue;
    std::size_t I = 0;
    while (I < Name.size()) {
      auto C = static_cast<unsigned char>(Name[I]);
      if (C >= 'A' && C <= 'Z') C |= 0x20;
      if (C != static_cast<unsigned char>(Known[I])) break;
      ++I;
    }
    if (I == Name.size()) return Field;
  }
  return cfNone;
}

bool ReadIndex(TRecordBytes& B, Int64& V) {
  unsigned Type;
  if (!B.Byte(Type)) return false;
  switch (Type) {
    case vaInt8: return B.Signed(1, V);
    case vaInt16: return B.Signed(2, V);
    case vaInt32: return B.Signed(4, V);
    case vaInt64: return B.Signed(8, V);
    default: return false;
  }
}

// Short, long and UTF-8 texts as their bytes; wide texts are converted by
// the component reader.
bool ReadText(TRecordBytes& B, std::string_view& V) {
  unsigned Type, Len;
  if (!B.Byte(Type)) return false;
  if (Type == vaString) return B.Byte(Len) && B.Bytes(Len, V);
  if (Type != vaLString && Type != vaUTF8String) return false;
  Int64 N;
  return B.Signed(4, N) && N >= 0 && B.Bytes(static_cast<std::size_t>(N), V);
}

bool ReadFlag(TRecordBytes& B, bool& V) {
  unsigned Type;
  if (!B.Byte(Type) || (Type != vaTrue && Type != vaFalse)) return false;
  V = Type == vaTrue;
  return true;
}

}  // namespace

namespace {

// Only that very class: one derived from it may read otherwise.
template <class T>
T* Exactly(TStream* S) {
  return S && typeid(*S) == typeid(T) ? static_cast<T*>(S) : nullptr;
}

}  // namespace

TGridCellReader::TGridCellReader(TStream* Stream)
    : FStream(Stream), FStringStream(Exactly<TStringStream>(Stream)), FMemoryStream(Exactly<TMemoryStream>(Stream)) {}

bool TGridCellReader::TryRead(TGridCellIO& Rec) {
  const char* Data;
  Int64 Size;
  if (FStringStream) {
    Data = FStringStream->DataString().data();
    Size = static_cast<Int64>(FStringStream->DataString().size());
  } else if (FMemoryStream) {
    Data = static_cast<const char*>(FMemoryStream->Memory());
    Size = FMemoryStream->GetSize();
  } else {
    return false;
  }
  const Int64 Pos = FStream->GetPosition();
  if (!Data || Pos < 0 || Pos >= Size) return false;
  TRecordBytes B(Data + Pos, static_cast<std::size_t>(Size - Pos));

  std::string_view Signature, ClassName, Name;
  unsigned Len;
  if (!B.Bytes(4, Signature) || Signature != "TPF0") return false;
  if (!B.Byte(Len) || !B.Bytes(Len, ClassName)) return false;  // not checked, as by the component reader
  if (!B.Byte(Len) || Len != 0) return false;                   // a name is set through the component
  Int64 Col = Rec.Col, Row = Rec.Row;
  bool HasProp = Rec.HasProp, HasText = false;
  std::string_view Text;
  for (;;) {
    if (!B.Byte(Len)) return false;
    if (Len == vaNull) break;
    if (!B.Bytes(Len, Name)) return false;
    bool Read = false;
    switch (FieldNamed(Name)) {
      case cfCol: Read = ReadIndex(B, Col); break;
      case cfRow: Read = ReadIndex(B, Row); break;
      case cfCell: Read = HasText = ReadText(B, Text); break;
      case cfHasProp: Read = ReadFlag(B, HasProp); break;
      case cfNone: break;
    }
    if (!Read) return false;
  }
  // The empty list of children.
  if (!B.Byte(Len) || Len != vaNull) return false;
  Rec.Col = Col;
  Rec.Row = Row;
  if (HasText) Rec.Cell.assign(Text);
  Rec.HasProp = HasProp;
  FStream->Seek(static_cast<Int64>(B.At() - Data), soBeginning);
  return true;
}

namespace {

void PutShort(std::string& Out, std::string_view Text) {
  Out += static_cast<char>(Text.size());
  Out += Text;
}

void PutLE(std::string& Out, std::uint64_t V, std::size_t N) {
  for (std::size_t I = 0; I < N; ++I) Out += static_cast<char>(V >> (8 * I));
}

// The component writer's integer: the smallest of 8, 16, 32 or 64 bits.
void PutInteger(std::string& Out, Int64 V) {
  const auto U = static_cast<std::uint64_t>(V);
  if (V >= -128 && V <= 127) {
    Out += static_cast<char>(vaInt8);
    PutLE(Out, U, 1);
  } else if (V >= -32768 && V <= 32767) {
    Out += static_cast<char>(vaInt16);
    PutLE(Out, U, 2);
  } else if (V >= std::numeric_limits<std::int32_t>::min() && V <= std::numeric_limits<std::int32_t>::max()) {
    Out += static_cast<char>(vaInt32);
    PutLE(Out, U, 4);
  } else {
    Out += static_cast<char>(vaInt64);
    PutLE(Out, U, 8);
  }
}

// The component writer's text: short or long ASCII, else UTF-8.
void PutText(std::string& Out, std::string_view Text) {
  const bool Ascii = std::all_of(Text.begin(), Text.end(), [](char C) { return static_cast<unsigned char>(C) < 0x80; });
  if (Ascii && Text.size() <= 255) {
    Out += static_cast<char>(vaString);
    PutShort(Out, Text);
    return;
  }
  if (Text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
    throw EWriteError("Stream write error");
  Out += static_cast<char>(Ascii ? vaLString : vaUTF8String);
  PutLE(Out, Text.size(), 4);
  Out += Text;
}

}  // namespace

void TGridCellWriter::Write(const TGridCellIO& Rec) {
  std::string& Out = FBytes;
  Out.assign("TPF0\x0BTGridCellIO", 16);
  if (Rec.GetName().size() > 255) throw EWriteError("Short string too long: " + Rec.GetName().substr(0, 32) + "...");
  PutShort(Out, Rec.GetName());
  PutShort(Out, "Col");
  PutInteger(Out, Rec.Col);
  PutShort(Out, "Row");
  PutInteger(Out, Rec.Row);
  if (!Rec.Cell.empty()) {
    PutShort(Out, "Cell");
    PutText(Out, Rec.Cell);
  }
  PutShort(Out, "HasProp");
  Out += static_cast<char>(Rec.HasProp ? vaTrue : vaFalse);
  Out += '\0';  // end of the properties
  Out += '\0';  // and of the children
  FStream->WriteBuffer(Out.data(), static_cast<int>(Out.size()));
}

// Properties of no grid: changing them repaints nothing.
TGridCellPropIO::TGridCellPropIO(TComponent* AOwner)
    : TComponent(AOwner), FProps(std::make_unique<TCellProperties>(nullptr, 0, 0)) {}

void TGridCellPropIO::DefineProperties(TFiler* F) {
  TCellPropertiesFields Fields(FProps.get());
  F->DefineSubProperties("CellProperties", &Fields);
  DefineBool(F, "HasGraphic", HasGraphic);
}

void TGridGraphicIO::DefineProperties(TFiler* F) {
  TCellGraphicFields Fields(&FGraphic);
  F->DefineSubProperties("CellGraphic", &Fields);
}

void TGridGraphicIO::Empty() {
  TCellGraphic Blank;
  FGraphic.Assign(&Blank);
}

void TGridBMPIO::DefineProperties(TFiler* F) { F->DefineSubProperties("Bitmap", &Bitmap); }
void TGridIconIO::DefineProperties(TFiler* F) { F->DefineSubProperties("Icon", &Icon); }
void TGridSLIO::DefineProperties(TFiler* F) { F->DefineSubProperties("Strings", &Strings); }
void TGridPicIO::DefineProperties(TFiler* F) { F->DefineSubProperties("Picture", &Picture); }

void TGridFilePicIO::DefineProperties(TFiler* F) {
  F->DefineProperty(
      "Picture.Filename", [this](TReader* R) { FileName = R->ReadString(); },
      [this](TWriter* W) { W->WriteString(Picture.GetFilename()); }, !Picture.GetFilename().empty());
}

void CopyCellProperties(TCellProperties* Dest, const TCellProperties* Source) {
  Dest->IsBaseCell = Source->IsBaseCell;
  Dest->CellSpanX = Source->CellSpanX;
  Dest->CellSpanY = Source->CellSpanY;
  Dest->OwnerCol = Source->OwnerCol;
  Dest->OwnerRow = Source->OwnerRow;
  Dest->SetAlignment(Source->GetAlignment());
  Dest->BorderColor = Source->BorderColor;
  Dest->BorderWidth = Source->BorderWidth;
  Dest->SetBrushColor(Source->GetBrushColor());
  Dest->SetBrushColorTo(Source->GetBrushColorTo());
  Dest->BrushStyle = Source->BrushStyle;
  Dest->CellObject = Source->CellObject;
  Dest->FontColor = Source->FontColor;
  Dest->FontName = Source->FontName;
  Dest->FontSize = Source->FontSize;
  Dest->FontStyle = Source->FontStyle;
  Dest->Editor = Source->Editor;
  Dest->GradientDirection = Source->GradientDirection;
  Dest->ReadOnly = Source->ReadOnly;
  Dest->SetVAlignment(Source->GetVAlignment());
  Dest->SetWordWrap(Source->GetWordWrap());
  Dest->NodeLevel = Source->NodeLevel;
  Dest->Control = Source->Control;
  Dest->CalcType = Source->CalcType;
}
