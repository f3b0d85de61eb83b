// Printed cells: the font mapping, the printed size of a cell, and one row of
// cells drawn with background, text, graphic and cell lines.
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "grid/exchange/printbuilder.h"
#include "grid/filepicture.h"
#include "grid/radoriz.h"
#include "grid/radoriz_draw.h"
#include "grid/vzvhtmle.h"

int VIduZozezuVodu::MapFontHeight(int Points) const {
  return -PrintRound(Points * 254.0 / 72.0 * FPrintFontScale);
}

int VIduZozezuVodu::MapFontSize(int Height) const { return PrintRound(Height * 72.0 / 254.0); }

namespace {
void StretchBits(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap, DWORD Rop) {
  if (!Bitmap || Bitmap->GetEmpty()) return;
  HBITMAP Handle = Bitmap->GetHandle();
  unsigned InfoSize = 0, ImageSize = 0;
  GetDIBSizes(Handle, InfoSize, ImageSize);
  if (InfoSize == 0) return;
  // Freed on every path.
  std::vector<unsigned char> Info(InfoSize), Bits(ImageSize);
  if (!GetDIB(Handle, nullptr, Info.data(), Bits.data())) return;
  const auto* BI = reinterpret_cast<const BITMAPINFO*>(Info.data());
  StretchDIBits(Canvas->GetHandle(), R.left, R.top, R.right - R.left, R.bottom - R.top, 0, 0,
                BI->bmiHeader.biWidth, std::abs(BI->bmiHeader.biHeight), Bits.data(), BI, DIB_RGB_COLORS, Rop);
}

bool IsCheckType(TCellType T) {
  return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox;
}

// The URL without its protocol, as cells show it short.
AnsiString ShortURL(const AnsiString& S) {
  const auto P = S.find("://");
  if (P != AnsiString::npos) return S.substr(P + 3);
  if (S.compare(0, 7, "mailto:") == 0) return S.substr(7);
  return S;
}
}  // namespace

void VIduZozezuVodu::PrintCellBitmap(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap) {
  StretchBits(Canvas, R, Bitmap, SRCCOPY);
}

void VIduZozezuVodu::PrintGraphicBitmap(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap, DWORD Rop) {
  StretchBits(Canvas, R, Bitmap, Rop);
}

void TPrintPageBuilder::SetMappedFont(TFont* Font) {
  TFont* C = Canvas->GetFont();
  const int Height = G.MapFontHeight(Font->GetSize());
  // Remaking the font handle for every cell would cost more than the cell.
  if (C->GetName() != Font->GetName() || C->GetHeight() != Height || !(C->GetStyle() == Font->GetStyle()) ||
      C->GetCharset() != Font->GetCharset() || C->GetPitch() != Font->GetPitch() || C->GetOrientation() != 0) {
    C->Assign(Font);
    C->SetHeight(Height);
    C->SetOrientation(0);
  }
  C->SetColor(Font->GetColor());
}

namespace {
// The cell's print font, brush and alignments.
struct TCellLook {
  TFont Font;
  TBrush Brush;
  TAlignment HA = taLeftJustify;
  TVAlignment VA = vtaTop;
  bool WW = false;
};
void GetLook(VIduZozezuVodu& G, int Real, int Row, TCellLook& L) {
  TGridDrawState State{};
  TColor ColorTo = clNone, Mirror = clNone, MirrorTo = clNone;
  TCellGradientDirection GD{};
  // The hooks start from the grid's defaults.
  L.WW = G.GetWordWrapEx();
  L.VA = G.GetVAlignment();
  G.GetVisualProperties(Real, Row, State, true, false, false, &L.Brush, ColorTo, Mirror, MirrorTo, &L.Font, L.HA,
                        L.VA, L.WW, GD);
}
}  // namespace

