// The grid as a drag source: starting the drag of the selection or of a
// column, the pictures that follow the pointer, and the end of a move.
#include "grid/griddragdrop.h"
#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"

TArrowWindow* VIduZozezuVodu::GetOleArrow(TArrowDirection Direction) {
  int i = Direction == arrDown ? 0 : Direction == arrUp ? 1 : 2;
  if (!FOleArrows[i]) FOleArrows[i] = new TArrowWindow(this, Direction);
  return FOleArrows[i];
}

TPopupButton* VIduZozezuVodu::GetOleColumnButton() {
  if (!FOleColumnButton) {
    FOleColumnButton = new TPopupButton(this);
    FOleColumnButton->SetVisible(false);
    FOleColumnButton->SetParent(this);
  }
  return FOleColumnButton;
}

void VIduZozezuVodu::OleHideArrows(bool Down, bool Up, bool Left) {
  const bool hide[3] = {Down, Up, Left};
  for (int i = 0; i < 3; ++i)
    if (hide[i] && FOleArrows[i]) FOleArrows[i]->SetVisible(false);
}

void VIduZozezuVodu::OleFreeDragImage() {
  delete FOleDragImage;
  FOleDragImage = nullptr;
}

void TGridDropSource::QueryDrag() {
  POINT p{};
  GetCursorPos(&p);
  if (!FGrid->GetDragDropSettings()->ShowCells) {
    if (TPopupButton* b = FGrid->FOleColumnButton)
      b->SetBounds(p.x, p.y - b->GetHeight(), b->GetWidth(), b->GetHeight());
  } else if (TCustomForm* f = FGrid->FOleDragImage) {
    f->SetBounds(p.x + 4, p.y + 4, f->GetWidth(), f->GetHeight());
  }
}

void TGridDropSource::CurrentEffect(int Effect) {
  if (Effect == DROPEFFECT_MOVE || Effect == DROPEFFECT_COPY) FLastEffect = Effect;
}

void TGridDropSource::DragDropStop() {
  if (FGrid->GetDragDropSettings()->ShowCells) FGrid->OleFreeDragImage();
}

bool VIduZozezuVodu::StartOleDrag(int ACol, int ARow) {
  TDragDropSettings* s = GetDragDropSettings();
  int real = RemapCol(ACol);
  bool allow = true;
  if (OnOleDrag) OnOleDrag(this, ARow, real, GetCells(real, ARow), allow);
  if (!allow) return false;
  TInterfaceRef<TGridDropSource> source(new TGridDropSource(this));
  if (OnOleDragStart) OnOleDragStart(this, ARow, real);
  POINT mouse{};
  GetCursorPos(&mouse);
  if (s->ShowCells && !FOleDragImage) {
    TGridRect sel = GetSelection();
    TGridRect vis{std::max(sel.Left, GetLeftCol()), std::max(sel.Top, GetTopRow()),
                  std::min(sel.Right, GetLeftCol() + GetVisibleColCount()),
                  std::min(sel.Bottom, GetTopRow() + GetVisibleRowCount())};
    FOleDragImage = SelectionToForm(vis);
    if (FOleDragImage) {
      int x = mouse.x;
      if (GetBiDiMode() == bdRightToLeft) x = mouse.x + GetColWidths(0) - FOleDragImage->GetWidth();
      FOleDragImage->SetBounds(x, mouse.y, FOleDragImage->GetWidth(), FOleDragImage->GetHeight());
      FOleDragImage->Show();
    }
  }
  int effect = DROPEFFECT_NONE;
  const int ok = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  if (ARow < GetFixedRows() && ACol >= 0 && ACol < GetColCount() && s->OleColumnDragDrop) {
    TPopupButton* b = GetOleColumnButton();
    b->SetCaption(GetCells(real, 0));
    b->SetBounds(mouse.x, mouse.y, GetColWidths(ACol), GetRowHeights(0));
    b->SetVisible(true);
    SetWindowPos(b->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    HRESULT r = StartColDoDragDrop(source.get(), real, ok, effect);
    if (r != DRAGDROP_S_CANCEL && OnOleDragStop) OnOleDragStop(this, effect);
  } else {
    FDraggedBlock = GetSelection();
    FOleDragging = true;
    FOleSelfDropped = false;
    HRESULT r = DROPEFFECT_NONE;
    try {
      r = StartTextDoDragDrop(source.get(), SelectedText(), GetCells(real, ARow), ok, effect);
    } catch (...) {
      FOleDragging = false;
      throw;
    }
    FOleDragging = false;
    if (r != DRAGDROP_S_CANCEL) {
      if (effect == DROPEFFECT_MOVE) OleMoveEnd(effect);
      if (OnOleDragStop) OnOleDragStop(this, effect);
    }
  }
  // A cancelled drag leaves nothing behind either.
  if (FOleColumnButton) FOleColumnButton->SetVisible(false);
  OleHideArrows(true, true, true);
  OleFreeDragImage();
  return true;
}

// A move out of the grid: the dragged rows go, or the dragged cells are
// emptied, except where a drop on this grid has just written.
void VIduZozezuVodu::OleMoveEnd(int) {
  TDragDropSettings* s = GetDragDropSettings();
  TGridRect b = FDraggedBlock;
  bool disjunct = GetMouseActions()->GetDisjunctRowSelect();
  if (s->OleRemoveRows && (GetOptions() & goRowSelect)) {
    if (disjunct)
      RemoveSelectedRows();
    else
      RemoveRowsInternal(b.Top, b.Bottom - b.Top + 1);
    return;
  }
  if (s->OleCopyAlways) return;
  if (disjunct) {
    ClearSelection();
    return;
  }
  if (!FOleSelfDropped) {
    ClearRect(b.Left, b.Top, b.Right, b.Bottom);
    return;
  }
  // Around the pasted rectangle: the rows above and below it whole, and on
  // its rows the parts left and right of it.
  const TGridRect& d = FOleSelfDrop;
  auto clear = [&](int c1, int r1, int c2, int r2) {
    if (c1 <= c2 && r1 <= r2) ClearRect(c1, r1, c2, r2);
  };
  clear(b.Left, b.Top, b.Right, std::min(b.Bottom, d.Top - 1));
  clear(b.Left, std::max(b.Top, d.Bottom + 1), b.Right, b.Bottom);
  int top = std::max(b.Top, d.Top), bottom = std::min(b.Bottom, d.Bottom);
  clear(b.Left, top, std::min(b.Right, d.Left - 1), bottom);
  clear(std::max(b.Left, d.Right + 1), top, b.Right, bottom);
}
