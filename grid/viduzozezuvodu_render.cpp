// How one cell looks (GetVisualProperties and its parts) and the cell
// renderer that paints a cell's content in its fixed order of steps.
#include <algorithm>

#include "grid/radoriz.h"
#include "grid/radoriz_draw.h"
#include "grid/viduzozezuvodu.h"
#include "platform/rtl/sysutils.h"
#include "platform/stdctrls/stdctrls_scrollbar.h"

namespace {

bool IsControlType(TCellType T) {
  return T == ctCheckBox || T == ctDataCheckBox || T == ctRadio || T == ctButton || T == ctRadioButton;
}

bool IsModernLook(TGridLook L) {
  return L == glZyt || L == glXP || L == glVista || L == glWin7 || L == glOffice2007;
}

}  // namespace

TFont* VIduZozezuVodu::NewFixedFont(VIduZozezuVodu* Grid) {
  auto* F = new TFont;
  F->SetName("Tahoma");
  F->SetStyle(TFontStyles{fsBold});
  F->OnChange = [Grid](TObject* S) { Grid->FixedFontChanged(S); };
  return F;
}

// ---- settings --------------------------------------------------------------------------------

void VIduZozezuVodu::SetFlat(bool Value) {
  FFlat = Value;
  Invalidate();
}

void VIduZozezuVodu::SetVAlignment(TVAlignment Value) {
  FVAlignment = Value;
  Invalidate();
}

void VIduZozezuVodu::SetAutoNumAlign(bool Value) {
  FAutoNumAlign = Value;
  Invalidate();
}

void VIduZozezuVodu::SetHideFocusRect(bool Value) {
  FHideFocusRect = Value;
  Invalidate();
}

void VIduZozezuVodu::SetRowIndicator(TBitmap* Value) {
  FRowIndicator->Assign(Value);
  RepaintCell(0, GetRow());
}

void VIduZozezuVodu::SetXYOffset(TPoint Value) {
  FXYOffset = Value;
  Invalidate();
}

void VIduZozezuVodu::SetZoomOffset(int Value) {
  FZoomOffset = std::clamp(Value, -10, 10);
  Invalidate();
}

bool VIduZozezuVodu::HoverFixedCell(int ACol, int ARow) const {
  const bool cols = FHoverFixedCells == hfAll || FHoverFixedCells == hfFixedColumns;
  const bool rows = FHoverFixedCells == hfAll || FHoverFixedCells == hfFixedRows;
  return (cols && ACol < GetFixedColsEx()) || (rows && ARow < GetFixedRowsEx());
}

// ---- look resolution -------------------------------------------------------------------------

