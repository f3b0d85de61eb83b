#include "grid/footerpanel.h"

#include <algorithm>
#include <cstdlib>

#include "grid/viduzozezuvodu.h"
#include "grid/vzvhtmle.h"
#include "platform/rtl/sysutils.h"

namespace {

VIduZozezuVodu* GridOf(TComponent* AOwner) {
  auto* G = dynamic_cast<VIduZozezuVodu*>(AOwner);
  if (!G) throw EInvalidCast("Invalid class typecast");
  return G;
}

}  // namespace

TFooterPanel::TFooterPanel(TComponent* AOwner) : TCustomPanel(AOwner), FGrid(GridOf(AOwner)) {
  SetBevelOuter(bvNone);
}

void TFooterPanel::CreateWnd() {
  TCustomPanel::CreateWnd();
  TFloatingFooter* F = FGrid->GetFloatingFooter();
  SetHeight(F->GetVisible() ? F->GetHeight() - 1 : 0);
  if (FGrid->OnCreatedFloatingFooter) FGrid->OnCreatedFloatingFooter(FGrid);
}

AnsiString TFooterPanel::HTMLColReplace(const AnsiString& Template) {
  AnsiString Out, Rest = Template;
  for (;;) {
    auto P = Rest.find("<#");
    if (P == AnsiString::npos) break;
    auto E = Rest.find('>', P + 2);
    // No closing ">": the rest stays as text rather than looping.
    if (E == AnsiString::npos) break;
    Out += Rest.substr(0, P);
    int Col = 0;
    if (TryStrToInt(Rest.substr(P + 2, E - P - 2), Col) && Col >= 0 && Col < FGrid->GetColCount())
      Out += FGrid->GetCellEx(Col, FGrid->GetRow());
    Rest.erase(0, E + 1);
  }
  return Out + Rest;
}

TRect TFooterPanel::RTLCoord(bool RightToLeft, TRect R) {
  if (!RightToLeft) return R;
  int W = GetClientWidth();
  return TRect(W - R.left, R.top, W - R.right, R.bottom);
}

int TFooterPanel::FooterWidth() {
  int W = 0;
  for (int C = 0; C < FGrid->GetFixedCols(); ++C) W += FGrid->GetColWidths(C);
  for (int C = FGrid->GetLeftCol(); C < FGrid->GetColCount(); ++C) W += FGrid->GetColWidths(C);
  return W;
}

int TFooterPanel::ColumnAtX(int X) {
  int Sum = 0, I = 0;
  while (I < FGrid->GetFixedCols() && Sum < X) Sum += FGrid->GetColWidths(I++);
  if (Sum >= X) return I;
  int C = FGrid->GetLeftCol();
  while (C < FGrid->GetColCount() && Sum < X) {
    Sum += FGrid->GetColWidths(C++);
    ++I;
  }
  return Sum >= X ? I : -1;
}

TRect TFooterPanel::FooterArea(TColor AreaColor) {
  TCanvas* Cv = GetCanvas();
  TRect Client = GetClientRect();
  int W = std::min<int>(FooterWidth(), Client.Width());
  bool RTL = UseRightToLeftAlignment();
  TRect Area = RTL ? TRect(Client.right - W, Client.top, Client.right, Client.bottom)
                   : TRect(Client.left, Client.top, Client.left + W, Client.bottom);
  TRect Rest = RTL ? TRect(Client.left, Client.top, Area.left, Client.bottom)
                   : TRect(Area.right, Client.top, Client.right, Client.bottom);
  Cv->GetBrush()->SetStyle(bsSolid);
  Cv->GetBrush()->SetColor(AreaColor);
  Cv->GetPen()->SetColor(AreaColor);
  Cv->FillRect(Area);
  if (Rest.Width() > 0) {
    Cv->GetBrush()->SetColor(FGrid->GetColor());
    Cv->FillRect(Rest);
  }
  return Area;
}

