// The binary cell stream: a header record, then for every cell of a
// rectangle a cell record, its properties and its graphic (binrecords.h).
#include <algorithm>
#include <memory>
#include <vector>

#include "grid/exchange/binrecords.h"
#include "grid/exchange/textfile.h"
#include "grid/updatebracket.h"
#include "grid/viduzozezuvodu.h"
#include "platform/rtl/classes_filer.h"
#include "platform/rtl/classes_streams.h"
#include "platform/rtl/sysutils.h"

namespace {

// The smallest record the reader accepts: signature, empty class and
// component names and the two list ends. A valid stream holds at least one
// cell record per cell of its rectangle.
constexpr Int64 MinRecordSize = 8;

[[noreturn]] void Damaged(const AnsiString& What) { throw EReadError("Invalid stream format: " + What); }

bool HasContentRecord(TCellType T) {
  switch (T) {
    case ctBitmap:
    case ctIcon:
    case ctRadio:
    case ctImages:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
      return true;
    default:
      return false;
  }
}

// The items of a width or height list, as many as the block has.
std::vector<int> SizeList(const AnsiString& Text, int Count, const char* What) {
  TStringList L;
  L.SetCommaText(Text);
  if (L.GetCount() < Count) Damaged(AnsiString("too few ") + What);
  std::vector<int> V(static_cast<std::size_t>(Count));
  for (int I = 0; I < Count; ++I)
    if (!TryStrToInt(L.Get(I), V[static_cast<std::size_t>(I)]) || V[static_cast<std::size_t>(I)] < 0)
      Damaged(AnsiString("bad ") + What + " item '" + L.Get(I) + "'");
  return V;
}

// Reads one record; whatever goes wrong inside it is the stream's error.
void ReadRecord(TStream* S, TComponent* Record) {
  try {
    S->ReadComponent(Record);
  } catch (const EStreamError&) {
    throw;
  } catch (const Exception& E) {
    Damaged(E.what());
  }
}

void WriteRecord(TStream* S, TComponent* Record) { S->WriteComponent(Record); }

// A merged area whose base and members agree; the stream's spans are not
// trusted, so areas that do not are taken apart again.
bool AreaIsWhole(TBaseGrid& G, int C, int R, const TCellProperties* Base) {
  Int64 SX = Base->CellSpanX, SY = Base->CellSpanY;
  if (SX < 0 || SY < 0 || C + SX >= G.GetColCount() || R + SY >= G.GetRowCount()) return false;
  for (Int64 J = 0; J <= SY; ++J)
    for (Int64 I = 0; I <= SX; ++I) {
      if (I == 0 && J == 0) continue;
      int X = static_cast<int>(C + I), Y = static_cast<int>(R + J);
      if (!G.HasCellProperties(X, Y)) return false;
      TCellProperties* P = G.GetCellProperties(X, Y);
      if (P->IsBaseCell || P->CellSpanX != I || P->CellSpanY != J) return false;
    }
  return true;
}

void Unmerge(TCellProperties* P) {
  P->IsBaseCell = true;
  P->CellSpanX = P->CellSpanY = -1;
}

// Each member names one base, so the walks over the bases together visit
// every member once.
void RepairMerges(TBaseGrid& G, const TGridRect& R) {
  for (int Y = R.Top; Y <= R.Bottom; ++Y)
    for (int X = R.Left; X <= R.Right; ++X) {
      if (!G.HasCellProperties(X, Y)) continue;
      TCellProperties* P = G.GetCellProperties(X, Y);
      if (!P->IsBaseCell) continue;
      if (P->CellSpanX == -1 && P->CellSpanY == -1) continue;
      if (!AreaIsWhole(G, X, Y, P)) Unmerge(P);
    }
  for (int Y = R.Top; Y <= R.Bottom; ++Y)
    for (int X = R.Left; X <= R.Right; ++X) {
      if (!G.HasCellProperties(X, Y)) continue;
      TCellProperties* P = G.GetCellProperties(X, Y);
      if (P->IsBaseCell) continue;
      Int64 BX = Int64{X} - P->CellSpanX, BY = Int64{Y} - P->CellSpanY;
      bool Ok = P->CellSpanX >= 0 && P->CellSpanY >= 0 && (P->CellSpanX > 0 || P->CellSpanY > 0) && BX >= 0 &&
                BY >= 0 && G.HasCellProperties(static_cast<int>(BX), static_cast<int>(BY));
      if (Ok) {
        TCellProperties* B = G.GetCellProperties(static_cast<int>(BX), static_cast<int>(BY));
        Ok = B->IsBaseCell && B->CellSpanX >= P->CellSpanX && B->CellSpanY >= P->CellSpanY;
      }
      if (!Ok) Unmerge(P);
    }
}

TGridRect Clip(Int64 Left, Int64 Top, Int64 Right, Int64 Bottom, int Cols, int Rows) {
  TGridRect R;
  R.Left = static_cast<int>(std::clamp<Int64>(Left, 0, Cols));
  R.Top = static_cast<int>(std::clamp<Int64>(Top, 0, Rows));
  R.Right = static_cast<int>(std::clamp<Int64>(Right, -1, Cols - 1));
  R.Bottom = static_cast<int>(std::clamp<Int64>(Bottom, -1, Rows - 1));
  return R;
}

}  // namespace

