// The data-aware glow button: its operation, the question before it, and
// enabling and glyph from the data set's state.
#include "controls/zytglowbutton_db.h"

#include <memory>

#include "platform/graphics/resources.h"

namespace ZytGlowButton {

// ---- Data link ------------------------------------------------------------------------------
void TDBGlowButtonDataLink::ActiveChanged() {
  if (OnActiveChange) OnActiveChange(this);
}

void TDBGlowButtonDataLink::DataSetChanged() {
  if (OnDataSetChange) OnDataSetChange(this);
}

void TDBGlowButtonDataLink::EditingChanged() {
  if (OnEditingChange) OnEditingChange(this);
}

// ---- Construction -----------------------------------------------------------------------------
TDBZytGlowButton::TDBZytGlowButton(TComponent* AOwner) : TZytCustomGlowButton(AOwner) {
  FDataLink = new TDBGlowButtonDataLink;
  auto events = [this](TObject* Sender) { OnDataSetEvents(Sender); };
  FDataLink->OnActiveChange = events;
  FDataLink->OnDataSetChange = events;
  FDataLink->OnEditingChange = events;
}

TDBZytGlowButton::~TDBZytGlowButton() {
  Destroying();
  delete FDataLink;
  FDataLink = nullptr;
}

void TDBZytGlowButton::OnDataSetEvents(TObject*) { UpdateEnabled(); }

void TDBZytGlowButton::Loaded() {
  TZytCustomGlowButton::Loaded();
  LoadGlyph();
  UpdateEnabled();
}

void TDBZytGlowButton::Notification(TComponent* AComponent, TOperation Operation) {
  TZytCustomGlowButton::Notification(AComponent, Operation);
  if (Operation == opRemove && FDataLink && AComponent == FDataLink->GetDataSource()) SetDataSource(nullptr);
}

void TDBZytGlowButton::Dispatch(TMessage& Message) {
  TZytCustomGlowButton::Dispatch(Message);
  if (Message.Msg == CM_ENABLEDCHANGED && !FUpdatingEnabled && !IsLoading() && !HasState(csDestroying))
    UpdateEnabled();
}

// ---- Properties -------------------------------------------------------------------------------
void TDBZytGlowButton::SetDataSource(TDataSource* Value) {
  FDataLink->SetDataSource(Value);
  if (Value) Value->FreeNotification(this);
  if (!IsLoading()) UpdateEnabled();
}

void TDBZytGlowButton::SetDBButtonType(TDBGlowButtonType Value) {
  if (FDBButtonType == Value) return;
  if (Value == dbDelete && FConfirmActionString.empty()) FConfirmActionString = "Delete record?";
  FDBButtonType = Value;
  if (!IsLoading()) LoadGlyph();
  CalcDisableReasons();
}

void TDBZytGlowButton::CalcDisableReasons() {
  switch (FDBButtonType) {
    case dbFirst:
    case dbPrior: FDisableControl = {drBOF, drEditing, drEmpty}; break;
    case dbNext:
    case dbLast: FDisableControl = {drEOF, drEditing, drEmpty}; break;
    case dbInsert:
    case dbAppend: FDisableControl = {drReadonly, drEditing}; break;
    case dbDelete:
    case dbEdit: FDisableControl = {drReadonly, drEditing, drEmpty}; break;
    case dbPost:
    case dbCancel: FDisableControl = {drNotEditing}; break;
    case dbRefresh: FDisableControl = {drEditing}; break;
    case dbCustom: break;
  }
}

// ---- The operation ----------------------------------------------------------------------------
void TDBZytGlowButton::Click() {
  TZytCustomGlowButton::Click();
  DoAction();
}

void TDBZytGlowButton::DoGetQuestion(AnsiString& Question, TMsgDlgButtons& Buttons, int& HelpCtx) {
  Question.clear();
  if (!FConfirmAction) return;
  Question = FConfirmActionString;
  Buttons = mbOKCancel;
  HelpCtx = 0;
  if (OnGetConfirm) OnGetConfirm(this, Question, Buttons, HelpCtx);
}

bool TDBZytGlowButton::DoConfirmAction() {
  AnsiString question;
  TMsgDlgButtons buttons = mbOKCancel;
  int help = 0;
  DoGetQuestion(question, buttons, help);
  if (question.empty()) return true;
  const int answer = MessageDlg(question, mtConfirmation, buttons, help);
  return answer == mrOk || answer == mrYes;
}

void TDBZytGlowButton::DoBeforeAction(bool& DoAction) {
  if (!HasState(csDesigning) && OnBeforeAction) OnBeforeAction(this, DoAction);
}

void TDBZytGlowButton::DoAction() {
  if (!DoConfirmAction()) return;
  bool doAction = FDBButtonType != dbCustom;
  DoBeforeAction(doAction);
  TDataSource* source = GetDataSource();
  if (!doAction || !source || source->GetState() == dsInactive || !source->GetDataSet()) return;
  TDataSet* ds = source->GetDataSet();
  try {
    switch (FDBButtonType) {
      case dbFirst: ds->First(); break;
      case dbPrior: ds->Prior(); break;
      case dbNext: ds->Next(); break;
      case dbLast: ds->Last(); break;
      case dbInsert: ds->Insert(); break;
      case dbAppend: ds->Append(); break;
      case dbDelete: ds->Delete(); break;
      case dbEdit: ds->Edit(); break;
      case dbPost: ds->Post(); break;
      case dbCancel: ds->Cancel(); break;
      case dbRefresh: ds->Refresh(); break;
      case dbCustom: break;
    }
  } catch (...) {
    bool show = true;
    if (OnAfterAction) OnAfterAction(this, show);
    if (show) throw;
    return;
  }
  bool show = false;
  if (OnAfterAction) OnAfterAction(this, show);
}

// ---- Enabling and glyph -----------------------------------------------------------------------
void TDBZytGlowButton::UpdateEnabled() {
  if (HasState(csDesigning) || HasState(csDestroying) || !FAutoDisable || !FDataLink) return;
  const bool was = GetEnabled();
  FUpdatingEnabled = true;
  struct TGuard {
    bool& f;
    ~TGuard() { f = false; }
  } guard{FUpdatingEnabled};
  if (FDataLink->GetActive()) {
    TDataSet* ds = FDataLink->GetDataSet();
    TDBBDisableControls reasons;
    if (ds->GetBof()) reasons << drBOF;
    if (ds->GetEof()) reasons << drEOF;
    if (!ds->GetCanModify()) reasons << drReadonly;
    if (ds->GetBof() && ds->GetEof()) reasons << drEmpty;
    reasons << (FDataLink->GetEditing() ? drEditing : drNotEditing);
    TDBBDisableControls controls = FDisableControl;
    controls >> drEvent;
    bool enabled = (controls * reasons).Empty();
    if (FDisableControl.Contains(drEvent) && OnGetEnabled) OnGetEnabled(this, enabled);
    SetEnabled(enabled);
  } else {
    SetEnabled(false);
  }
  if (GetEnabled() != was && OnEnabledChanged) OnEnabledChanged(this);
  FUpdatingEnabled = false;
  LoadGlyph();
}

void TDBZytGlowButton::LoadGlyph() {
  if (IsLoading() || GetImages() || (!GetEnabled() && GetDisabledImages()) || FDBButtonType == dbCustom) return;
  static const char* const names[] = {"",       "FIRST", "PRIOR", "NEXT", "LAST",   "INSERT",
                                      "INSERT", "DELETE", "EDIT", "POST", "CANCEL", "REFRESH"};
  if (!FIImageList) FIImageList = new TImageList(nullptr);
  FIImageList->Clear();
  FGlyphName = AnsiString("DBIMG") + names[FDBButtonType] + (GetEnabled() ? "" : "D");
  TBitmap bmp;
  if (HBITMAP h = LoadBitmap(HInstance, FGlyphName.c_str())) {
    bmp.SetHandle(h);
    FIImageList->SetWidth(16);
    FIImageList->SetHeight(16);
    FIImageList->AddMasked(&bmp, static_cast<TColor>(0xFF00FF));
  }
  SetImageIndex(0);
  Invalidate();
}

}  // namespace ZytGlowButton
