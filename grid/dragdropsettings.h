// Option objects of the grid for OLE drag and drop, balloon hints and
// scrolling while dragging. They hold settings; the grid's drag and drop
// and mouse handling act on them. Copies take the fields without running
// the writers' side effects.
#pragma once

#include <functional>

#include "platform/graphics/graphics.h"
#include "platform/rtl/classes.h"
#include "grid/griddragdrop.h"
#include "platform/windows/winole.h"

class VIduZozezuVodu;

class TDragDropSettings : public TPersistent {
public:
  explicit TDragDropSettings(VIduZozezuVodu* AGrid) : FGrid(AGrid) {}
  // Revokes and frees a registered target.
  ~TDragDropSettings() override;
  void Assign(TPersistent* Source) override;

  bool ShowCells = true;
  bool OleAcceptFiles = true;
  bool OleAcceptText = true;
  bool OleAcceptURLs = true;
  bool OleCopyAlways = false;
  bool GetOleDropTarget() const { return FOleDropTarget; }
  // On registers one drop target for the grid's window (a second on keeps
  // it), off revokes and frees it; at design time only the value is kept.
  void SetOleDropTarget(bool Value);
  bool OleDropSource = false;
  bool OleEntireRows = false;
  bool OleInsertRows = false;
  bool OleRemoveRows = false;
  bool GetOleDropRTF() const { return FOleDropRTF; }
  void SetOleDropRTF(bool Value);
  bool OleColumnDragDrop = false;

  // The grid's Loaded: the accept switches go into a registered target.
  void LoadedIntoTarget();
  TGridDropTarget* GetDropTarget() const { return FDropTarget; }
  bool GetDropTargetRegistered() const { return FDropTargetRegistered; }

private:
  void DropRegistration();
  VIduZozezuVodu* FGrid;
  bool FOleDropTarget = false;
  bool FOleDropRTF = false;
  TGridDropTarget* FDropTarget = nullptr;
  bool FDropTargetRegistered = false;
};

class TBalloonSettings : public TPersistent {
public:
  void Assign(TPersistent* Source) override;
  int AutoHideDelay = -1;
  TColor BackgroundColor = clNone;
  bool GetEnable() const { return FEnable; }
  void SetEnable(bool Value);
  int InitialDelay = -1;
  int ReshowDelay = -1;
  TColor TextColor = clNone;
  std::uint8_t Transparency = 0;
  TNotifyEvent OnEnableChange;

private:
  bool FEnable = false;
};

class TDragScrollDelays : public TPersistent {
public:
  void Assign(TPersistent* Source) override;
  int InitialDelay = 1000;
  int RepeatDelay = 250;
};

class TDragScrollMargins : public TPersistent {
public:
  void Assign(TPersistent* Source) override;
  int TopMargin = 50;
  int BottomMargin = 50;
  int LeftMargin = 50;
  int RightMargin = 50;
};

class TDragScrollOptions : public TPersistent {
public:
  TDragScrollOptions() = default;
  TDragScrollOptions(const TDragScrollOptions&) = delete;
  TDragScrollOptions& operator=(const TDragScrollOptions&) = delete;
  void Assign(TPersistent* Source) override;
  bool Active = false;
  TDragScrollDelays* GetDelays() const { return FDelays.get(); }
  TDragScrollMargins* GetMargins() const { return FMargins.get(); }

private:
  std::unique_ptr<TDragScrollDelays> FDelays = std::make_unique<TDragScrollDelays>();
  std::unique_ptr<TDragScrollMargins> FMargins = std::make_unique<TDragScrollMargins>();
};