void VIduZozezuVodu::SaveRectToBinStream(const TGridRect& ARect, TStream* Stream) {
  const int L = ARect.Left, T = ARect.Top, R = ARect.Right, B = ARect.Bottom;
  if (L < 0 || T < 0 || L > R || T > B || R >= GetColCount() || B >= GetRowCount())
    throw EDidAvovError("Invalid cell rectangle");
  TGridPropIO Header(nullptr);
  TGridCellIO CellRec(nullptr);
  TGridCellPropIO PropRec(nullptr);
  TGridGraphicIO GraphicRec(nullptr);
  TGridBMPIO BmpRec(nullptr);
  TGridIconIO IconRec(nullptr);
  TGridSLIO ListRec(nullptr);
  TGridPicIO PicRec(nullptr);
  TGridFilePicIO FilePicRec(nullptr);

  Header.ColCount = R - L + 1;
  Header.RowCount = B - T + 1;
  int WholeCols = GetColCount() - (FSaveFixedCells ? 0 : GetFixedCols());
  int WholeRows = GetRowCount() - (FSaveFixedCells ? 0 : GetFixedRows());
  Header.FullGrid = Header.ColCount == WholeCols && Header.RowCount == WholeRows;
  Header.ID = HandleAllocated() ? static_cast<int>(reinterpret_cast<std::uintptr_t>(Handle())) : 0;
  AnsiString Widths, Heights;
  for (int C = L; C <= R; ++C) {
    if (C > L) Widths += ',';
    Widths += IntToStr(GetColWidths(C));
  }
  for (int Y = T; Y <= B; ++Y) {
    if (Y > T) Heights += ',';
    Heights += IntToStr(GetRowHeights(Y));
  }
  Header.ColWidths = std::move(Widths);
  Header.RowHeights = std::move(Heights);
  WriteRecord(Stream, &Header);

  TGridCellWriter Cells(Stream);
  TFileProgress Progress(*this);
  ExportNotification(esExportStart, -1);
  for (int Y = T; Y <= B; ++Y) {
    ExportNotification(esExportNewRow, Y);
    for (int C = L; C <= R; ++C) {
      CellRec.HasProp = HasCellProperties(C, Y);
      CellRec.Col = C;
      CellRec.Row = Y;
      CellRec.Cell = GetCellEx(C, Y);
      Cells.Write(CellRec);
      if (!CellRec.HasProp) continue;
      CopyCellProperties(PropRec.GetCellProperties(), GetCellProperties(C, Y));
      TCellType Type = GetCellType(C, Y);
      TCellGraphic* G = Type == ctEmpty ? nullptr : GetCellGraphic(C, Y);
      PropRec.HasGraphic = G && (!HasContentRecord(Type) || G->CellCreated);
      WriteRecord(Stream, &PropRec);
      if (!PropRec.HasGraphic) continue;
      TCellGraphic* RG = GraphicRec.GetCellGraphic();
      RG->CellText.clear();
      RG->Assign(G);
      RG->CellType = Type;
      WriteRecord(Stream, &GraphicRec);
      switch (Type) {
        case ctBitmap:
        case ctBitButton:
          if (auto* Bmp = dynamic_cast<TBitmap*>(G->CellContent))
            BmpRec.Bitmap.Assign(Bmp);
          else
            BmpRec.Bitmap.SetSize(0, 0);
          WriteRecord(Stream, &BmpRec);
          break;
        case ctIcon:
          if (auto* Ico = dynamic_cast<TIcon*>(G->CellExtra))
            IconRec.Icon.Assign(Ico);
          else {
            TIcon Blank;
            IconRec.Icon.Assign(&Blank);
          }
          WriteRecord(Stream, &IconRec);
          break;
        case ctRadio:
          ListRec.Strings.Clear();
          if (auto* Captions = dynamic_cast<TStrings*>(G->CellContent)) ListRec.Strings.Assign(Captions);
          WriteRecord(Stream, &ListRec);
          break;
        case ctImages:
          ListRec.Strings.Clear();
          if (auto* Ids = dynamic_cast<TIntList*>(G->CellContent))
            for (int I = 0; I < Ids->GetCount(); ++I) ListRec.Strings.Add(IntToStr(Ids->GetInteger(I)));
          WriteRecord(Stream, &ListRec);
          break;
        case ctPicture:
          PicRec.Picture.Assign(dynamic_cast<TPicture*>(G->CellContent));
          WriteRecord(Stream, &PicRec);
          break;
        case ctFilePicture:
          if (auto* FP = dynamic_cast<TFilePicture*>(G->CellContent))
            FilePicRec.Picture.Assign(FP);
          else {
            TFilePicture Blank;
            FilePicRec.Picture.Assign(&Blank);
          }
          WriteRecord(Stream, &FilePicRec);
          break;
        default:
          break;
      }
    }
    // Counted from the top row, so a block lower in the grid ends at 100.
    Progress.Report(Y - T, std::max(1, B - T));
  }
  ExportNotification(esExportDone, -1);
}

