// Panels with bevels, the splitter that resizes its neighbour, and the
// picture control.
#pragma once

#include "platform/forms/controls.h"
#include "platform/graphics/graphics.h"
#include "platform/stdctrls/stdctrls_edit.h"

using TPanelBevel = TBevelCut;

// A container with an outer and an inner bevel, a border between them and
// a caption in the middle.
class TCustomPanel : public TCustomControl {
public:
  explicit TCustomPanel(TComponent* AOwner);
  TPanelBevel GetBevelInner() const { return FBevelInner; }
  void SetBevelInner(TPanelBevel Value);
  TPanelBevel GetBevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TPanelBevel Value);
  TBevelWidth GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(TBevelWidth Value);
  int GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  void Dispatch(TMessage& Message) override;

protected:
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void Paint() override;
  // The client rectangle less the bevels and the border.
  TRect InnerRect();

private:
  TPanelBevel FBevelInner = bvNone;
  TPanelBevel FBevelOuter = bvRaised;
  TBevelWidth FBevelWidth = 1;
  int FBorderWidth = 0;
  TAlignment FAlignment = taCenter;
};

class TPanel : public TCustomPanel {
public:
  using TCustomPanel::TCustomPanel;
};

// ---- Splitter ------------------------------------------------------------------------
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewSize, bool& Accept)>;

// Sits aligned beside another aligned control and resizes it when dragged;
// the control is the sibling aligned the same way that touches it.
class TSplitter : public TGraphicControl {
public:
  explicit TSplitter(TComponent* AOwner);
  int GetMinSize() const { return FMinSize; }
  void SetMinSize(int Value) { FMinSize = Value < 1 ? 1 : Value; }
  // The control that the splitter resizes (nullptr: none touches it).
  TControl* FindResizeControl();

  TCanResizeEvent OnCanResize;
  TNotifyEvent OnMoved;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Dispatch(TMessage& Message) override;

private:
  bool Vertical() const { return FAlign == alLeft || FAlign == alRight; }
  int MaxSize();
  TControl* FControl = nullptr;
  TPoint FDownPos{};
  int FStartSize = 0;
  int FMinSize = 30;
  bool FDragging = false;
};

// ---- Image ----------------------------------------------------------------------------
// Shows a picture: at its natural size from the top left, Center'd, or
// Stretch'ed to the control.
class TImage : public TGraphicControl {
public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;
  TPicture* GetPicture() const { return FPicture; }
  TPicture* Picture() const { return FPicture; }
  void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
  bool GetCenter() const { return FCenter; }
  void SetCenter(bool Value);
  bool GetStretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  // Where the picture goes in the control.
  TRect DestRect();

protected:
  void Paint() override;

private:
  void PictureChanged(TObject* Sender);
  TPicture* FPicture;
  bool FCenter = false;
  bool FStretch = false;
  bool FTransparent = false;
  bool FAutoSize = false;
};
