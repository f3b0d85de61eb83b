// What the glass and glow buttons share: the action link's registration and
// memory, finding the control under the cursor, painting the parent's look
// under a button that does not cover all of its rectangle, and whether
// GDI+ can draw a font.
#pragma once

#include "platform/comctrls/actnlist.h"
#include "platform/forms/controls.h"

// The deepest windowed control under the screen point, or the graphic child
// of it there; null off every control.
TControl* ZytControlAtScreenPoint(POINT P);

// Whether GDI+ can draw text in Font: an installed outline font that is not
// a device font. Selects Font's name into C to ask.
bool ZytCanUseGdipText(TCanvas* C, TFont* Font);

// Paints the parent of Control (background, then its own paint) into
// Control's canvas through Clip, in the parent's coordinates; nothing
// without a parent. Clip stays the caller's.
void ZytPaintParentPart(TCustomControl* Control, HRGN Clip);

// Links a button to an action: registers with it, unregisters when the link
// or the action goes, and remembers what the action held when last seen,
// since a property follows the action only while the button still agreed
// with its old value. The client takes the action's properties through
// ActionChange(Action, CheckDefaults).
template <class TClient>
class TZytButtonActionLink : public TActionClient {
public:
  explicit TZytButtonActionLink(TClient* AClient) : FClient(AClient) {}
  ~TZytButtonActionLink() override {
    if (FAction) FAction->UnRegisterClient(this);
  }
  TBasicAction* GetAction() const { return FAction; }
  void SetAction(TBasicAction* Value) {
    if (Value == FAction) return;
    if (FAction) FAction->UnRegisterClient(this);
    FAction = Value;
    if (!FAction) return;
    FAction->RegisterClient(this);
    Remember();
    if (FClient) FClient->ActionChange(FAction, FClient->HasState(csLoading));
  }
  void AssignClient(TClient* AClient) { FClient = AClient; }

protected:
  // Takes what the action holds now.
  virtual void Remember() {
    if (auto* a = dynamic_cast<TCustomAction*>(FAction)) {
      FSeenChecked = a->GetChecked();
      FSeenGroupIndex = a->GetGroupIndex();
    }
  }
  // For ActionChanged: forgets an action that is going away (null); else
  // the action when it is a custom action and there is a client.
  TCustomAction* ChangedAction(TBasicAction* Action) {
    if (!Action) {
      FAction = nullptr;
      return nullptr;
    }
    return FClient ? dynamic_cast<TCustomAction*>(Action) : nullptr;
  }

  TClient* FClient;
  TBasicAction* FAction = nullptr;
  bool FSeenChecked = false;
  int FSeenGroupIndex = 0;
};