void TFooterPanel::FramePreview(const TRect& R) {
  TCanvas* Cv = GetCanvas();
  Cv->GetPen()->SetColor(0x808080);
  Cv->MoveTo(R.left, R.bottom - 1);
  Cv->LineTo(R.right - 1, R.bottom - 1);
  Cv->LineTo(R.right - 1, R.top - 1);
  Cv->GetPen()->SetColor(clWhite);
  Cv->MoveTo(R.left, R.bottom - 1);
  Cv->LineTo(R.left, R.top);
  Cv->LineTo(R.right - 1, R.top);
}

int TFooterPanel::PaintLastRow() {
  TCanvas* Cv = GetCanvas();
  TRect Area = FooterArea(FGrid->GetFloatingFooter()->Color);
  bool RTL = UseRightToLeftAlignment();
  TRect Client = GetClientRect();
  int LastRow = FGrid->GetRowCount() - 1;
  TGridOptions O = FGrid->GetOptions();
  bool FixedV = O & goFixedVertLine, FixedH = O & goFixedHorzLine;
  TGridLook L = FGrid->GetLook();
  bool Looks = L == glSoft || L == glZyt || L == glXP || L == glVista;
  std::vector<int> Cols;
  for (int C = 0; C < FGrid->GetFixedCols(); ++C) Cols.push_back(C);
  for (int C = FGrid->GetLeftCol(); C < FGrid->GetColCount(); ++C) Cols.push_back(C);
  int W = Client.Width();
  auto X = [&](int V) { return RTL ? W - 1 - V : V; };
  // Column separators.
  int Pos = 0;
  for (int C : Cols) {
    int CW = FGrid->GetColWidths(C);
    if (FixedV && Looks) {
      Cv->GetPen()->SetColor(clWhite);
      Cv->MoveTo(X(Pos), Client.top);
      Cv->LineTo(X(Pos), Client.bottom);
    }
    if (FixedH) {
      Cv->GetPen()->SetColor(FGrid->GetGridLineColor());
      Cv->MoveTo(X(Pos), Client.top);
      Cv->LineTo(X(Pos + CW), Client.top);
    }
    if (FixedV) {
      bool Fixed = C < FGrid->GetFixedCols();
      Cv->GetPen()->SetColor(Fixed || L == glVista ? FGrid->GetGridLineColor() : 0x808080);
      Cv->MoveTo(X(Pos + CW - 1), Client.top);
      Cv->LineTo(X(Pos + CW - 1), Client.bottom);
    }
    Pos += CW;
  }
  // The cells of the last row.
  int Top = Client.top + (FixedH ? 1 : 0);
  FGrid->DrawingToSeparateCanvas = true;
  Pos = 0;
  for (int C : Cols) {
    int CW = FGrid->GetColWidths(C);
    bool Fixed = C < FGrid->GetFixedCols();
    int Real = FGrid->RealColIndex(C);
    int Right = FGrid->IsMergedCell(Real, LastRow) ? Pos + FGrid->CellSize(Real, LastRow).x - 1 : Pos + CW - 1;
    TRect R(Pos + (FixedH && Looks ? 1 : 0), Top, Right, Client.bottom);
    TRect M = RTLCoord(RTL, R);
    if (!Fixed) {
      if (FGrid->OnGetCellColor) {
        Cv->GetBrush()->SetColor(clNone);
        FGrid->OnGetCellColor(FGrid, LastRow, Real, TGridDrawState{gdFixed}, Cv->GetBrush(), Cv->GetFont());
        if (Cv->GetBrush()->GetColor() != clNone) Cv->FillRect(M);
      }
      TColor CC = FGrid->GetColors(Real, LastRow);
      if (CC != clNone) {
        Cv->GetBrush()->SetColor(CC);
        Cv->FillRect(M);
      }
    }
    if (FGrid->IsBaseCell(Real, LastRow)) {
      if (!Fixed && FGrid->OnFooterPaint)
        FGrid->OnFooterPaint(this, C, Cv, M);
      else
        FGrid->DrawGridCell(Cv, C, LastRow, M, TGridDrawState{gdFixed});
    }
    Pos += CW;
  }
  FGrid->DrawingToSeparateCanvas = false;
  return RTL ? Client.right : Area.right;
}

