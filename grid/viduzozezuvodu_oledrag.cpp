// The grid as a drag source: starting the drag of the selection or of a
// column, the pictures that follow the pointer, and the end of a move.
#include <algorithm>
#include <vector>

#include "grid/griddragdrop.h"
#include "grid/headerbuttonlook.h"
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
    SetHeaderButtonLook(*b, GetLook(), GetFixedGradient());
    b->SetImages(FGridImages);
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
  const TGridRect b = FDraggedBlock;
  const bool disjunct = GetMouseActions()->GetDisjunctRowSelect();
  const bool self = FOleSelfDropped;
  const TGridRect& d = FOleSelfDrop;
  const bool rowsGo = s->OleRemoveRows && (GetOptions() & goRowSelect);
  if (!rowsGo && s->OleCopyAlways) return;
  auto clear = [&](int c1, int r1, int c2, int r2) {
    if (c1 <= c2 && r1 <= r2) ClearRect(c1, r1, c2, r2);
  };
  if (disjunct) {
    // The selected rows followed their rows through an insertion. On a row
    // the drop wrote only the cells beside the pasted ones are source cells.
    if (!self) {
      if (rowsGo)
        RemoveSelectedRows();
      else
        ClearSelection();
      return;
    }
    const bool persistent = GetMouseActions()->RowSelectPersistent;
    for (int r = std::max(d.Top, 0); r <= d.Bottom && r < GetRowCount(); ++r) {
      std::size_t i = static_cast<std::size_t>(persistent ? RemapRowInv(r) : r);
      if (i >= FRowSelectFlags.size() || !FRowSelectFlags[i]) continue;
      if (rowsGo) {
        FRowSelectFlags[i] = 0;
        FSelectedRows->DeleteValue(static_cast<int>(i));
      } else {
        clear(0, r, d.Left - 1, r);
        clear(d.Right + 1, r, GetAllColCount() - 1, r);
      }
    }
    if (rowsGo) {
      RemoveSelectedRows();
      return;
    }
    for (int r = GetFixedRows(); r < GetRowCount() - FFixedFooters; ++r)
      if ((r < d.Top || r > d.Bottom) && RowFlagAt(r)) ClearRows(r, 1);
    return;
  }
  // The dragged rows now: a drop inside the block with rows inserted split
  // it around the inserted rows (a drop above it moved it down already).
  struct TRows {
    int Top, Bottom;
  };
  std::vector<TRows> parts{{b.Top, b.Bottom}};
  if (self && s->OleInsertRows && b.Top < d.Top && d.Top <= b.Bottom)
    parts = {{b.Top, d.Top - 1}, {d.Bottom + 1, b.Bottom + d.Bottom - d.Top + 1}};
  if (self) {
    // Rows the drop wrote are no source rows any more.
    std::vector<TRows> kept;
    for (const TRows& p : parts) {
      kept.push_back({p.Top, std::min(p.Bottom, d.Top - 1)});
      kept.push_back({std::max(p.Top, d.Bottom + 1), p.Bottom});
    }
    std::erase_if(kept, [](const TRows& p) { return p.Top > p.Bottom; });
    if (rowsGo) {
      for (auto p = kept.rbegin(); p != kept.rend(); ++p) RemoveRowsInternal(p->Top, p->Bottom - p->Top + 1);
      return;
    }
    // Around the pasted rectangle: the rows above and below it whole, and
    // on its rows the parts left and right of it.
    for (const TRows& p : parts) {
      clear(b.Left, p.Top, b.Right, std::min(p.Bottom, d.Top - 1));
      clear(b.Left, std::max(p.Top, d.Bottom + 1), b.Right, p.Bottom);
      int top = std::max(p.Top, d.Top), bottom = std::min(p.Bottom, d.Bottom);
      clear(b.Left, top, std::min(b.Right, d.Left - 1), bottom);
      clear(std::max(b.Left, d.Right + 1), top, b.Right, bottom);
    }
    return;
  }
  if (rowsGo)
    RemoveRowsInternal(b.Top, b.Bottom - b.Top + 1);
  else
    ClearRect(b.Left, b.Top, b.Right, b.Bottom);
}
