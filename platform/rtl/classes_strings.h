// String lists: TStrings, the abstract list of strings with an object per
// string, and TStringList, its stored implementation with sorting.
//
// Text conventions: Text joins the lines, each followed by "\r\n" (files,
// clipboard text and cell texts exchanged with other programs use it);
// setting Text splits at CR, LF and CR LF, and a final line break adds no
// empty line. Files and streams are UTF-8; a UTF-8 byte order mark on input
// is skipped.
#pragma once

#include <functional>
#include <vector>

#include "platform/rtl/classes_component.h"

class TStream;

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
public:
  ~TStrings() override = default;

  // -- the storage a descendant supplies
  virtual AnsiString Get(int Index) const = 0;
  virtual int GetCount() const = 0;
  virtual void Put(int Index, const AnsiString& S);
  virtual TObject* GetObject(int Index) const;
  virtual void PutObject(int Index, TObject* AObject);
  virtual void Clear() = 0;
  virtual void Delete(int Index) = 0;
  virtual void Insert(int Index, const AnsiString& S) = 0;
  virtual int GetCapacity() const { return GetCount(); }
  virtual void SetCapacity(int /*NewCapacity*/) {}

  int Count() const { return GetCount(); }
  AnsiString Strings(int Index) const { return Get(Index); }
  TObject* Objects(int Index) const { return GetObject(Index); }

  virtual int Add(const AnsiString& S);
  virtual int AddObject(const AnsiString& S, TObject* AObject);
  void Append(const AnsiString& S) { Add(S); }
  virtual void AddStrings(TStrings* Strings);
  virtual void InsertObject(int Index, const AnsiString& S, TObject* AObject);
  virtual void Exchange(int Index1, int Index2);
  virtual void Move(int CurIndex, int NewIndex);
  // Same strings in the same order (objects are not compared).
  bool Equals(TStrings* Strings) const;

  // Searches compare through CompareStrings (ignoring case in the base).
  virtual int IndexOf(const AnsiString& S) const;
  virtual int IndexOfName(const AnsiString& Name) const;
  virtual int IndexOfObject(TObject* AObject) const;

  // -- name=value access; the separator is NameValueSeparator
  // The part before the first separator; empty when there is none.
  AnsiString Names(int Index) const;
  AnsiString GetName(int Index) const { return Names(Index); }
  // The part after the first separator of the item named Name; empty when
  // there is no such item.
  AnsiString Values(const AnsiString& Name) const;
  AnsiString GetValue(const AnsiString& Name) const { return Values(Name); }
  // Replaces or appends "Name=Value"; an empty Value deletes the item.
  void SetValue(const AnsiString& Name, const AnsiString& Value);
  // The part after the first separator of item Index; empty when none.
  AnsiString ValueFromIndex(int Index) const;
  void SetValueFromIndex(int Index, const AnsiString& Value);

  char GetNameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(char Value) { FNameValueSeparator = Value; }
  char GetDelimiter() const { return FDelimiter; }
  void SetDelimiter(char Value) { FDelimiter = Value; }
  char GetQuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(char Value) { FQuoteChar = Value; }

  // -- whole-list texts
  AnsiString GetText() const { return GetTextStr(); }
  void SetText(const AnsiString& Value) { SetTextStr(Value); }
  virtual AnsiString GetTextStr() const;
  virtual void SetTextStr(const AnsiString& Value);
  // Items joined by Delimiter; an item holding a blank or control
  // character, the quote character or the delimiter is quoted, its quote
  // characters doubled; a list of one empty item gives two quote characters.
  // Reading, blanks and the delimiter separate items unless quoted.
  AnsiString GetDelimitedText() const;
  void SetDelimitedText(const AnsiString& Value);
  // The delimited text with ',' and '"' whatever Delimiter and QuoteChar say.
  AnsiString GetCommaText() const;
  void SetCommaText(const AnsiString& Value);

  // -- update brackets: the list reports changes once the outer one closes
  void BeginUpdate();
  void EndUpdate();
  int GetUpdateCount() const { return FUpdateCount; }

  // -- files and streams (UTF-8)
  virtual void LoadFromFile(const AnsiString& FileName);
  virtual void LoadFromStream(TStream* Stream);
  virtual void SaveToFile(const AnsiString& FileName) const;
  virtual void SaveToStream(TStream* Stream) const;

  // Copies the strings and objects of another TStrings (and its separator,
  // delimiter and quote characters).
  void Assign(TPersistent* Source) override;
  // Streams the items as the list property "Strings".
  void DefineProperties(TFiler* Filer) override;

  // Raises EStringListError with Msg, "%d" replaced by Data.
  [[noreturn]] static void Error(const AnsiString& Msg, int Data);