void VIduZozezuVodu::LoadAtPointFromBinStream(TPoint APoint, TStream* Stream) {
  TGridPropIO Header(nullptr);
  TGridCellIO CellRec(nullptr);
  TGridCellPropIO PropRec(nullptr);
  TGridGraphicIO GraphicRec(nullptr);
  TGridBMPIO BmpRec(nullptr);
  TGridIconIO IconRec(nullptr);
  TGridSLIO ListRec(nullptr);
  TGridPicIO PicRec(nullptr);
  TGridFilePicIO FilePicRec(nullptr);

  ReadRecord(Stream, &Header);
  // The stream is only read here, so its size holds for the whole load.
  const Int64 StreamSize = Stream->GetSize();
  if (Header.ColCount < 1 || Header.RowCount < 1) Damaged("a block without cells");
  if (Int64{Header.ColCount} * Header.RowCount > (StreamSize - Stream->GetPosition()) / MinRecordSize)
    Damaged("fewer cell records than the header names");
  TGridCellReader Cells(Stream);
  auto ReadCell = [&] {
    CellRec.Col = CellRec.Row = TGridCellIO::Missing;
    CellRec.Cell.clear();
    CellRec.HasProp = false;
    if (!Cells.TryRead(CellRec)) ReadRecord(Stream, &CellRec);
  };
  ReadCell();
  // The block's first cell in the writer's indices. A whole grid keeps its
  // indices when loaded at (0, 0); anywhere else the block's top-left cell
  // lands on the point.
  const Int64 FirstCol = CellRec.Col, FirstRow = CellRec.Row;
  if (FirstCol < 0 || FirstRow < 0 || FirstCol > TGridStore::MaxColCount || FirstRow > TGridStore::MaxRowCount)
    Damaged("bad cell index");
  const bool Whole = Header.FullGrid && APoint.x == 0 && APoint.y == 0;
  const Int64 OriginCol = Whole ? 0 : FirstCol, OriginRow = Whole ? 0 : FirstRow;
  const Int64 LastCol = FirstCol + Header.ColCount - 1, LastRow = FirstRow + Header.RowCount - 1;

  TUpdateBracket<VIduZozezuVodu> Update(this);
  if (Whole) {
    std::vector<int> Widths = SizeList(Header.ColWidths, Header.ColCount, "column widths");
    std::vector<int> Heights = SizeList(Header.RowHeights, Header.RowCount, "row heights");
    // A stream written without fixed cells starts past them: the grid keeps
    // room for them, so no row or column is cut off.
    if (LastCol + 1 > TGridStore::MaxColCount - NumHiddenColumns() || LastRow + 1 > TGridStore::MaxRowCount)
      Damaged("a grid beyond the grid's limits");
    Clear();
    SetRowCountEx(static_cast<int>(LastRow + 1));
    SetColCountEx(static_cast<int>(LastCol + 1));
    for (int I = 0; I < Header.ColCount; ++I)
      SetColWidths(static_cast<int>(FirstCol) + I, Widths[static_cast<std::size_t>(I)]);
    // Heights go into the store, then one notification: a shown grid would
    // otherwise settle its scroll bars once per row.
    bool HeightsChanged = false;
    for (int I = 0; I < Header.RowCount; ++I) {
      const int Row = static_cast<int>(FirstRow) + I, Height = Heights[static_cast<std::size_t>(I)];
      if (FStore.GetRowHeight(Row) == Height) continue;
      FStore.SetRowHeight(Row, Height);
      HeightsChanged = true;
    }
    if (HeightsChanged) RowHeightsChanged();
  }
  const Int64 DX = APoint.x - OriginCol, DY = APoint.y - OriginRow;
  const TGridRect Touched =
      Clip(FirstCol + DX, FirstRow + DY, LastCol + DX, LastRow + DY, GetColCount(), GetRowCount());
  // Merged areas of the grid under the block are taken apart: the block
  // brings its own.
  if (!Whole)
    for (int Y = Touched.Top; Y <= Touched.Bottom; ++Y)
      for (int X = Touched.Left; X <= Touched.Right; ++X) {
        const TCellProperties* P = PropsOf(X, Y);
        if (P && (P->CellSpanX != -1 || P->CellSpanY != -1)) SplitCells(X, Y);
      }

  TCellProperties Blank(nullptr, 0, 0);
  try {
    for (;;) {
      if (CellRec.Col < FirstCol || CellRec.Col > LastCol || CellRec.Row < FirstRow || CellRec.Row > LastRow)
        Damaged("a cell outside the block");
      const Int64 TX = CellRec.Col + DX, TY = CellRec.Row + DY;
      const bool In = TX >= 0 && TY >= 0 && TX < GetColCount() && TY < GetRowCount();
      const int X = static_cast<int>(In ? TX : 0), Y = static_cast<int>(In ? TY : 0);
      if (In) {
        // A cell that the stream merged into a base outside the grid (a
        // damaged stream naming a cell twice) takes its text itself.
        TPoint B = PropsOf(X, Y) ? BaseCell(X, Y) : TPoint(X, Y);
        if (B.x >= 0 && B.y >= 0 && B.x < GetColCount() && B.y < GetRowCount())
          SetCellEx(X, Y, CellRec.Cell);
        else
          SetCells(X, Y, CellRec.Cell);
      }
      if (CellRec.HasProp) {
        TCellProperties* RP = PropRec.GetCellProperties();
        // What the stream leaves out keeps the target's value.
        CopyCellProperties(RP, In ? GetCellProperties(X, Y) : &Blank);
        PropRec.HasGraphic = false;
        ReadRecord(Stream, &PropRec);
        if (In) {
          RP->OwnerCol = X;
          RP->OwnerRow = Y;
          TCellProperties* P = GetCellProperties(X, Y);
          CopyCellProperties(P, RP);
          // A member whose base lies outside the grid stands alone: its
          // graphic below is set through the base's text.
          const TPoint B = BaseCell(X, Y);
          if (B.x < 0 || B.y < 0 || B.x >= GetColCount() || B.y >= GetRowCount()) Unmerge(P);
        }
        if (PropRec.HasGraphic) {
          GraphicRec.Empty();
          ReadRecord(Stream, &GraphicRec);
          TCellGraphic* RG = GraphicRec.GetCellGraphic();
          TCellGraphic* NG = nullptr;
          if (In) {
            NG = CreateCellGraphic(X, Y);
            NG->Assign(RG);
          }
          // A content object made here is the graphic's own.
          auto Attach = [&](TObject* Content, bool Extra) {
            std::unique_ptr<TObject> Owned(Content);
            if (!NG) return;
            NG->CellCreated = true;
            (Extra ? NG->CellExtra : NG->CellContent) = Owned.release();
          };
          switch (RG->CellType) {
            case ctBitmap:
            case ctBitButton: {
              BmpRec.Bitmap.SetSize(0, 0);
              ReadRecord(Stream, &BmpRec);
              auto B = std::make_unique<TBitmap>();
              B->Assign(&BmpRec.Bitmap);
              Attach(B.release(), false);
              break;
            }
            case ctIcon: {
              IconRec.Icon.Assign(nullptr);
              ReadRecord(Stream, &IconRec);
              auto I = std::make_unique<TIcon>();
              I->Assign(&IconRec.Icon);
              Attach(I.release(), true);
              break;
            }
            case ctRadio: {
              ListRec.Strings.Clear();
              ReadRecord(Stream, &ListRec);
              auto L = std::make_unique<TStringList>();
              L->Assign(&ListRec.Strings);
              Attach(L.release(), false);
              break;
            }
            case ctImages: {
              ListRec.Strings.Clear();
              ReadRecord(Stream, &ListRec);
              auto L = std::make_unique<TIntList>(X, Y);
              for (int I = 0; I < ListRec.Strings.GetCount(); ++I) {
                int V = 0;
                if (!TryStrToInt(ListRec.Strings.Get(I), V)) Damaged("bad image index '" + ListRec.Strings.Get(I) + "'");
                L->Add(V);
              }
              L->OnChange = [this](TObject* Sender, int C, int R) { MultiImageChanged(Sender, C, R); };
              Attach(L.release(), false);
              break;
            }
            case ctPicture: {
              PicRec.Picture.Assign(nullptr);
              ReadRecord(Stream, &PicRec);
              auto P = std::make_unique<TPicture>();
              P->Assign(&PicRec.Picture);
              Attach(P.release(), false);
              break;
            }
            case ctFilePicture: {
              FilePicRec.FileName.clear();
              ReadRecord(Stream, &FilePicRec);
              auto P = std::make_unique<TFilePicture>();
              // A file that is not there (another machine's) leaves the
              // picture without one.
              if (In && !FilePicRec.FileName.empty()) try {
                  P->SetFileName(FilePicRec.FileName);
                } catch (const Exception&) {
                }
              Attach(P.release(), false);
              break;
            }
            default:
              break;
          }
        }
      }
      if (Stream->GetPosition() >= StreamSize - 1) break;
      ReadCell();
    }
  } catch (...) {
    if (GetPropertiesCreated()) RepairMerges(*this, Touched);
    throw;
  }
  // Without cell properties in the grid there is no merged area to mend.
  if (GetPropertiesCreated()) RepairMerges(*this, Touched);
}