void VIduZozezuVodu::GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                         bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                         TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                         bool& WW, TCellGradientDirection& GD) {
  const int FixedColsX = GetFixedColsEx(), FixedRowsX = GetFixedRowsEx();
  const bool fixedPos = ACol < FixedColsX || ARow < FixedRowsX;
  const bool displayFont = FPrintSettings->UseDisplayFont;
  const bool printFonts = Print && !displayFont;

  if (fixedPos)
    AFont->Assign(printFonts ? FPrintSettings->GetFixedFont() : FFixedFont.get());
  else
    AFont->Assign(printFonts ? FPrintSettings->GetFont() : GetFont());

  const int RCol = Remap ? RemapCol(ACol) : ACol;

  ABrush->SetColor(clNone);
  AColorTo = AMirrorColor = AMirrorColorTo = clNone;

  bool colourGiven = false, controlCell = false, colouredControl = false;
  if (displayFont) {
    if (const TCellProperties* P = PropsOf(RCol, ARow)) {
      // The type of the cell itself: with hidden columns the display column
      // would name another cell.
      const TCellType T = GetCellType(RCol, ARow);
      const TColor own = P->GetBrushColor();
      if (T == ctNone || T == ctEmpty) {
        if (own != clNone) {
          ABrush->SetColor(own);
          colourGiven = true;
        }
      } else {
        ABrush->SetColor(own);
        if (IsControlType(T)) {
          controlCell = true;
          colouredControl = own != clNone;
        }
      }
      if (P->FontColor != clNone) AFont->SetColor(P->FontColor);
      if (P->FontStyle.Bits() != 0) AFont->SetStyle(P->FontStyle);
      if (P->FontSize != 0) AFont->SetSize(P->FontSize);
      if (!P->FontName.empty()) AFont->SetName(P->FontName);
      WW = P->GetWordWrap();
      AColorTo = P->GetBrushColorTo();
      GD = P->GradientDirection;
    }
  }

  if (AState & gdSelected) GD = GradientVertical;

  const int ColCountX = GetColCountEx(), RowCountX = GetRowCountEx();
  if (ABrush->GetColor() == clNone || (controlCell && !colouredControl)) {
    ABrush->SetColor(GetColor());
    if (FBands.GetActive() && (!Print || FBands.Print) && FBands.GetPeriod() > 0) {
      const bool normalCol = ACol >= FixedColsX && ACol < ColCountX + FHiddenCols - FFixedRightCols;
      const bool normalRow = ARow >= FixedRowsX && ARow < RowCountX - FFixedFooters;
      if (normalCol && normalRow) ABrush->SetColor(FBands.ColorOfRow(ARow - FixedRowsX));
    }
    const int displCol = Remap ? ACol : DisplColIndex(ACol);
    if (fixedPos || displCol >= ColCountX - FFixedRightCols || ARow >= RowCountX - FFixedFooters)
      ABrush->SetColor(GetFixedColor());
  }

  const bool fixedCell = fixedPos || IsFixed(ACol, ARow);
  if (fixedCell && !Print) {
    ABrush->SetColor(GetFixedColor());
    AFont->Assign(FFixedFont.get());
    AState |= gdFixed;
  }

  if (fixedCell && !colourGiven && FLook >= glZyt && FFixedGradient.From != clNone) {
    ABrush->SetColor(FFixedGradient.From);
    AColorTo = FFixedGradient.To;
    AMirrorColor = FFixedGradient.MirrorFrom;
    AMirrorColorTo = FFixedGradient.MirrorTo;
  }

  if (OnGetCellGradient) {
    TColor c = ABrush->GetColor();
    OnGetCellGradient(this, ARow, RCol, c, AColorTo, AMirrorColor, AMirrorColorTo, GD);
    ABrush->SetColor(c);
  }

  if (Print)
    GetCellPrintColor(RCol, ARow, AState, ABrush, AFont);
  else
    GetCellColor(RCol, ARow, AState, ABrush, AFont);
  const TColor queriedBrush = ABrush->GetColor();
  const TColor queriedFont = AFont->GetColor();

  auto applySelection = [&] {
    ABrush->SetColor(SelectionColor);
    AColorTo = SelectionColorTo;
    AMirrorColor = SelectionMirrorColor;
    AMirrorColorTo = SelectionMirrorColorTo;
    if (SelectionTextColor != clNone) AFont->SetColor(SelectionTextColor);
  };
  const bool show = GetShowSelection();
  const bool disjRow = FMouseActions->GetDisjunctRowSelect();
  const bool disjCol = FMouseActions->GetDisjunctColSelect();
  if (disjRow && !Print && Select && show && !fixedCell) {
    const bool listed = RowFlagAt(ARow);
    if (((!FPlainClickSelecting || ARow != GetRow()) && listed) ||
        (FPlainClickSelecting && !listed && (AState & gdSelected))) {
      AState = gdSelected;
      applySelection();
    }
  }
  if (disjCol && !Print && Select && show && !fixedCell && ACol < GetColCount()) {
    const bool listed = GetColSelect(ACol);
    if (((!FPlainClickSelecting || ACol != GetCol()) && listed) ||
        (FPlainClickSelecting && !listed && (AState & gdSelected))) {
      AState = gdSelected;
      applySelection();
    }
  }
  if ((!Print && Select && show && !fixedCell && IsSelected(ACol, ARow) && !disjRow && !disjCol) ||
      ((AState & gdSelected) && FPlainClickSelecting && show)) {
    applySelection();
    AState |= gdSelected;
  }

  if (FMouseActions->GetDisjunctCellSelect() && show) {
    if (GetSelectedCells(ACol, ARow)) {
      applySelection();
      AState |= gdSelected;
    } else if (ACol == GetCol() && ARow == GetRow()) {
      AState &= ~static_cast<TGridDrawState>(gdSelected);
      ABrush->SetColor(queriedBrush);
      AFont->SetColor(queriedFont);
    }
  }

  GetCellWordWrap(RCol, ARow, WW);
  const WORD align = GetCellAlignment(RCol, ARow);
  HA = static_cast<TAlignment>(align & 0xFF);
  VA = static_cast<TVAlignment>(align >> 8);
}

