// TScrollBar: a scroll bar of its own on the kernel's "SCROLLBAR" window
// class. The bar tells its parent (WM_HSCROLL/WM_VSCROLL with the bar's
// handle); the parent hands that back to the control, which moves and
// raises OnScroll and OnChange.
#pragma once

#include "platform/forms/controls.h"

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public TWinControl {
public:
  explicit TScrollBar(TComponent* AOwner);
  TScrollBarKind GetKind() const { return FKind; }
  void SetKind(TScrollBarKind Value);
  int GetMin() const { return FMin; }
  void SetMin(int Value) { SetParams(FPosition, Value, FMax); }
  int GetMax() const { return FMax; }
  void SetMax(int Value) { SetParams(FPosition, FMin, Value); }
  int GetPosition() const { return FPosition; }
  void SetPosition(int Value) { SetParams(Value, FMin, FMax); }
  int GetPageSize() const { return FPageSize; }
  void SetPageSize(int Value);
  int GetSmallChange() const { return FSmallChange; }
  void SetSmallChange(int Value) { FSmallChange = Value; }
  int GetLargeChange() const { return FLargeChange; }
  void SetLargeChange(int Value) { FLargeChange = Value; }
  // Raises EInvalidOperation when Min > Max; the position is kept in range.
  void SetParams(int APosition, int AMin, int AMax);

  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void Change();
  virtual void Scroll(TScrollCode ScrollCode, int& ScrollPos);

private:
  void DoScroll(TMessage& Message);
  void UpdateBar();
  TScrollBarKind FKind = sbHorizontal;
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FPageSize = 0;
  int FSmallChange = 1;
  int FLargeChange = 1;
};
