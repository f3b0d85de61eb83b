// Column widths and row heights kept in step with the user and the
// container: the stretched column, columns scaled with the grid, all columns
// or rows scaled with the one the mouse sized, the grid following its form,
// and the selection parked outside the grid.
#include <cmath>

#include "grid/footerpanel.h"
#include "grid/htmlhint.h"
#include "grid/searchpanel.h"
#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"

namespace {

bool Loading(const TComponent* C) { return (C->GetComponentState() & (csLoading | csReading)) != 0; }

// Halves go to the even neighbour.
int RoundEven(double V) { return static_cast<int>(std::nearbyint(V)); }

}  // namespace

void VIduZozezuVodu::StretchColumn(int ACol) {
  if ((GetComponentState() & csLoading) || GetDestroying()) return;
  if (ACol == -1) ACol = GetColCount() - 1;
  // Below -1 is as far out of range as past the last column.
  if (ACol >= GetColCount() || ACol < -1) throw Exception("Stretch column index out of range");
  if (GetColCount() == 0 || !FColumnSize->GetStretch() || Stretching) return;
  Stretching = true;
  try {
    const int CW = GetClientWidth();
    if (GetColCount() == 1) {
      SetColWidths(ACol, CW);
    } else {
      int Others = 0;
      for (int c = 0; c < GetColCount(); ++c)
        if (c != ACol) Others += GetColWidths(c);
      if (Others < CW) SetColWidths(ACol, CW - Others - 1);
      else if (GetLeftCol() == GetFixedCols()) SetColWidths(ACol, GetDefaultColWidth());
    }
  } catch (...) {
    Stretching = false;
    throw;
  }
  Stretching = false;
  if (GetColCount() > 1 && FFloatingFooter->GetVisible() && FFooterPanel) {
    FFooterPanel->SetAlign(alNone);
    FFooterPanel->SetAlign(alBottom);
  }
}