void VIduZozezuVodu::GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState& AState, TFont* AFont,
                                       TBrush* ABrush, bool) {
  const bool fixedPos = ACol < GetFixedColsEx() || ARow < GetFixedRowsEx();
  AFont->Assign(fixedPos ? FFixedFont.get() : GetFont());
  if (const TCellProperties* P = PropsOf(RCol, ARow)) {
    if (P->FontColor != clNone) AFont->SetColor(P->FontColor);
    if (P->FontStyle.Bits() != 0) AFont->SetStyle(P->FontStyle);
    if (P->FontSize != 0) AFont->SetSize(P->FontSize);
    if (!P->FontName.empty()) AFont->SetName(P->FontName);
  }
  if (fixedPos || IsFixed(ACol, ARow)) AFont->Assign(FFixedFont.get());
  GetCellColor(RCol, ARow, AState, ABrush, AFont);
}

WORD VIduZozezuVodu::GetCellAlignment(int ACol, int ARow) {
  TAlignment HA = taLeftJustify;
  TVAlignment VA = FVAlignment;
  if (FAutoNumAlign) {
    AnsiString S = GetCellEx(ACol, ARow);
    const bool formula = (!S.empty() && S[0] == '=') || (S.size() > 3 && S[0] == '|' && S[1] == '\\' && S[3] == '=');
    if (formula) S = CalcCell(ACol, ARow);
    const TAutoType T = IsType(Trim(S));
    if (T == atNumeric || T == atFloat || T == atScientific) HA = taRightJustify;
  } else if (const TCellProperties* P = PropsOf(ACol, ARow)) {
    HA = P->GetAlignment();
  }
  GetCellAlign(ACol, ARow, HA, VA);
  return static_cast<WORD>((static_cast<unsigned>(VA) << 8) | (static_cast<unsigned>(HA) & 0xFF));
}

void VIduZozezuVodu::GetDefaultProps(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                                     TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HAlign,
                                     TVAlignment& VAlign, bool& WW, TCellGradientDirection& GD) {
  TGridDrawState state = 0;
  GetVisualProperties(ACol, ARow, state, false, false, false, ABrush, ColorTo, MirrorColor, MirrorColorTo, AFont,
                      HAlign, VAlign, WW, GD);
  // Fixed cells, bands, gradient backgrounds and the selection are worked
  // out at paint time; a frozen colour would hide them.
  if (IsFixed(ACol, ARow) || FBands.GetActive() || (state & gdSelected) || DynamicBackground()) {
    ABrush->SetColor(clNone);
    ColorTo = clNone;
  }
}

// ---- the renderer ----------------------------------------------------------------------------

void VIduZozezuVodu::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  // A hidden selection shows no cell selected until another is made.
  if (FSelectionHidden) {
    const TGridRect S = GetSelection();
    if (S.Left == SavedSelection.Left && S.Top == SavedSelection.Top && S.Right == SavedSelection.Right &&
        S.Bottom == SavedSelection.Bottom)
      AState &= ~static_cast<TGridDrawState>(gdSelected | gdFocused);
  }
  TBaseGrid::DrawCell(ACol, ARow, ARect, AState);
}

