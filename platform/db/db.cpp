// The data set's cursor and states, the in-memory rows, and how changes
// travel to the sources and their links.
#include "platform/db/db.h"

#include <algorithm>

// ---- TDataSet ---------------------------------------------------------------------------
TDataSet::TDataSet(TComponent* AOwner) : TComponent(AOwner) {}

TDataSet::~TDataSet() {
  for (TDataSource* s : std::vector<TDataSource*>(FSources)) s->SetDataSet(nullptr);
}

void TDataSet::CheckActive() const {
  if (!GetActive()) throw EDatabaseError("Cannot perform this operation on a closed dataset");
}

void TDataSet::SetState(TDataSetState Value) {
  if (FState == Value) return;
  FState = Value;
  DataEvent(deStateChanged);
}

void TDataSet::DataEvent(TDataEvent Event) {
  for (TDataSource* s : std::vector<TDataSource*>(FSources)) s->DataEvent(Event);
}

void TDataSet::SetActive(bool Value) {
  if (Value == GetActive()) return;
  if (Value) {
    InternalOpen();
    FCurrent = 0;
    FState = dsBrowse;
    FBof = true;
    FEof = IsEmpty();
  } else {
    if (FState == dsEdit || FState == dsInsert) Cancel();
    InternalClose();
    FState = dsInactive;
    FBof = FEof = true;
  }
  DataEvent(deActiveChanged);
}

// Keeps the current record inside the rows; an empty set is at both ends.
void TDataSet::SettleCursor() {
  const int n = GetRecordCount();
  FCurrent = std::clamp(FCurrent, 0, std::max(0, n - 1));
  if (n == 0) FBof = FEof = true;
}

void TDataSet::CheckBrowseMode() {
  CheckActive();
  if (FState == dsEdit || FState == dsInsert) Post();
}

void TDataSet::First() {
  CheckBrowseMode();
  FCurrent = 0;
  FBof = true;
  FEof = IsEmpty();
  DataEvent(deDataSetChanged);
}

void TDataSet::Last() {
  CheckBrowseMode();
  FCurrent = std::max(0, GetRecordCount() - 1);
  FEof = true;
  FBof = IsEmpty();
  DataEvent(deDataSetChanged);
}

int TDataSet::MoveBy(int Distance) {
  CheckBrowseMode();
  const int n = GetRecordCount();
  const int from = FCurrent;
  FBof = FEof = false;
  if (n == 0) {
    FBof = FEof = true;
  } else if (FCurrent + Distance >= n) {
    FCurrent = n - 1;
    FEof = true;
  } else if (FCurrent + Distance < 0) {
    FCurrent = 0;
    FBof = true;
  } else {
    FCurrent += Distance;
  }
  DataEvent(deDataSetChanged);
  return FCurrent - from;
}

void TDataSet::Next() { MoveBy(1); }
void TDataSet::Prior() { MoveBy(-1); }

void TDataSet::Insert() {
  CheckBrowseMode();
  if (FReadOnly) throw EDatabaseError("Cannot modify a read-only dataset");
  InternalInsert(FCurrent);
  FBof = FEof = false;
  SetState(dsInsert);
  DataEvent(deDataSetChanged);
}

void TDataSet::Append() {
  CheckBrowseMode();
  if (FReadOnly) throw EDatabaseError("Cannot modify a read-only dataset");
  FCurrent = GetRecordCount();
  InternalInsert(FCurrent);
  FBof = false;
  FEof = true;
  SetState(dsInsert);
  DataEvent(deDataSetChanged);
}

void TDataSet::Edit() {
  CheckActive();
  if (FState == dsEdit || FState == dsInsert) return;
  if (FReadOnly) throw EDatabaseError("Cannot modify a read-only dataset");
  if (IsEmpty()) throw EDatabaseError("Cannot perform this operation on an empty dataset");
  InternalEdit(FCurrent);
  SetState(dsEdit);
}

void TDataSet::Post() {
  CheckActive();
  if (FState != dsEdit && FState != dsInsert) throw EDatabaseError("Dataset not in edit or insert mode");
  if (BeforePost) BeforePost(this);
  InternalPost(FCurrent);
  SetState(dsBrowse);
  DataEvent(deDataSetChanged);
  if (AfterPost) AfterPost(this);
}

void TDataSet::Cancel() {
  CheckActive();
  if (FState != dsEdit && FState != dsInsert) return;
  const bool inserted = FState == dsInsert;
  InternalCancel(FCurrent);
  if (inserted) SettleCursor();
  SetState(dsBrowse);
  DataEvent(deDataSetChanged);
}

void TDataSet::Delete() {
  CheckActive();
  if (FState == dsInsert) {
    Cancel();
    return;
  }
  if (FReadOnly) throw EDatabaseError("Cannot modify a read-only dataset");
  if (IsEmpty()) throw EDatabaseError("Cannot perform this operation on an empty dataset");
  if (BeforeDelete) BeforeDelete(this);
  if (FState == dsEdit) InternalCancel(FCurrent);
  InternalDelete(FCurrent);
  FState = dsBrowse;
  SettleCursor();
  FBof = FEof = IsEmpty();
  DataEvent(deStateChanged);
  DataEvent(deDataSetChanged);
  if (AfterDelete) AfterDelete(this);
}

