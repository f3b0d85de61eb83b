// The search bar at the bottom of the grid: an edit for the search text,
// find-next, find-previous, highlight and close buttons and a match-case
// box. It lays out, paints and forwards; the grid does the searching.
#pragma once

#include "grid/didavovbutton.h"
#include "platform/comctrls/extctrls.h"
#include "platform/stdctrls/stdctrls_buttons.h"

class VIduZozezuVodu;

// The search edit: Return and Ctrl+Return become notifications.
class TRetEdit : public TEdit {
public:
  using TEdit::TEdit;
  void Dispatch(TMessage& Message) override;
  TNotifyEvent OnReturn;
  TNotifyEvent OnCtrlReturn;

protected:
  void CreateParams(TCreateParams& Params) override;
};

class TSearchPanel : public TPanel {
public:
  // The owner must be a grid (EInvalidCast otherwise).
  explicit TSearchPanel(TComponent* AOwner);
  TColor GetColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);
  VIduZozezuVodu* GetGrid() const { return FGrid; }
  TRetEdit* GetEdit() const { return FEdit; }
  TDidAvovButton* GetForwardButton() const { return FForward; }
  TDidAvovButton* GetBackwardButton() const { return FBackward; }
  TDidAvovButton* GetHighlightButton() const { return FHighlight; }
  TDidAvovButton* GetExitButton() const { return FExit; }
  TCheckBox* GetMatchCase() const { return FMatchCase; }
  // Places the children (right to left when the panel reads that way).
  void LayoutControls();

  // Captions and hints the grid copies in from its search footer.
  AnsiString FindNextCaption, FindNextHint, FindPrevCaption, FindPrevHint;
  AnsiString HighlightCaption, HighlightHint, MatchCaseCaption, CloseHint;

  TNotifyEvent OnForwardClick;
  TNotifyEvent OnBackwardClick;
  TNotifyEvent OnHighlightClick;
  TNotifyEvent OnExitClick;
  TNotifyEvent OnEditChange;

protected:
  void CreateWnd() override;
  void Paint() override;

private:
  void EditChange(TObject* Sender);
  void Fire(const TNotifyEvent& Event) {
    if (Event) Event(this);
  }
  VIduZozezuVodu* FGrid;
  TColor FColorTo = clNone;
  TRetEdit* FEdit;
  TDidAvovButton* FForward;
  TDidAvovButton* FBackward;
  TDidAvovButton* FExit;
  TDidAvovButton* FHighlight;
  TCheckBox* FMatchCase;
};
