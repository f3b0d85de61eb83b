// The data-aware glow button: performs one operation of its data source's
// data set when clicked, may ask first, follows the data set's state to
// enable itself, and shows a built-in glyph for its operation.
#pragma once

#include <initializer_list>

#include "controls/zytglowbutton.h"
#include "platform/db/db.h"
#include "platform/dialogs/dialogs.h"

namespace ZytGlowButton {

enum TDBGlowButtonType {
  dbCustom,
  dbFirst,
  dbPrior,
  dbNext,
  dbLast,
  dbInsert,
  dbAppend,
  dbDelete,
  dbEdit,
  dbPost,
  dbCancel,
  dbRefresh
};
enum TDBBDisableControl { drBOF, drEOF, drReadonly, drNotEditing, drEditing, drEmpty, drEvent };
// A set of disable reasons: s << drBOF adds, s >> drBOF removes.
class TDBBDisableControls {
public:
  TDBBDisableControls() = default;
  TDBBDisableControls(std::initializer_list<TDBBDisableControl> l) {
    for (TDBBDisableControl c : l) *this << c;
  }
  TDBBDisableControls& operator<<(TDBBDisableControl c) {
    FBits |= Bit(c);
    return *this;
  }
  TDBBDisableControls& operator>>(TDBBDisableControl c) {
    FBits &= ~Bit(c);
    return *this;
  }
  bool Contains(TDBBDisableControl c) const { return (FBits & Bit(c)) != 0; }
  bool Empty() const { return FBits == 0; }
  TDBBDisableControls operator*(TDBBDisableControls o) const { return FromBits(FBits & o.FBits); }
  bool operator==(const TDBBDisableControls& o) const { return FBits == o.FBits; }

private:
  static unsigned Bit(TDBBDisableControl c) { return 1u << static_cast<unsigned>(c); }
  static TDBBDisableControls FromBits(unsigned b) {
    TDBBDisableControls s;
    s.FBits = b;
    return s;
  }
  unsigned FBits = 0;
};

using TBeforeActionEvent = std::function<void(TObject* Sender, bool& DoAction)>;
using TAfterActionEvent = std::function<void(TObject* Sender, bool& ShowException)>;
using TGetConfirmEvent =
    std::function<void(TObject* Sender, AnsiString& Question, TMsgDlgButtons& Buttons, int& HelpCtx)>;
using TGetEnabledEvent = std::function<void(TObject* Sender, bool& Enabled)>;

// Tells its three events what the data set did.
class TDBGlowButtonDataLink : public TDataLink, public TObject {
public:
  TNotifyEvent OnActiveChange;
  TNotifyEvent OnDataSetChange;
  TNotifyEvent OnEditingChange;

protected:
  void ActiveChanged() override;
  void DataSetChanged() override;
  void EditingChanged() override;
};

class TDBZytGlowButton : public TZytCustomGlowButton {
public:
  explicit TDBZytGlowButton(TComponent* AOwner);
  ~TDBZytGlowButton() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;
  // The glow button's click, then the operation.
  void Click() override;

  bool GetAutoDisable() const { return FAutoDisable; }
  void SetAutoDisable(bool Value) { FAutoDisable = Value; }
  bool GetConfirmAction() const { return FConfirmAction; }
  void SetConfirmAction(bool Value) { FConfirmAction = Value; }
  AnsiString GetConfirmActionString() const { return FConfirmActionString; }
  void SetConfirmActionString(const AnsiString& Value) {
    if (FConfirmActionString != Value) FConfirmActionString = Value;
  }
  TDataSource* GetDataSource() const { return FDataLink->GetDataSource(); }
  void SetDataSource(TDataSource* Value);
  TDBGlowButtonType GetDBButtonType() const { return FDBButtonType; }
  void SetDBButtonType(TDBGlowButtonType Value);
  TDBBDisableControls GetDisableControl() const { return FDisableControl; }
  void SetDisableControl(TDBBDisableControls Value) { FDisableControl = Value; }
  // The glyph list while a built-in glyph is shown.
  TImageList* GetGlyphList() const { return FIImageList; }
  // The resource name of the glyph last loaded; empty when none.
  AnsiString GetGlyphName() const { return FGlyphName; }

  TBeforeActionEvent OnBeforeAction;
  TAfterActionEvent OnAfterAction;
  TGetConfirmEvent OnGetConfirm;
  TGetEnabledEvent OnGetEnabled;
  TNotifyEvent OnEnabledChanged;

protected:
  virtual void DoBeforeAction(bool& DoAction);
  virtual void DoGetQuestion(AnsiString& Question, TMsgDlgButtons& Buttons, int& HelpCtx);
  virtual bool DoConfirmAction();
  virtual void DoAction();
  virtual void UpdateEnabled();
  virtual void LoadGlyph();

private:
  void CalcDisableReasons();
  void OnDataSetEvents(TObject* Sender);
  TDBGlowButtonDataLink* FDataLink;
  bool FAutoDisable = true;
  bool FConfirmAction = false;
  AnsiString FConfirmActionString;
  TDBGlowButtonType FDBButtonType = dbCustom;
  TDBBDisableControls FDisableControl;
  bool FUpdatingEnabled = false;
  AnsiString FGlyphName;
};

}  // namespace ZytGlowButton

using ZytGlowButton::TDBGlowButtonDataLink;
using ZytGlowButton::TDBZytGlowButton;