void TDataSet::Refresh() {
  CheckBrowseMode();
  SettleCursor();
  DataEvent(deDataSetChanged);
}

// ---- TMemDataSet ------------------------------------------------------------------------
TMemDataSet::TMemDataSet(TComponent* AOwner, std::vector<AnsiString> FieldNames)
    : TDataSet(AOwner), FFieldNames(std::move(FieldNames)) {}

int TMemDataSet::FieldIndex(const AnsiString& Field) const {
  for (std::size_t i = 0; i < FFieldNames.size(); ++i)
    if (FFieldNames[i] == Field) return static_cast<int>(i);
  throw EDatabaseError("Field '" + Field + "' not found");
}

AnsiString TMemDataSet::GetFieldValue(const AnsiString& Field) const {
  const int f = FieldIndex(Field);
  if (!GetActive() || IsEmpty()) return {};
  return FRows[static_cast<std::size_t>(FCurrent)][static_cast<std::size_t>(f)];
}

void TMemDataSet::SetFieldValue(const AnsiString& Field, const AnsiString& Value) {
  const int f = FieldIndex(Field);
  if (GetState() != dsEdit && GetState() != dsInsert) throw EDatabaseError("Dataset not in edit or insert mode");
  FRows[static_cast<std::size_t>(FCurrent)][static_cast<std::size_t>(f)] = Value;
}

void TMemDataSet::AppendRow(std::vector<AnsiString> Values) {
  if (GetState() == dsEdit || GetState() == dsInsert) throw EDatabaseError("Dataset is being edited");
  Values.resize(FFieldNames.size());
  FRows.push_back(std::move(Values));
  if (GetActive()) {
    if (GetRecordCount() == 1) {
      FCurrent = 0;
      MoveBy(0);
    } else {
      DataEvent(deDataSetChanged);
    }
  }
}

void TMemDataSet::InternalInsert(int At) {
  FRows.insert(FRows.begin() + At, std::vector<AnsiString>(FFieldNames.size()));
}

void TMemDataSet::InternalDelete(int At) { FRows.erase(FRows.begin() + At); }
void TMemDataSet::InternalEdit(int At) { FSaved = FRows[static_cast<std::size_t>(At)]; }
void TMemDataSet::InternalPost(int) { FSaved.clear(); }

void TMemDataSet::InternalCancel(int At) {
  if (GetState() == dsInsert)
    FRows.erase(FRows.begin() + At);
  else
    FRows[static_cast<std::size_t>(At)] = FSaved;
  FSaved.clear();
}

// ---- TDataSource ------------------------------------------------------------------------
TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() {
  for (TDataLink* l : std::vector<TDataLink*>(FLinks)) l->SetDataSource(nullptr);
  SetDataSet(nullptr);
}

void TDataSource::SetDataSet(TDataSet* Value) {
  if (Value == FDataSet) return;
  if (FDataSet) {
    auto& v = FDataSet->FSources;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
    FDataSet->RemoveFreeNotification(this);
  }
  FDataSet = Value;
  if (FDataSet) {
    FDataSet->FSources.push_back(this);
    FDataSet->FreeNotification(this);
  }
  DataEvent(deActiveChanged);
}

void TDataSource::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  DataEvent(deActiveChanged);
}

TDataSetState TDataSource::GetState() const {
  return FEnabled && FDataSet ? FDataSet->GetState() : dsInactive;
}

void TDataSource::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDataSet) SetDataSet(nullptr);
}

void TDataSource::NotifyLinks(TDataEvent Event) {
  for (TDataLink* l : std::vector<TDataLink*>(FLinks)) l->Update(Event);
}

void TDataSource::DataEvent(TDataEvent Event) {
  if (Event == deStateChanged || Event == deActiveChanged) {
    if (OnStateChange) OnStateChange(this);
  }
  if (Event == deDataSetChanged && OnDataChange) OnDataChange(this);
  NotifyLinks(Event);
}

// ---- TDataLink --------------------------------------------------------------------------
TDataLink::~TDataLink() { SetDataSource(nullptr); }

void TDataLink::SetDataSource(TDataSource* Value) {
  if (Value == FDataSource) return;
  if (FDataSource) {
    auto& v = FDataSource->FLinks;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
  }
  FDataSource = Value;
  if (FDataSource) FDataSource->FLinks.push_back(this);
  Update(deActiveChanged);
}

void TDataLink::Update(TDataEvent Event) {
  const TDataSetState state = FDataSource ? FDataSource->GetState() : dsInactive;
  const bool active = state != dsInactive;
  const bool editing = state == dsEdit || state == dsInsert;
  if (active != FActive) {
    FActive = active;
    ActiveChanged();
  }
  if (editing != FEditing) {
    FEditing = editing;
    EditingChanged();
  }
  if (Event == deDataSetChanged && FActive) DataSetChanged();
}