protected:
  // Called when the first update bracket opens (true) and the last closes.
  virtual void SetUpdateState(bool /*Updating*/) {}
  // <0, 0, >0; the base ignores case.
  virtual int CompareStrings(const AnsiString& S1, const AnsiString& S2) const;

private:
  AnsiString JoinDelimited(char Delimiter, char Quote) const;
  void SplitDelimited(const AnsiString& Value, char Delimiter, char Quote);

  int FUpdateCount = 0;
  char FNameValueSeparator = '=';
  char FDelimiter = ',';
  char FQuoteChar = '"';
};

class TStringList;
// Compares the items at Index1 and Index2 of List: <0, 0, >0.
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

class TStringList : public TStrings {
public:
  // With OwnsObjects the list deletes the objects of the items it removes.
  explicit TStringList(bool OwnsObjects = false) : FOwnsObjects(OwnsObjects) {}
  ~TStringList() override;

  AnsiString Get(int Index) const override;
  int GetCount() const override { return static_cast<int>(FList.size()); }
  void Put(int Index, const AnsiString& S) override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const AnsiString& S) override;
  void InsertObject(int Index, const AnsiString& S, TObject* AObject) override;
  int GetCapacity() const override { return static_cast<int>(FList.capacity()); }
  void SetCapacity(int NewCapacity) override;

  // On a sorted list the item goes to its place (see Duplicates).
  int Add(const AnsiString& S) override;
  int AddObject(const AnsiString& S, TObject* AObject) override;
  void Exchange(int Index1, int Index2) override;
  // Not allowed on a sorted list (the item stays where it is).
  void Move(int CurIndex, int NewIndex) override;
  int IndexOf(const AnsiString& S) const override;

  // Binary search of a sorted list: true when found; Index is then the
  // first match, else the place where S would go.
  virtual bool Find(const AnsiString& S, int& Index) const;
  virtual void Sort();
  // Orders the items by Compare; not allowed (ignored) while Sorted, whose
  // order is the list's own.
  virtual void CustomSort(const TStringListSortCompare& Compare);

  bool GetSorted() const { return FSorted; }
  void SetSorted(bool Value);
  TDuplicates GetDuplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
  bool GetCaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);
  bool GetOwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

protected:
  virtual void Changed();
  virtual void Changing();
  void SetUpdateState(bool Updating) override;
  // AnsiCompareStr when CaseSensitive, AnsiCompareText otherwise.
  int CompareStrings(const AnsiString& S1, const AnsiString& S2) const override;
  virtual void InsertItem(int Index, const AnsiString& S, TObject* AObject);

private:
  struct TStringItem {
    AnsiString FString;
    TObject* FObject = nullptr;
  };
  void CheckIndex(int Index) const;
  void ExchangeItems(int Index1, int Index2);
  void SortItems(const TStringListSortCompare& Compare);

  std::vector<TStringItem> FList;
  bool FSorted = false;
  TDuplicates FDuplicates = dupIgnore;
  bool FCaseSensitive = false;
  bool FOwnsObjects;
};
