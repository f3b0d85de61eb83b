// Unicode editors: the wide string list (TWideStrings) with its combo-bound
// and 8-bit views, and the edits, memo and combo box whose text is kept as
// UTF-16. Our windows hold their text without loss, so what these controls
// add is the wide text interface, the caption holder that keeps a wide text
// while no window shows it, the packing of characters beyond 255 through
// the 8-bit key handlers (an OnKeyPress sees #255 for them) and the
// input-method results turned into one WM_CHAR per UTF-16 unit.
#pragma once

#include <functional>

#include "platform/rtl/classes.h"
#include "platform/rtl/classes_filer.h"
#include "platform/stdctrls/stdctrls_edit.h"
#include "platform/stdctrls/stdctrls_lists.h"

using LCID = DWORD;
// The user's locale (the configurator runs in Russian).
inline constexpr LCID LocaleRussian = 0x0419;
LCID GetUserDefaultLCID();

class EOutOfResources : public EOutOfMemory {
public:
  using EOutOfMemory::EOutOfMemory;
};
class EAssertionFailed : public Exception {
public:
  using Exception::Exception;
};

class TAnsiStringsForWideStrings;
class TCustomUNIComboBox;

// ---- The wide string list ----------------------------------------------------------
class TWideStrings : public TPersistent {
public:
  TWideStrings();
  ~TWideStrings() override;

  void DefineProperties(TFiler* Filer) override;
  // A wide or an 8-bit list; anything else raises EConvertError.
  void Assign(TPersistent* Source) override;
  virtual WideString Get(int Index) const = 0;
  virtual int GetCapacity() const { return GetCount(); }
  virtual int GetCount() const = 0;
  virtual TObject* GetObject(int /*Index*/) const { return nullptr; }
  // Every item followed by CR LF.
  virtual WideString GetTextStr() const;
  virtual void Put(int Index, const WideString& S);
  virtual void PutObject(int /*Index*/, TObject* /*AObject*/) {}
  virtual void SetCapacity(int /*NewCapacity*/) {}
  // Lines end at LF, VT, FF, CR (CR LF once), U+2028 and U+2029.
  virtual void SetTextStr(const WideString& Value);
  virtual void SetUpdateState(bool /*Updating*/) {}
  virtual void SetLanguage(LCID Value) { FLanguage = Value; }
  virtual int Add(const WideString& S);
  virtual int AddObject(const WideString& S, TObject* AObject);
  virtual void AddStrings(TStrings* Strings);
  virtual void AddStrings(TWideStrings* Strings);
  virtual void Clear() = 0;
  virtual void Delete(int Index) = 0;
  virtual void Exchange(int Index1, int Index2);
  // A new zero-terminated copy of GetTextStr behind a 4-byte size field;
  // give it back with FreeText.
  virtual char16_t* GetText() const;
  // The first item equal to S ignoring case under Language, else -1.
  virtual int IndexOf(const WideString& S) const;
  virtual void Insert(int Index, const WideString& S) = 0;
  virtual void Move(int CurIndex, int NewIndex);
  virtual void SetText(const char16_t* Text);

  static void FreeText(char16_t* Text);

  int Count() const { return GetCount(); }
  WideString Strings(int Index) const { return Get(Index); }
  TObject* Objects(int Index) const { return GetObject(Index); }
  void Append(const WideString& S) { Add(S); }
  void InsertObject(int Index, const WideString& S, TObject* AObject);
  void BeginUpdate();
  void EndUpdate();
  // Same count and every string equal character by character.
  bool Equals(const TWideStrings* Other) const;
  int IndexOfName(const WideString& Name) const;
  int IndexOfObject(TObject* AObject) const;
  WideString GetName(int Index) const;
  WideString GetValue(const WideString& Name) const;
  void SetValue(const WideString& Name, const WideString& Value);
  WideString GetCommaText() const;
  void SetCommaText(const WideString& Value);
  LCID GetLanguage() const { return FLanguage; }
  TStrings* GetAnsiStrings() const;
  void SetAnsiStrings(TStrings* Value);
  [[noreturn]] static void Error(const AnsiString& Msg, int Data);

protected:
  void AssignTo(TPersistent* Dest) override;

private:
  TAnsiStringsForWideStrings* FAnsiStrings;
  int FUpdateCount = 0;
  LCID FLanguage;
};

// A plain wide list kept in memory (what forms read into, and the list
// tests and callers fill without a combo).
class TWideStringList : public TWideStrings {
public:
  ~TWideStringList() override { Clear(); }
  WideString Get(int Index) const override;
  int GetCount() const override { return static_cast<int>(FItems.size()); }
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void Clear() override { FItems.clear(); }
  void Delete(int Index) override;
  void Insert(int Index, const WideString& S) override;

private:
  void Check(int Index, bool AllowEnd = false) const;
  std::vector<std::pair<WideString, TObject*>> FItems;
};

