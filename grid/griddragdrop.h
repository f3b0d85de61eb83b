// The grid's own drop target and drop source: what a drop does to the grid
// and what the grid does while its cells or a column are dragged out.
#pragma once

#include <functional>

#include "grid/vzvdd.h"
#include "platform/grids/grids.h"

class VIduZozezuVodu;

class TGridDropTarget : public TVZVDropTarget {
public:
  explicit TGridDropTarget(VIduZozezuVodu* AGrid) : FGrid(AGrid) {}
  VIduZozezuVodu* GetGrid() const { return FGrid; }
  void DropText(TPoint Pt, const AnsiString& Text) override;
  void DropCol(TPoint Pt, int Col) override;
  void DropRTF(TPoint Pt, const AnsiString& RTF) override;
  void DropFiles(TPoint Pt, TStrings* Files) override;
  void DropURL(TPoint Pt, const AnsiString& URL) override;
  void DragMouseMove(TPoint Pt, bool& Allow, TDropFormats Formats) override;
  void DragMouseLeave() override;

private:
  VIduZozezuVodu* FGrid;
};

class TGridDropSource : public TVZVDropSource {
public:
  explicit TGridDropSource(VIduZozezuVodu* AGrid) : FGrid(AGrid) {}
  void DragDropStop() override;
  void CurrentEffect(int Effect) override;
  void QueryDrag() override;
  int GetLastEffect() const { return FLastEffect; }

private:
  VIduZozezuVodu* FGrid;
  int FLastEffect = DROPEFFECT_NONE;
};

// Events of the grid's drag and drop; rows and columns are display indices
// unless an event says otherwise.
using TOleDragDropEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const AnsiString& Data, bool& Allow)>;
using TOleDragStartEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TOleDragStopEvent = std::function<void(TObject* Sender, int OLEEffect)>;
using TOleDragOverEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& Allow)>;
using TOleDroppedEvent = std::function<void(TObject* Sender, const TGridRect& ARect)>;
using TOleDropColEvent = std::function<void(TObject* Sender, int ARow, int ACol, int DropCol)>;
using TOleDropFileEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const AnsiString& FileName, bool& Allow)>;
using TOleDropURLEvent = std::function<void(TObject* Sender, int ARow, int ACol, const AnsiString& URL, bool& Allow)>;