void VIduZozezuVodu::StoreCtl3D(bool Value) {
  if (GetCtl3D() == Value) return;
  // Only the value: the change notification would recreate the window and
  // paint again from inside this paint.
  TWndMethod saved = GetWindowProc();
  SetWindowProc([](TMessage&) {});
  SetCtl3D(Value);
  SetWindowProc(saved);
}

void VIduZozezuVodu::DrawGridCell(TCanvas* Canvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) {
  if (FMultilinecells) FDrawTextFlags.WordWrap[0] = 0;
  StoreCtl3D(!FFlat);

  TCellPaintInfo I;
  I.Canvas = Canvas;
  I.ACol = ACol;
  I.RCol = RemapCol(ACol);
  I.ARow = ARow;
  I.State = AState;
  I.Rect = ARect;
  I.CellRect = ARect;
  DrawInCellScrollBar(I);

  TCellColors colors;
  TCellGradientDirection GD = GradientVertical;
  I.WW = GetDefaultWordWrap();
  GetVisualProperties(ACol, ARow, I.State, false, false, true, Canvas->GetBrush(), colors.To, colors.MirrorFrom,
                      colors.MirrorTo, Canvas->GetFont(), I.HA, I.VA, I.WW, GD);
  I.Graphic = GetGraphicDetails(I.RCol, ARow, I.GraphicWidth, I.GraphicHeight, I.DrawText, I.GraphicHAlign,
                                I.GraphicVAlign);
  if (I.RCol == 0 && IsNode(ARow)) I.GraphicWidth = NodeGraphicWidth(ARow);

  if ((I.State & gdSelected) && !(I.State & gdFocused) && SelectionColor == clNone)
    Canvas->GetBrush()->SetColor(clHighlight);
  if (FZoomOffset != 0) Canvas->GetFont()->SetSize(Canvas->GetFont()->GetSize() + FZoomOffset);
  I.BrushColor = colors.From = Canvas->GetBrush()->GetColor();
  I.FontColor = Canvas->GetFont()->GetColor();

  const bool fixedCell = ACol < GetFixedColsEx() || ARow < GetFixedRowsEx() || IsFixed(ACol, ARow);
  if (fixedCell && !FFlat && IsModernLook(FLook)) DrawFixedLook(I, colors);

  const int savedLeft = I.Rect.left;
  if (I.RCol == 0 && ARow == GetRow() && GetFixedCols() > 0 && !FRowIndicator->Empty()) {
    const int h = FRowIndicator->GetHeight();
    int y = I.Rect.top;
    if (FVAlignment == vtaCenter)
      y = I.Rect.top + (I.Rect.Height() - h) / 2;
    else if (FVAlignment == vtaBottom)
      y = I.Rect.bottom - h;
    const int x = I.Rect.left + 2;
    DrawBitmapTransp(Canvas, FRowIndicator.get(), Canvas->GetBrush()->GetColor(),
                     TRect(x, y, x + FRowIndicator->GetWidth(), y + h));
    I.Rect.left += FRowIndicator->GetWidth() + 2;
  }

  if (fixedCell && !FFlat && FLook == glListView) DrawListViewHeader(I);

  if (ACol == 0 && FShowModified->Enabled && GetRowModified(ARow)) {
    const TColor keep = Canvas->GetBrush()->GetColor();
    Canvas->GetBrush()->SetColor(FShowModified->GetColor());
    Canvas->FillRect(TRect(I.Rect.right - 4, I.Rect.top, I.Rect.right, I.Rect.bottom));
    Canvas->GetBrush()->SetColor(keep);
  }

  const int savedRight = I.Rect.right;
  if (!fixedCell) {
    if (FControlLook->GetDropDownAlwaysVisible() && HasCombo(I.RCol, ARow)) {
      const TRect r(I.Rect.left - 2, I.Rect.top - 1, I.Rect.right + 1, I.Rect.bottom);
      DrawComboButton(Canvas, Handle(), r, FIsThemed && FIsComCtl6);
      I.Rect.right -= 16;
    }
    if (FControlLook->GetSpinButtonsAlwaysVisible() && HasSpinEdit(I.RCol, ARow)) {
      DrawSpinButtons(Canvas, Handle(), I.Rect, FIsThemed);
      I.Rect.right -= 16;
    }
  }

  DrawCellGraphic(I, true);
  DrawCellText(I);

  I.Rect.right = savedRight;
  Canvas->GetBrush()->SetColor(I.BrushColor);
  Canvas->GetFont()->SetColor(I.FontColor);
  InflateRect(&I.Rect, 1, 1);
  DrawCellBorders(I);
  I.Rect.left = savedLeft - 1;  // the row indicator's room ends with the borders
  DrawFixedEdges(I);
  DrawRightFixedLines(I);
  DrawTreeLines(I);
  DrawCellGraphic(I, false);

  const int lw = GetGridLineWidth();
  const TRect user(I.Rect.left + 1, I.Rect.top + 1, I.Rect.right - lw, I.Rect.bottom - lw);
  if (OnDrawCell) OnDrawCell(this, I.RCol, ARow, user, I.State);
  if (OnCustomCellDraw) OnCustomCellDraw(this, Canvas, I.RCol, ARow, I.State, I.Rect, false);

  if (!FHideFocusRect && !(GetOptions() & goRowSelect) && Focused() && GetCol() >= GetFixedCols() &&
      GetRow() >= GetFixedRows()) {
    const TPoint base = BaseCell(ACol, ARow);
    if (base.x == GetCol() && base.y == GetRow()) {
      TRect f = ARect;
      InflateRect(&f, lw - 1, lw - 1);
      f.right -= 1;
      f.bottom -= 1;
      Canvas->DrawFocusRect(f);
    }
  }
}

