// A minimal data-aware layer: a data set walked record by record and edited
// in place, a data source that hands it to controls, and the data link a
// control holds to hear about it. TMemDataSet keeps its rows in memory.
#pragma once

#include <functional>
#include <vector>

#include "platform/rtl/classes_component.h"
#include "platform/rtl/sysbase.h"

class EDatabaseError : public Exception {
public:
  using Exception::Exception;
};

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

// What a data set tells its sources (and they their links).
enum TDataEvent { deActiveChanged, deStateChanged, deDataSetChanged };

class TDataSource;
class TDataLink;

class TDataSet : public TComponent {
public:
  explicit TDataSet(TComponent* AOwner);
  ~TDataSet() override;

  bool GetActive() const { return FState != dsInactive; }
  void SetActive(bool Value);
  void Open() { SetActive(true); }
  // An edit in progress is cancelled.
  void Close() { SetActive(false); }
  TDataSetState GetState() const { return FState; }
  TDataSetState State() const { return FState; }

  // Moving posts an edit in progress first, as a user leaving the record
  // expects.
  void First();
  void Prior();
  void Next();
  void Last();
  // Moves by Distance records; the result is how far it went.
  int MoveBy(int Distance);
  bool GetBof() const { return FBof; }
  bool GetEof() const { return FEof; }
  bool Bof() const { return FBof; }
  bool Eof() const { return FEof; }
  bool IsEmpty() const { return GetRecordCount() == 0; }
  // 1-based; 0 when there is no record.
  int GetRecNo() const { return IsEmpty() ? 0 : FCurrent + 1; }

  void Insert();
  void Append();
  void Delete();
  void Edit();
  void Post();
  void Cancel();
  void Refresh();
  void CheckBrowseMode();
  bool GetCanModify() const { return GetActive() && !FReadOnly; }
  bool CanModify() const { return GetCanModify(); }
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }

  virtual int GetRecordCount() const = 0;

  TNotifyEvent BeforePost;
  TNotifyEvent AfterPost;
  TNotifyEvent BeforeDelete;
  TNotifyEvent AfterDelete;

protected:
  // The storage's part of each operation; the current record is FCurrent.
  virtual void InternalOpen() {}
  virtual void InternalClose() {}
  virtual void InternalInsert(int At) = 0;
  virtual void InternalDelete(int At) = 0;
  virtual void InternalEdit(int At) = 0;
  virtual void InternalPost(int At) = 0;
  virtual void InternalCancel(int At) = 0;
  void CheckActive() const;
  void SetState(TDataSetState Value);
  void DataEvent(TDataEvent Event);
  int FCurrent = 0;

private:
  void SettleCursor();
  TDataSetState FState = dsInactive;
  bool FBof = true;
  bool FEof = true;
  bool FReadOnly = false;
  std::vector<TDataSource*> FSources;

  friend class TDataSource;
};

// Rows of named text fields in memory. FieldValues of the current record
// can be changed only while editing or inserting.
class TMemDataSet : public TDataSet {
public:
  TMemDataSet(TComponent* AOwner, std::vector<AnsiString> FieldNames);
  int GetRecordCount() const override { return static_cast<int>(FRows.size()); }
  int FieldCount() const { return static_cast<int>(FFieldNames.size()); }
  AnsiString GetFieldValue(const AnsiString& Field) const;
  void SetFieldValue(const AnsiString& Field, const AnsiString& Value);
  // Adds a posted row at the end while the set is closed or browsing.
  void AppendRow(std::vector<AnsiString> Values);

protected:
  void InternalInsert(int At) override;
  void InternalDelete(int At) override;
  void InternalEdit(int At) override;
  void InternalPost(int At) override;
  void InternalCancel(int At) override;

private:
  int FieldIndex(const AnsiString& Field) const;
  std::vector<AnsiString> FFieldNames;
  std::vector<std::vector<AnsiString>> FRows;
  std::vector<AnsiString> FSaved;  // the record as it was before Edit
};

class TDataSource : public TComponent {
public:
  explicit TDataSource(TComponent* AOwner);
  ~TDataSource() override;
  TDataSet* GetDataSet() const { return FDataSet; }
  void SetDataSet(TDataSet* Value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  // dsInactive without an enabled, open data set.
  TDataSetState GetState() const;
  TNotifyEvent OnStateChange;
  TNotifyEvent OnDataChange;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void DataEvent(TDataEvent Event);
  void NotifyLinks(TDataEvent Event);
  TDataSet* FDataSet = nullptr;
  bool FEnabled = true;
  std::vector<TDataLink*> FLinks;

  friend class TDataSet;
  friend class TDataLink;
};

// What a data-aware control holds: it hears when the source's data set
// opens or closes, moves or changes, and starts or ends an edit.
class TDataLink {
public:
  TDataLink() = default;
  virtual ~TDataLink();
  TDataLink(const TDataLink&) = delete;
  TDataLink& operator=(const TDataLink&) = delete;
  TDataSource* GetDataSource() const { return FDataSource; }
  void SetDataSource(TDataSource* Value);
  TDataSet* GetDataSet() const { return FDataSource ? FDataSource->GetDataSet() : nullptr; }
  // The source is enabled and its data set open.
  bool GetActive() const { return FActive; }
  bool GetEditing() const { return FEditing; }

protected:
  virtual void ActiveChanged() {}
  virtual void DataSetChanged() {}
  virtual void EditingChanged() {}

private:
  void Update(TDataEvent Event);
  TDataSource* FDataSource = nullptr;
  bool FActive = false;
  bool FEditing = false;

  friend class TDataSource;
};