TPoint TPrintPageBuilder::MeasurePrintCell(int Col, int Row) {
  AnsiString Text = G.HasDataCell(Col, Row) ? AnsiString() : G.GetFormattedCell(Col, Row);
  const TTextType Type = TextType(Text, G.GetEnableHTML());
  TPoint Size;
  const int DisplCol = G.RemapColInv(Col);
  if (Type == ttHTML) {
    TFont Saved;
    Saved.Assign(Canvas->GetFont());
    Canvas->GetFont()->Assign(PS.GetFont());
    const int Limit = PS.NoAutoSize ? G.GetColWidths(DisplCol) + 12 : 65535;
    HDC DC = Canvas->GetHandle();
    SetMapMode(DC, MM_TEXT);
    Canvas->GetFont()->SetSize(PrintRound(PS.GetFont()->GetSize() * FitFactor));
    AnsiString Anchor, Strip, Focus, Hint, CID, CV, CT;
    int XSize = 0, YSize = 0, Links = 0, MouseLink = 0;
    TRect Hover, Ctrl;
    HTMLDrawEx(Canvas, Text, TRect(0, 0, Limit, 4096), G.GetGridImages(), -1, -1, -1, -1, 0, false, true, true,
               false, false, false, true, false, ImageScale, clBlue, clNone, clNone, clGray, Anchor, Strip, Focus,
               Hint, XSize, YSize, Links, MouseLink, Hover, Ctrl, CID, CV, CT, nullptr, nullptr, 0);
    SetMapMode(DC, MM_LOMETRIC);
    POINT P[2] = {{0, 0}, {XSize, YSize}};
    DPtoLP(DC, P, 2);
    Size = TPoint(std::abs(P[1].x - P[0].x), std::abs(P[1].y - P[0].y));
    Canvas->GetFont()->Assign(&Saved);
    LastMeasuredHeight = Size.y;
    return Size;
  }

  TCellLook Look;
  GetLook(G, Col, Row, Look);
  SetMappedFont(&Look.Font);

  if (Type == ttUnicode) {
    WideString WText = G.GetWideCells(Col, Row);
    const int Limit = PS.NoAutoSize ? PrintRound((G.GetColWidths(DisplCol) + 12) * PixelFactor) : 65535;
    Canvas->RequireState(false, false, true);
    SIZE Ext{};
    GetTextExtentPoint32W(Canvas->GetHandle(), WText.data(), static_cast<int>(WText.size()), &Ext);
    if (G.GetWordWrapEx()) {
      RECT Rc{0, 0, Limit, 0};
      const int Hgt = DrawTextExW(Canvas->GetHandle(), WText.data(), static_cast<int>(WText.size()), &Rc,
                                  DT_NOPREFIX | DT_CALCRECT | DT_WORDBREAK, nullptr);
      // Measured at its natural width like the other texts unless the
      // column keeps its screen width.
      Size = TPoint(PS.NoAutoSize ? Limit : std::abs(static_cast<int>(Ext.cx)), std::abs(Hgt));
    } else {
      Size = TPoint(std::abs(static_cast<int>(Ext.cx)), std::abs(static_cast<int>(Ext.cy)));
    }
    LastMeasuredHeight = Size.y;
    return Size;
  }

  if (Type == ttFormula) Text = G.CalcCell(Col, Row);
  if (Type == ttRTF) {
    TRichEdit* Rich = G.GetInternalRichEdit();
    (void)Rich;
    Text = HTMLStrip(Text);
  }
  int Angle = 0;
  const bool Rotated = G.IsRotated(Col, Row, Angle);
  if (Rotated) Canvas->GetFont()->SetOrientation(-10 * Angle);
  TPoint GSize(0, 0);
  if (PS.PrintGraphics && G.GetCellGraphic(Col, Row)) {
    const TPoint Px = G.GetCellGraphicSize(Col, Row);
    GSize = TPoint(PrintRound(Px.x * PixelFactor), PrintRound(Px.y * PixelFactor));
  }
  if (Text.empty()) Text = "gh";
  if (Look.WW && PS.NoAutoSize && !Rotated) {
    const int Limit = G.IsXMergedCell(Col, Row) ? 65535 : ColWidth(DisplCol);
    RECT Rc{0, 0, Limit, 50};
    Canvas->RequireState(false, false, true);
    const int Hgt = DrawTextA(Canvas->GetHandle(), Text.c_str(), static_cast<int>(Text.size()), &Rc,
                              DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX);
    Size = TPoint(Limit, std::abs(Hgt));
  } else {
    const bool Short = Type == ttURL && G.GetURLShow() && !G.GetURLFull();
    const bool Multi = G.GetMultilinecells();
    AnsiString Rest = Text;
    int Lines = 0, Wd = 0;
    do {
      AnsiString Line = GetNextLine(Rest, Multi);
      if (Short) Line = ShortURL(Line);
      Wd = std::max(Wd, TextW(Line) + GSize.x);
      ++Lines;
    } while (!Rest.empty());
    const int Ht = GhHeight() * Lines;
    Size = TPoint(Wd, Ht);
    if (Rotated) {
      const double Rad = Angle * M_PI / 180.0;
      const double C = std::abs(std::cos(Rad)), S = std::abs(std::sin(Rad));
      Size = TPoint(PrintRound(C * Wd) + PrintRound(S * Ht), PrintRound(S * Wd) + PrintRound(C * Ht));
      Canvas->GetFont()->SetOrientation(0);
    }
  }
  Size.x = std::max(Size.x, GSize.x);
  Size.y = std::max(Size.y, GSize.y);
  if (G.OnCustomCellSize) G.OnCustomCellSize(&G, Canvas, Col, Row, Size, true);
  LastMeasuredHeight = Size.y;
  return Size;
}