// The 8-bit view of a wide list: items narrowed to UTF-8 (objects are not
// passed through).
class TAnsiStringsForWideStrings : public TStrings {
public:
  explicit TAnsiStringsForWideStrings(TWideStrings* AWideStrings) : FWideStrings(AWideStrings) {}
  AnsiString Get(int Index) const override;
  int GetCount() const override;
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const AnsiString& S) override;

private:
  TWideStrings* FWideStrings;
};

// The items of a Unicode combo box, kept in its window.
class TComboBoxStrings : public TWideStrings {
public:
  explicit TComboBoxStrings(TCustomUNIComboBox* AComboBox) : FComboBox(AComboBox) {}
  WideString Get(int Index) const override;
  int GetCount() const override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void SetUpdateState(bool Updating) override;
  int Add(const WideString& S) override;
  // Empties the list; the combo keeps its text.
  void Clear() override;
  void Delete(int Index) override;
  // The combo's own case-insensitive exact match (CB_FINDSTRINGEXACT).
  int IndexOf(const WideString& S) const override;
  void Insert(int Index, const WideString& S) override;

private:
  TCustomUNIComboBox* FComboBox;
};

// ---- Wide text of controls ---------------------------------------------------------------
// Holds a control's wide caption while no window shows it (at most one per
// control, owned by it).
class TWideCaptionHolder : public TComponent {
public:
  using TComponent::TComponent;
  WideString Caption;
};

// Creates the window through Create (the control's own creation), hooks it
// and gives it the caption the holder kept (or the one of Params).
void CreateWideHandle(TWinControl* Control, const TCreateParams& Params, const AnsiString& ClassName,
                      const std::function<void(const TCreateParams&)>& Create);
// The window is going: its wide text moves into the holder unless the
// control itself is being destroyed; then the hook comes off.
void ReleaseWideHandle(TWinControl* Control);
void HookWideWindow(TWinControl* Control);
void UnhookWideWindow(TWinControl* Control);
bool IsWideWindowHooked(TWinControl* Control);
WideString GetWideControlText(TWinControl* Control);
// An equal text changes nothing and sends no CM_TEXTCHANGED.
void SetWideControlText(TWinControl* Control, const WideString& Text);
TWideCaptionHolder* LocateCaptionHolder(TWinControl* Control, const WideString& DefaultCaption);
// A WM_CHAR beyond 255 travels as 255 with the character in the high half
// of WParam; Unpack takes it back unless a handler changed the 255. A high
// half set before packing raises EAssertionFailed.
void PackCharMessage(TMessage& Message);
void UnpackCharMessage(TMessage& Message);
// WM_IME_COMPOSITION with a result: one WM_CHAR per UTF-16 unit to the
// window, true; false for every other message.
bool SendImeResult(HWND Wnd, const TMessage& Message);

// ---- Edits -------------------------------------------------------------------------------
class TCustomUNIEdit : public TCustomEdit {
public:
  explicit TCustomUNIEdit(TComponent* AOwner);
  ~TCustomUNIEdit() override;
  WideString GetText() { return GetWideControlText(this); }
  void SetText(const WideString& Value) { SetWideControlText(this, Value); }
  WideString GetSelText();
  void SetSelText(const WideString& Value);

  void Dispatch(TMessage& Message) override;

protected:
  void CreateWindowHandle(const TCreateParams& Params) override;
  // The character route shared by the Unicode edits.
  void WideChar(TMessage& Message);
};

class TVzvUniEdit : public TCustomUNIEdit {
public:
  using TCustomUNIEdit::TCustomUNIEdit;
};

class TVzvUniCustomMemo : public TCustomUNIEdit {
public:
  explicit TVzvUniCustomMemo(TComponent* AOwner);
  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  TScrollStyle FScrollBars = ssNone;
  bool FWordWrap = true;
};

class TVzvUniMemo : public TVzvUniCustomMemo {
public:
  explicit TVzvUniMemo(TComponent* AOwner);
};

// ---- Combo box ---------------------------------------------------------------------------
class TCustomUNIComboBox : public TCustomComboBox {
public:
  explicit TCustomUNIComboBox(TComponent* AOwner);
  ~TCustomUNIComboBox() override;
  TWideStrings* GetItems() const { return FWideItems; }
  TWideStrings* Items() const { return FWideItems; }
  void SetItems(TWideStrings* Value) { FWideItems->Assign(Value); }
  // The framework's 8-bit item list under the wide one.
  TStrings* GetAnsiItems() const { return FItems; }
  WideString GetText() { return GetWideControlText(this); }
  void SetText(const WideString& Value) { SetWideControlText(this, Value); }
  // The selected part of the text for csDropDown and csSimple, empty for
  // the other styles (which ignore writes).
  WideString GetSelText();
  void SetSelText(const WideString& Value);

  void Dispatch(TMessage& Message) override;
  void KeyPress(char16_t& Key) override;

protected:
  void CreateWindowHandle(const TCreateParams& Params) override;
  void CreateWnd() override;
  // Sees every character message of the edit part first.
  virtual void DoEditCharMsg(TMessage& /*Message*/) {}

private:
  void HookEditChar();
  TComboBoxStrings* FWideItems;
  bool FPassingChar = false;
};