int TFooterPanel::PaintColPreview() {
  TCanvas* Cv = GetCanvas();
  TRect Area = FooterArea(FGrid->GetFloatingFooter()->Color);
  FramePreview(Area);
  TColor Saved = FGrid->SelectionTextColor;
  FGrid->SelectionTextColor = clBlack;
  FGrid->DrawingToSeparateCanvas = true;
  int Col = FGrid->GetFloatingFooter()->Column;
  if (FGrid->OnFooterPaint)
    FGrid->OnFooterPaint(this, Col, Cv, Area);
  else if (Col >= 0 && Col < FGrid->GetColCount())
    FGrid->DrawGridCell(Cv, Col, FGrid->GetRow(), Area, TGridDrawState{});
  FGrid->DrawingToSeparateCanvas = false;
  FGrid->SelectionTextColor = Saved;
  return Area.right;
}

int TFooterPanel::PaintCustomPreview() {
  TCanvas* Cv = GetCanvas();
  TRect Area = FooterArea(FGrid->GetFloatingFooter()->Color);
  FramePreview(Area);
  TColor Saved = FGrid->SelectionTextColor;
  FGrid->SelectionTextColor = clBlack;
  Cv->GetBrush()->SetStyle(bsClear);
  Cv->GetFont()->Assign(FGrid->GetFont());
  const AnsiString& T = FGrid->GetFloatingFooter()->CustomTemplate;
  if (FGrid->HasState(csDesigning)) {
    Cv->TextOut(Area.left + 2, Area.top + 2, T);
  } else {
    THTMLDrawOptions O;
    O.Canvas = Cv;
    O.Text = HTMLColReplace(T);
    O.Rect = TRect(Area.left, Area.top + 2, Area.right, Area.bottom);
    O.Images = FGrid->GetGridImages();
    O.URLColor = FGrid->GetURLColor();
    O.ShadowColor = 0x808080;
    THTMLDrawResults Res;
    HTMLDraw(O, Res);
  }
  FGrid->SelectionTextColor = Saved;
  return Area.right;
}

void TFooterPanel::Paint() {
  SetBiDiMode(FGrid->GetBiDiMode());
  TFloatingFooter* F = FGrid->GetFloatingFooter();
  int Right = 0;
  switch (F->GetFooterStyle()) {
    case fsFixedLastRow: Right = PaintLastRow(); break;
    case fsColumnPreview: Right = PaintColPreview(); break;
    case fsCustomPreview: Right = PaintCustomPreview(); break;
  }
  if (F->BorderColor != clNone) {
    TCanvas* Cv = GetCanvas();
    Cv->GetPen()->SetColor(F->BorderColor);
    Cv->MoveTo(0, 0);
    Cv->LineTo(Right, 0);
  }
}

void TFooterPanel::WndProc(TMessage& Message) {
  if (Message.Msg == CM_HINTSHOW) {
    auto* Info = reinterpret_cast<THintInfo*>(Message.LParam);
    int Index = ColumnAtX(Info->CursorPos.x);
    if (FGrid->OnGridHint && Index > 0) FGrid->OnGridHint(FGrid, FGrid->GetRowCount() - 1, Index - 1, Info->HintStr);
    FLastHintCol = GetShowHint() && Index > 0 ? Index - 1 : -1;
    Message.Result = GetShowHint() ? 0 : 1;
    return;
  }
  if (Message.Msg == CM_MOUSELEAVE) FLastHintCol = -1;
  TCustomPanel::WndProc(Message);
}

void TFooterPanel::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomPanel::MouseMove(Shift, X, Y);
  int Index = ColumnAtX(X);
  if (GetShowHint() && FLastHintCol != -1 && Index - 1 != FLastHintCol) {
    if (Application) Application->CancelHint();
    FLastHintCol = Index > 0 ? Index - 1 : -1;
  }
}

void TFooterPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomPanel::MouseUp(Button, Shift, X, Y);
  if (FGrid->OnClick) FGrid->OnClick(FGrid);
  if (FGrid->OnClickCell) {
    // Columns from 0 whose widths are needed to reach X, whatever the scroll.
    int Col = 0, Sum = 0;
    while (Col < FGrid->GetColCount() && Sum < X) Sum += FGrid->GetColWidths(Col++);
    FGrid->OnClickCell(FGrid, FGrid->GetRowCount() - 1, Col);
  }
}