int TPrintPageBuilder::PrintRowCells(int Y, int First, int Last, int Row) {
  const int Height = CalcPrintRowHeight(Row);
  const int Pitch = Height + 2 * Gap + PS.RowSpacing;
  if (!Drawing() || !PageInRange(Page + 1)) return Pitch;
  G.FPrintFontScale = FitFactor;
  HDC DC = Canvas->GetHandle();
  const int Px2 = PrintRound(2 * PixelFactor);
  const int BandRight = ColOffset(BandEnd + 1);
  const int Cols = static_cast<int>(G.FPrintColWidths.size()) - 1;

  auto CellRect = [&](int C, int Real, TPoint& Ext) {
    Ext = G.CellExt(Real, Row);
    int Cw = 0;
    for (int I = C; I <= C + Ext.x && I < Cols; ++I) Cw += ColWidth(I) + Spacing;
    int Ch = (Ext.y + 1) * Pitch;
    if (PS.NoAutoSizeRow && Ext.y > 0) {
      Ch = 0;
      for (int I = Row; I <= Row + Ext.y; ++I) {
        const int Hr = PrintRound((G.GetRowHeights(I) - 4) * PixelFactor);
        Ch += Hr + Hr / 8 + 2 * Gap + PS.RowSpacing;
      }
    }
    const int Left = ColOffset(C);
    return TRect(Left, Y, Left + Cw, Y - Ch);
  };

  TCellLook Look;
  for (int C = First; C <= Last; ++C) {
    if (!IsColPrinted(C)) continue;
    const int Real = G.RemapCol(C);
    TPoint Ext;
    TRect Rc = CellRect(C, Real, Ext);
    if (!G.IsBaseCell(Real, Row)) continue;
    GetLook(G, Real, Row, Look);
    SetMappedFont(&Look.Font);
    AnsiString Text = G.HasDataCell(Real, Row) ? AnsiString() : G.GetFormattedCell(Real, Row);
    const TTextType Type = TextType(Text, G.GetEnableHTML());
    if (Type == ttFormula) Text = G.CalcCell(Real, Row);

    // Background, outlined in its own colour.
    TBrush* Brush = Canvas->GetBrush();
    Brush->SetStyle(bsSolid);
    Brush->SetColor(Look.Brush.GetColor());
    TPen* Pen = Canvas->GetPen();
    const TColor OldPenColor = Pen->GetColor();
    const int OldPenWidth = Pen->GetWidth();
    Pen->SetColor(Look.Brush.GetColor());
    Pen->SetWidth(1);
    Canvas->Rectangle(Rc);
    Pen->SetColor(OldPenColor);
    Pen->SetWidth(OldPenWidth);

    int Lh = GhHeight() + PS.RowSpacing;
    Lh += Lh / 8;
    int Angle = 0;
    const bool Rotated = G.IsRotated(Real, Row, Angle);
    int WCos = 0, HSin = 0, WSin = 0, HCos = 0;
    if (Rotated) {
      const int Tw = TextW(Text), Th = GhHeight();
      Canvas->GetFont()->SetOrientation(-10 * Angle);
      const double Rad = Angle * M_PI / 180.0;
      WCos = std::abs(PrintRound(Tw * std::cos(Rad)));
      HSin = std::abs(PrintRound(Th * std::sin(Rad)));
      WSin = std::abs(PrintRound(Tw * std::sin(Rad)));
      HCos = std::abs(PrintRound(Th * std::cos(Rad)));
    }

    // Graphic rectangle and the text area it leaves.
    TRect TextRc = Rc;
    TRect GRc;
    TCellGraphic* Graphic = PS.PrintGraphics ? G.GetCellGraphic(Real, Row) : nullptr;
    bool SkipText = false;
    int Gh = 0;
    if (Graphic) {
      const TPoint Px = G.GetPrintGraphicSize(Real, Row, PrintRound(Rc.Width() / PixelFactor),
                                              PrintRound(-Rc.Height() / PixelFactor), ImageScale);
      const int Gw = PrintRound(Px.x * PixelFactor);
      Gh = PrintRound(Px.y * PixelFactor);
      if (Graphic->CellType == ctRadio) SkipText = true;
      TCellHAlign HA = Graphic->CellHAlign;
      const bool Control = IsCheckType(Graphic->CellType) || Graphic->CellType == ctRadioButton;
      if (Control && Text.empty()) {
        if (Look.HA == taRightJustify) HA = haRight;
        if (Look.HA == taCenter) HA = haCenter;
      }
      const int PF = PrintRound(PixelFactor);
      switch (HA) {
        case haLeft:
        case haBeforeText:
          GRc.left = Rc.left + PF;
          GRc.right = GRc.left + Gw;
          TextRc.left = GRc.right;
          break;
        case haRight:
        case haAfterText:
          GRc.right = Rc.right - PF;
          GRc.left = GRc.right - Gw;
          TextRc.right = GRc.left;
          break;
        case haCenter:
          GRc.left = Rc.left + (Rc.Width() - Gw) / 2;
          GRc.right = GRc.left + Gw;
          break;
        case haFull:
          GRc.left = Rc.left;
          GRc.right = Rc.right;
          break;
      }
      const int Ch = Rc.top - Rc.bottom;
      switch (Graphic->CellVAlign) {
        case vaTop:
          GRc.top = Rc.top;
          GRc.bottom = Rc.top - Gh;
          break;
        case vaBottom:
          GRc.bottom = Rc.bottom;
          GRc.top = Rc.bottom + Gh;
          break;
        case vaCenter:
          GRc.top = Rc.top - (Ch - Gh) / 2;
          GRc.bottom = GRc.top - Gh;
          break;
        case vaUnderText:
          GRc.bottom = Rc.bottom;
          GRc.top = Rc.bottom + Gh;
          TextRc.bottom = GRc.top;
          break;
        case vaAboveText:
          GRc.top = Rc.top;
          GRc.bottom = Rc.top - Gh;
          TextRc.top = GRc.bottom;
          break;
        case vaFull:
          GRc.top = Rc.top;
          GRc.bottom = Rc.bottom;
          break;
      }
    }

    // Text by type.
    auto AlignFlag = [&] {
      return Look.HA == taRightJustify ? DT_RIGHT : Look.HA == taCenter ? DT_CENTER : 0u;
    };
    auto Margins = [&](TRect T) {
      if (Look.HA == taLeftJustify) T.left += TextMargin;
      if (Look.HA == taRightJustify) T.right -= TextMargin;
      if (Look.HA == taCenter) {
        T.left += TextMargin;
        T.right -= TextMargin;
      }
      return T;
    };
    if (!SkipText) {
      if (Type == ttHTML) {
        const TRect Dev = ToDevice(TextRc);
        SetMapMode(DC, MM_TEXT);
        const TFontStyles Style = Canvas->GetFont()->GetStyle();
        TFont Saved;
        Saved.Assign(Canvas->GetFont());
        Canvas->GetFont()->SetSize(PrintRound(PS.GetFont()->GetSize() * FitFactor));
        Canvas->GetFont()->SetStyle(Style);
        Brush->SetStyle(bsClear);
        AnsiString Anchor, Strip, Focus, Hint, CID, CV, CT;
        int XSize = 0, YSize = 0, Links = 0, MouseLink = 0;
        TRect Hover, Ctrl;
        HTMLDrawEx(Canvas, Text, Dev, G.GetGridImages(), -1, -1, -1, -1, 0, false, false, true, false, false,
                   false, Look.WW, false, ImageScale, clBlue, clNone, clNone, clGray, Anchor, Strip, Focus, Hint,
                   XSize, YSize, Links, MouseLink, Hover, Ctrl, CID, CV, CT, nullptr, nullptr, 0);
        SetMapMode(DC, MM_LOMETRIC);
        Canvas->GetFont()->Assign(&Saved);
        Brush->SetStyle(bsSolid);
      } else if (Type == ttRTF) {
        Brush->SetStyle(bsClear);
        G.RTFPaint(Real, Row, Canvas, TextRc);
        Brush->SetStyle(bsSolid);
      } else if (Type == ttUnicode) {
        TRect T = TextRc;
        if (T.right > W) T.right = BandRight;
        Canvas->TextRect(T, T.left, T.top, AnsiString());
        T.left += Px2;
        WideString WText = G.GetWideCells(Real, Row);
        UINT Fmt = DT_NOPREFIX | AlignFlag() | (G.GetWordWrapEx() ? DT_WORDBREAK : 0u);
        Canvas->RequireState(false, true, true);
        SetBkMode(DC, TRANSPARENT);
        RECT Rr = T;
        DrawTextExW(DC, WText.data(), static_cast<int>(WText.size()), &Rr, Fmt, nullptr);
      } else {
        const bool Short = Type == ttURL && G.GetURLShow() && !G.GetURLFull();
        const bool Multi = G.GetMultilinecells();
        std::vector<AnsiString> Lines;
        {
          AnsiString Rest = Text;
          do {
            AnsiString Line = GetNextLine(Rest, Multi);
            Lines.push_back(Short ? ShortURL(Line) : Line);
          } while (!Rest.empty());
        }
        if (Look.WW && PS.NoAutoSize && !Rotated) {
          TRect T = TextRc;
          if (T.right > W) T.right = BandRight;
          Canvas->TextRect(T, T.left, T.top, AnsiString());
          T.left += Px2;
          RECT Rr = Margins(T);
          Canvas->RequireState(false, true, true);
          SetBkMode(DC, TRANSPARENT);
          DrawTextA(DC, Text.c_str(), static_cast<int>(Text.size()), &Rr,
                    DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK | AlignFlag());
        } else if (Lines.size() <= 1) {
          const AnsiString Line = Lines.empty() ? AnsiString() : Lines[0];
          TRect T(TextRc.left, TextRc.top, std::min<int>(TextRc.right, TextRc.right > W ? BandRight : TextRc.right),
                  TextRc.top - (Pitch + PS.RowSpacing));
          if (Rotated) {
            if (Ext.y > 0) T.bottom += Ext.y * (PS.RowSpacing + Pitch);
            if (Ext.x > 0) T.right = Rc.right;
            // Clipped to the text rectangle, not to the part below the
            // start point: turned text runs away from it.
            TRect At = T;
            VIduZozezuVodu::PlaceRotatedText(At, Look.HA, Look.VA, Angle, WCos, HSin, -WSin, -HCos);
            Brush->SetStyle(bsClear);
            Canvas->TextRect(T, At.left, At.top, Line);
            Brush->SetStyle(bsSolid);
          } else if (G.GetEnhTextSize() && PS.NoAutoSize) {
            RECT Rr = T;
            OffsetRect(&Rr, G.GetXYOffset().x, -G.GetXYOffset().y);
            Canvas->RequireState(false, true, true);
            SetBkMode(DC, TRANSPARENT);
            DrawTextA(DC, Line.c_str(), static_cast<int>(Line.size()), &Rr,
                      DT_SINGLELINE | DT_NOPREFIX | DT_EDITCONTROL | DT_END_ELLIPSIS | AlignFlag());
          } else {
            RECT Rr = Margins(T);
            Canvas->RequireState(false, true, true);
            SetBkMode(DC, TRANSPARENT);
            DrawTextA(DC, Line.c_str(), static_cast<int>(Line.size()), &Rr,
                      DT_SINGLELINE | DT_NOPREFIX | DT_EDITCONTROL | AlignFlag());
          }
        } else {
          const int N = static_cast<int>(Lines.size());
          const int Step = Lh - PS.RowSpacing;
          int Offset = 0;
          if (Ext.x == 0 && Ext.y == 0) {
            if (Look.VA == vtaCenter) Offset = (Pitch - Step * N) / 2;
            if (Look.VA == vtaBottom) Offset = Pitch - Step * N;
          }
          TRect Clip = TextRc;
          if (Clip.right > W) Clip.right = BandRight;
          int Top = TextRc.top - Offset;
          Brush->SetStyle(bsClear);
          for (int I = 0; I < N; ++I) {
            const int Lw = TextW(Lines[static_cast<std::size_t>(I)]);
            int X = TextRc.left + TextMargin;
            if (Look.HA == taRightJustify) X = TextRc.right - TextMargin - Lw;
            if (Look.HA == taCenter) X = TextRc.left + (TextRc.right - TextRc.left - Lw) / 2;
            Canvas->TextRect(Clip, X, Top, Lines[static_cast<std::size_t>(I)]);
            Top -= Step;
          }
          Brush->SetStyle(bsSolid);
        }
      }
    }

    // Graphic.
    if (Graphic) {
      const TCellType T = Graphic->CellType;
      // A picture drawn on a raster of its own size, filled with the cell's
      // colour, then printed as bits.
      auto PrintRaster = [&](const TRect& Target, int Pw, int Ph, const std::function<void(TCanvas*)>& Paint) {
        if (Pw <= 0 || Ph <= 0) return;
        TBitmap Raster;
        Raster.SetSize(Pw, Ph);
        Raster.GetCanvas()->GetBrush()->SetColor(Look.Brush.GetColor());
        Raster.GetCanvas()->FillRect(TRect(0, 0, Pw, Ph));
        Paint(Raster.GetCanvas());
        VIduZozezuVodu::PrintCellBitmap(Canvas, Target, &Raster);
      };
      TImageList* Images = G.GetGridImages();
      const int PF = PrintRound(PixelFactor);
      if (T == ctBitmap) {
        VIduZozezuVodu::PrintCellBitmap(Canvas, GRc, dynamic_cast<TBitmap*>(Graphic->CellContent));
      } else if (T == ctIcon) {
        if (auto* Icon = dynamic_cast<TIcon*>(Graphic->CellExtra); Icon && !Icon->GetEmpty()) {
          // The mask (black where the icon is) and the icon on black, put
          // together on the paper: copied, then XOR-ed.
          const int Iw = Icon->GetWidth(), Ih = Icon->GetHeight();
          TBitmap Mask, Colour;
          Mask.SetSize(Iw, Ih);
          Colour.SetSize(Iw, Ih);
          TBitmap OnWhite;
          OnWhite.SetSize(Iw, Ih);
          Colour.GetCanvas()->GetBrush()->SetColor(clBlack);
          Colour.GetCanvas()->FillRect(TRect(0, 0, Iw, Ih));
          Colour.GetCanvas()->Draw(0, 0, Icon);
          OnWhite.GetCanvas()->GetBrush()->SetColor(clWhite);
          OnWhite.GetCanvas()->FillRect(TRect(0, 0, Iw, Ih));
          OnWhite.GetCanvas()->Draw(0, 0, Icon);
          for (int Yy = 0; Yy < Ih; ++Yy)
            for (int Xx = 0; Xx < Iw; ++Xx) {
              const bool Clear = OnWhite.GetCanvas()->GetPixels(Xx, Yy) == clWhite &&
                                 Colour.GetCanvas()->GetPixels(Xx, Yy) == clBlack;
              Mask.GetCanvas()->SetPixels(Xx, Yy, Clear ? clWhite : clBlack);
            }
          VIduZozezuVodu::PrintGraphicBitmap(Canvas, GRc, &Mask, SRCCOPY);
          VIduZozezuVodu::PrintGraphicBitmap(Canvas, GRc, &Colour, SRCINVERT);
        }
      } else if ((T == ctImageList || T == ctDataImage) && Images) {
        const int Index = T == ctDataImage ? G.GetInts(Real, Row) : Graphic->CellIndex;
        if (Index >= 0 && Index < Images->GetCount())
          PrintRaster(GRc, Images->GetWidth(), Images->GetHeight(),
                      [&](TCanvas* Rc2) { Images->Draw(Rc2, 0, 0, Index, true); });
      } else if (T == ctImages && Images) {
        if (auto* L = dynamic_cast<TIntList*>(Graphic->CellContent)) {
          const int Iw = PrintRound(Images->GetWidth() * PixelFactor);
          const int Ih = PrintRound(Images->GetHeight() * PixelFactor);
          int X = GRc.left, Yy = GRc.top;
          for (int I = 0; I < L->GetCount(); ++I) {
            const int Index = L->GetInteger(I);
            if (Index >= 0 && Index < Images->GetCount())
              PrintRaster(TRect(X, Yy, X + Iw, Yy - Ih), Images->GetWidth(), Images->GetHeight(),
                          [&](TCanvas* Rc2) { Images->Draw(Rc2, 0, 0, Index, true); });
            if (Graphic->CellBoolean)
              X += Iw;
            else
              Yy -= Ih;
          }
        }
      } else if (T == ctPicture || T == ctInterface) {
        if (auto* Pic = dynamic_cast<TPicture*>(Graphic->CellContent)) {
          TGraphic* Gr = Pic->GetGraphic();
          if (Gr && !Gr->GetEmpty())
            PrintRaster(GRc, Gr->GetWidth(), Gr->GetHeight(), [&](TCanvas* Rc2) { Rc2->Draw(0, 0, Gr); });
        }
      } else if (T == ctFilePicture) {
        if (auto* FP = dynamic_cast<TFilePicture*>(Graphic->CellContent)) {
          // A missing or unreadable file raises and ends the print.
          TFilePicture Loaded;
          Loaded.SetFileName(FP->GetFilename());
          PrintRaster(GRc, Loaded.GetWidth(), Loaded.GetHeight(), [&](TCanvas* Rc2) {
            Loaded.DrawPicture(Rc2, TRect(0, 0, Loaded.GetWidth(), Loaded.GetHeight()));
          });
        }
      } else if (T == ctRadio) {
        TStrings* Caps = G.GetRadioStrings(Real, Row);
        if (!Caps) Caps = dynamic_cast<TStrings*>(Graphic->CellContent);
        const int Count = Caps ? Caps->GetCount() : 0;
        const TRect Box(GRc.left, GRc.top, GRc.right, GRc.top - Gh);
        G.DrawRadio(Canvas, Box, Count, Graphic->CellIndex, Graphic->CellBoolean, false, Caps, false, Real, Row,
                    G.GetControlLook()->GetControlStyle(), PixelFactor, true);
      } else if (T == ctProgress) {
        double V = 0;
        TryCellFloat(G.GetCellEx(Real, Row), V);
        const TRect Bar(GRc.left, GRc.top - 2 * PF, TextRc.right, GRc.bottom + 4 * PF);
        const TColor Fg = Graphic->CellContentColor, Bk = Graphic->CellExtraColor;
        const TColor FgText = Graphic->CellBoolean ? static_cast<TColor>(Graphic->CellIndex) : clBlack;
        const TColor BkText = Graphic->CellBoolean ? static_cast<TColor>(Graphic->CellAngle) : clBlack;
        DrawProgressLin(Canvas, Bar, Fg, FgText, Bk, BkText, V, G.GetControlLook()->GetProgressMarginX(),
                        G.GetControlLook()->GetProgressMarginY(), Graphic->CellErrFrom, Graphic->CellErrLen,
                        Graphic->CellText, G.GetControlLook()->ProgressBorderColor, false);
        Canvas->GetPen()->SetColor(clBlack);
      } else if (T == ctProgressPie) {
        DrawProgressPie(Canvas, GRc, Graphic->CellContentColor, Graphic->CellAngle, false);
      } else if (IsCheckType(T) || T == ctRadioButton) {
        bool Checked = false;
        if (IsCheckType(T))
          G.GetCheckBoxState(Real, Row, Checked);
        else
          Checked = Graphic->CellBoolean;
        UINT State = (T == ctRadioButton ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK) | (Checked ? DFCS_CHECKED : 0u);
        if (G.GetControlLook()->GetControlStyle() == csFlat) State |= DFCS_FLAT;
        RECT Box = GRc;
        DrawFrameControl(DC, &Box, DFC_BUTTON, State);
      }
    }
    if (Rotated) Canvas->GetFont()->SetOrientation(0);

    if (G.OnCustomCellDraw) {
      const TRect Dev = ToDevice(TRect(TextRc.left, Y, TextRc.right, Y - Pitch));
      SetMapMode(DC, MM_TEXT);
      TFont Saved;
      Saved.Assign(Canvas->GetFont());
      Canvas->GetFont()->SetSize(PS.GetFont()->GetSize());
      G.OnCustomCellDraw(&G, Canvas, Real, Row, TGridDrawState{}, Dev, true);
      SetMapMode(DC, MM_LOMETRIC);
      Canvas->GetFont()->Assign(&Saved);
    }
  }

  // Cell lines.
  for (int C = First; C <= Last; ++C) {
    if (!IsColPrinted(C)) continue;
    const int Real = G.RemapCol(C);
    TPoint Ext;
    TRect Rc = CellRect(C, Real, Ext);
    bool L = false, T = false, Rt = false, B = false;
    switch (PS.Borders) {
      case pbSingle:
      case pbDouble: L = T = Rt = B = true; break;
      case pbHorizontal:
      case pbAroundHorizontal: T = B = true; break;
      case pbVertical:
      case pbAroundVertical: L = Rt = true; break;
      default: break;
    }
    if (Ext.x > 0) L = Rt = false;
    if (Ext.y > 0) T = B = false;
    if (G.IsBaseCell(Real, Row) && (PS.Borders == pbSingle || PS.Borders == pbDouble) &&
        G.IsMergedCell(Real, Row)) {
      T = L = true;
    }
    TCellBorders Borders = (L ? cbLeft : 0u) | (T ? cbTop : 0u) | (Rt ? cbRight : 0u) | (B ? cbBottom : 0u);
    TPen* Pen = Canvas->GetPen();
    TPen Saved;
    Saved.Assign(Pen);
    Pen->SetWidth(1);
    Pen->SetColor(PS.BorderColor);
    G.GetCellPrintBorder(Real, Row, Pen, Borders);
    if (G.IsYMergedCell(Real, Row) && Ext.y == 0) Borders &= ~cbTop;
    if (G.IsXMergedCell(Real, Row) && Ext.x == 0) Borders &= ~cbLeft;
    if (Method == prPrint) Pen->SetWidth(PrintRound(Pen->GetWidth() * PixelFactor));
    if (Rc.right > W) Rc.right = BandRight;
    if (Rc.bottom < H + PS.FooterSize) {
      Rc.bottom = Rc.top - Pitch;
      Borders &= ~cbBottom;
    }
    if ((Borders & cbLeft)) {
      Canvas->MoveTo(Rc.left, Rc.top);
      Canvas->LineTo(Rc.left, Rc.bottom);
    }
    if ((Borders & cbRight)) {
      const int X = Real == G.GetColCount() - 1 ? Rc.right : Rc.right - Pen->GetWidth();
      Canvas->MoveTo(X, Rc.top);
      Canvas->LineTo(X, Rc.bottom);
    }
    if ((Borders & cbTop)) {
      Canvas->MoveTo(Rc.left, Rc.top);
      Canvas->LineTo(Rc.right, Rc.top);
    }
    if ((Borders & cbBottom)) {
      Canvas->MoveTo(Rc.left, Rc.bottom);
      Canvas->LineTo(Rc.right, Rc.bottom);
    }
    Pen->Assign(&Saved);
  }
  G.FPrintFontScale = 1.0;
  return Pitch;
}