void VIduZozezuVodu::DrawInCellScrollBar(TCellPaintInfo& Info) {
  if (!HasScrollBar(Info.RCol, Info.ARow)) return;
  Info.ScrollBarPos = std::max(0, GetScrollPosition(Info.RCol, Info.ARow));
  const TScrollProp Prop = GetScrollProp(Info.RCol, Info.ARow);
  const TRect& R = Info.Rect;
  // The image needs a window of the grid to paint from; without one the
  // room is kept all the same, so the text does not move once shown.
  if (HandleAllocated()) {
    if (!InCellBarImage) {
      InCellBarImage = new TScrollBar(this);
      InCellBarImage->SetVisible(false);
      InCellBarImage->SetKind(sbVertical);
      InCellBarImage->SetParent(this);
    }
    TScrollBar* B = InCellBarImage;
    // A page that holds the whole range leaves nothing to scroll.
    const int Range = Prop.PageSize < Prop.Range ? Prop.Range : 0;
    B->SetPageSize(0);
    B->SetParams(0, 0, Range);
    if (Range > 0) B->SetPageSize(Prop.PageSize);
    B->SetPosition(Info.ScrollBarPos);
    B->SetBounds(R.right - InCellScrollBarWidth, R.top, InCellScrollBarWidth, R.Height());
    B->PaintTo(Info.Canvas, R.right - InCellScrollBarWidth, R.top);
  }
  Info.Rect.right -= InCellScrollBarWidth;
}

int VIduZozezuVodu::NodeLevelOf(int ARow) const {
  const TCellProperties* P = ARow >= 0 && ARow < GetRowCount() ? PropsOf(0, ARow) : nullptr;
  return P ? P->NodeLevel : 0;
}

// The gradient displays of the background come with its settings object.
bool VIduZozezuVodu::DynamicBackground() const {
  const TBackGroundDisplay D = FTextPaint.BackGround->GetDisplay();
  return D == bdGradientHorz || D == bdGradientVert;
}