void VIduZozezuVodu::UpdateColSize(int ACol, int& AWidth) {
  if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

void VIduZozezuVodu::UpdateAutoColSize(int ACol, int& AWidth) {
  if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

void VIduZozezuVodu::UpdateColHeaders() {}

void VIduZozezuVodu::InitOrigColSizes() {
  OrigColWidths.Clear();
  for (int c = 0; c < GetColCount(); ++c) OrigColWidths.Add(GetColWidths(c));
  OrigGridWidth = GetWidth();
}

void VIduZozezuVodu::SizeChanged(int OldColCount, int OldRowCount) {
  if (!GetParent() || Loading(this)) return;
  if (FColumnSize->GetStretch()) StretchColumn(FColumnSize->StretchColumn);
  TBaseGrid::SizeChanged(OldColCount, OldRowCount);
  // No flat scroll bars here: the standard bars follow the platform's rules.
  UpdateVScrollBar();
}

void VIduZozezuVodu::ColWidthsChanged() {
  if (!Stretching) StretchColumn(FColumnSize->StretchColumn);
  if ((GetComponentState() & csDesigning) && FSizingHint) FSizingHint->ReleaseHandle();
  TBaseGrid::ColWidthsChanged();
  ColWidthsTouched = true;
  const int SC = SizingCell.Col;
  const bool Valid = SC >= 0 && SC < GetColCount();
  if (ColSizedByMouse && Valid && FMouseActions->AllColumnSize && SizingCell.Width > 0) {
    ColSizedByMouse = false;
    const double Ratio = static_cast<double>(GetColWidths(SC)) / SizingCell.Width;
    // Into the store directly, then one notification: no pass per column.
    for (int c = GetFixedCols(); c < GetColCount(); ++c)
      if (c != SC) FStore.SetColWidth(c, RoundEven(GetColWidths(c) * Ratio));
    TBaseGrid::ColWidthsChanged();
    ColSizedByMouse = true;
  }
  if (ColSizedByMouse && Valid) {
    if (OnEndColumnSize) OnEndColumnSize(this, SC);
    int W = GetColWidths(SC);
    UpdateColSize(SC, W);
    if (W != GetColWidths(SC)) {
      ColSizedByMouse = false;
      SetColWidths(SC, W);
    }
  }
  if (ColSizedByMouse) SizingCell = TSizingCell{};
  if (EditActive && ActiveEditControl) {
    const TRect R = CellRect(GetCol(), GetRow());
    ActiveEditControl->SetBounds(R.left, R.top, R.Width(), R.Height());
  }
  ColSizedByMouse = false;
  if (HasCheckBox(RemapCol(GetCol()), GetRow()) && GetInplaceEditor()) HideEditor();
  UpdateFooter();
  CellControlsUpdate();
  if (FColumnSize->GetStretch() && GetScrollProportional()) UpdateVScroller();
}

void VIduZozezuVodu::RowHeightsChanged() {
  if ((GetComponentState() & csDesigning) && FSizingHint) FSizingHint->ReleaseHandle();
  TBaseGrid::RowHeightsChanged();
  const int SR = SizingCell.Row;
  const bool Valid = SR >= 0 && SR < GetRowCount();
  if (RowSizedByMouse && Valid && FMouseActions->AllRowSize && SizingCell.Height > 0) {
    RowSizedByMouse = false;
    const double Ratio = static_cast<double>(GetRowHeights(SR)) / SizingCell.Height;
    // A million rows: one pass over the store, then one notification.
    for (int r = GetFixedRows(); r < GetRowCount(); ++r)
      if (r != SR) FStore.SetRowHeight(r, RoundEven(GetRowHeights(r) * Ratio));
    TBaseGrid::RowHeightsChanged();
    RowSizedByMouse = true;
  }
  if (RowSizedByMouse && Valid) {
    if (OnEndRowSize) OnEndRowSize(this, SR);
    SizingCell = TSizingCell{};
  }
  RowSizedByMouse = false;
  if (HasCheckBox(RemapCol(GetCol()), GetRow()) && GetInplaceEditor()) HideEditor();
  CellControlsUpdate();
}

void VIduZozezuVodu::WMSize(TMessage& Msg) {
  if (FSearchPanel && FSearchPanel->GetVisible()) {
    FSearchPanel->SetAlign(alNone);
    FSearchPanel->SetAlign(alBottom);
  }
  if (!FColumnSize) {
    TBaseGrid::Dispatch(Msg);
    return;
  }
  const int NewWidth = static_cast<int>(Msg.LParamLo());
  if (OrigGridWidth > 0 && FColumnSize->SynchWithGrid) {
    HideInplaceEdit();
    const double Factor =
        GetBorderStyle() == bsSingle ? (NewWidth + 2.0) / OrigGridWidth : static_cast<double>(NewWidth) / OrigGridWidth;
    int From = 0, To = GetColCount() - 1;
    if (FColumnSize->SynchNormalCellsOnly) {
      From = GetFixedCols();
      To = GetColCount() - GetFixedRightCols() - 1;
    }
    for (int c = From; c <= To; ++c)
      if (c < OrigColWidths.GetCount()) SetColWidths(c, static_cast<int>(OrigColWidths.GetInteger(c) * Factor));
  }
  bool Stretched = false;
  const TScrollBarAlways Always = GetScrollBarAlways();
  if (FColumnSize->GetStretch() && (Always == saNone || Always == saVert) && GetColCount() > 0) {
    int S = FColumnSize->StretchColumn;
    if (S == -1) S = GetColCount() - 1;
    int Others = 0;
    for (int c = 0; c < GetColCount(); ++c)
      if (c != S) Others += GetColWidths(c);
    if (Others < GetWidth() && S >= 0 && S < GetColCount()) {
      StretchColumn(FColumnSize->StretchColumn);
      Stretched = true;
    }
  }
  // The platform's bookkeeping (bounds, alignment, OnResize) runs either way:
  // skipping it would leave the grid's size behind its window's.
  TBaseGrid::Dispatch(Msg);
  if (Stretched && Always == saNone) return;
  if (!Stretched && !WMSizeRunning) {
    WMSizeRunning = true;
    UpdateVScrollBar();
    UpdateHScrollBar();
    WMSizeRunning = false;
  }
}

void VIduZozezuVodu::ChainFormResize() {
  auto* Form = dynamic_cast<TCustomForm*>(GetOwner());
  if (!Form || (GetComponentState() & csDesigning)) return;
  ChainedFormResize = Form->OnResize;
  FormPrevWidth = Form->GetWidth();
  FormPrevHeight = Form->GetHeight();
  // The link dies with the grid: the form then calls the handler it had.
  FFormResizeLink = std::make_shared<bool>(true);
  std::weak_ptr<bool> Link = FFormResizeLink;
  TNotifyEvent Chained = ChainedFormResize;
  Form->OnResize = [this, Link, Chained](TObject* Sender) {
    if (auto L = Link.lock(); L && *L) GridResize(Sender);
    else if (Chained) Chained(Sender);
  };
}

void VIduZozezuVodu::UnchainFormResize() {
  if (FFormResizeLink) *FFormResizeLink = false;
  FFormResizeLink.reset();
}

void VIduZozezuVodu::GridResize(TObject* Sender) {
  if ((GetComponentState() & csDesigning) || GetDestroying()) return;
  if (auto* Form = dynamic_cast<TCustomForm*>(Sender); Form && FSizeWithForm) {
    const int W = Form->GetWidth() + GetWidth() - FormPrevWidth;
    const int H = Form->GetHeight() + GetHeight() - FormPrevHeight;
    if (W > 0 && H > 0) {
      SetWidth(W);
      SetHeight(H);
      FormPrevWidth = Form->GetWidth();
      FormPrevHeight = Form->GetHeight();
    }
  }
  if (ChainedFormResize) try {
      ChainedFormResize(Sender);
    } catch (...) {
      // The form's own handler does not stop the grid's resizing.
    }
  StretchColumn(FColumnSize->StretchColumn);
}

// The platform grid keeps its selection inside the cells: the selection
// stays where it is and is painted as none until another one is made.
void VIduZozezuVodu::HideSelection() {
  SavedSelection = GetSelection();
  FSelectionHidden = true;
  Invalidate();
}

void VIduZozezuVodu::UnHideSelection() {
  FSelectionHidden = false;
  Invalidate();
  const TGridRect S = SavedSelection;
  if (S.Top >= 0 && S.Left >= 0 && S.Top < GetRowCount() && S.Left < GetColCount()) {
    TGridRect N = S;
    N.Bottom = std::min(N.Bottom, GetRowCount() - 1);
    N.Right = std::min(N.Right, GetColCount() - 1);
    SetSelection(N);
    return;
  }
  int R = FFixedRowAlways && GetFixedRows() >= GetRowCount() ? 0 : GetFixedRows();
  int C = FFixedColAlways && GetFixedCols() >= GetColCount() ? 0 : GetFixedCols();
  // A grid without normal cells keeps its last cell selected.
  R = std::min(R, GetRowCount() - 1);
  C = std::min(C, GetColCount() - 1);
  if (R < 0 || C < 0) return;
  TGridRect N;
  N.Left = N.Right = C;
  N.Top = N.Bottom = R;
  SetSelection(N);
}