void VIduZozezuVodu::SaveToBinStream(TStream* Stream) {
  int L = FSaveFixedCells ? 0 : GetFixedCols(), T = FSaveFixedCells ? 0 : GetFixedRows();
  SaveRectToBinStream(TGridRect{L, T, GetColCount() - 1, GetRowCount() - 1}, Stream);
}

void VIduZozezuVodu::LoadFromBinStream(TStream* Stream) {
  LoadAtPointFromBinStream(TPoint(0, 0), Stream);
  // A node is a graphic, which lives in the cell's properties.
  int Nodes = 0;
  if (GetPropertiesCreated())
    for (int R = GetFixedRows(); R < GetRowCount(); ++R)
      if (GetCellType(0, R) == ctNode) ++Nodes;
  FNodeCount = Nodes;
  if (Nodes > 0) RepaintCol(0);
}

void VIduZozezuVodu::SaveToBinFile(const AnsiString& FileName) {
  TMemoryStream Data;
  SaveToBinStream(&Data);
  TFileReplacer(FileName).Commit(
      std::string_view(static_cast<const char*>(Data.Memory()), static_cast<std::size_t>(Data.GetSize())));
}

void VIduZozezuVodu::LoadFromBinFile(const AnsiString& FileName) {
  TStringStream Data(ReadWholeFile(FileName));
  LoadFromBinStream(&Data);
}
