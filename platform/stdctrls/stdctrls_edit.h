// Edit controls on the "EDIT" window class: TCustomEdit/TEdit (one line),
// TCustomMemo/TMemo (several lines with Lines), TCustomMaskEdit/TMaskEdit
// (input shaped by an edit mask).
#pragma once

#include "platform/rtl/classes.h"
#include "platform/forms/controls.h"
#include "platform/stdctrls/stdctrls_consts.h"

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomEdit : public TWinControl {
public:
  explicit TCustomEdit(TComponent* AOwner);

  // Text of the control as UTF-16 (Text/GetText give it as UTF-8).
  WideString GetWideText();
  void SetWideText(const WideString& Value);

  int GetMaxLength() const { return FMaxLength; }  // 0: no limit
  void SetMaxLength(int Value);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  char16_t GetPasswordChar() const { return FPasswordChar; }  // 0: none
  void SetPasswordChar(char16_t Value);
  bool GetAutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  TEditCharCase GetCharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value);
  // Typed characters go through the OEM code page (what it lacks becomes '?').
  bool GetOEMConvert() const { return FOEMConvert; }
  void SetOEMConvert(bool Value);
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool GetModified();
  void SetModified(bool Value);
  // With a single border the height follows the font (the window's height
  // is then fixed).
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);

  // Selection in UTF-16 units.
  int GetSelStart();
  void SetSelStart(int Value);
  int GetSelLength();
  void SetSelLength(int Value);
  AnsiString GetSelText();
  void SetSelText(const AnsiString& Value);
  void SelectAll();
  void ClearSelection() { Perform(WM_CLEAR, 0, 0); }
  void CopyToClipboard() { Perform(WM_COPY, 0, 0); }
  void CutToClipboard() { Perform(WM_CUT, 0, 0); }
  void PasteFromClipboard() { Perform(WM_PASTE, 0, 0); }
  bool CanUndo();
  void Undo() { Perform(WM_UNDO, 0, 0); }
  void ClearUndo() { Perform(EM_EMPTYUNDOBUFFER, 0, 0); }
  virtual void Clear() { SetText(""); }

  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Change();
  void DoEnter() override;
  void UpdateHeight();
  void AdjustHeight();

  int FMaxLength = 0;
  bool FReadOnly = false;
  char16_t FPasswordChar = 0;
  bool FAutoSelect = true;
  TEditCharCase FCharCase = ecNormal;
  bool FHideSelection = true;
  bool FOEMConvert = false;
  bool FModified = false;  // kept while there is no window
  bool FCreating = false;
  bool FAutoSize = true;
};

class TEdit : public TCustomEdit {
public:
  using TCustomEdit::TCustomEdit;
};

// ---- Memo ----------------------------------------------------------------------------
class TCustomMemo;

// The memo's lines: its text split at line breaks, read and written through
// the control.
class TMemoStrings : public TStrings {
public:
  explicit TMemoStrings(TCustomMemo* AMemo) : FMemo(AMemo) {}
  AnsiString Get(int Index) const override;
  int GetCount() const override;
  void Put(int Index, const AnsiString& S) override;
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const AnsiString& S) override;
  AnsiString GetTextStr() const override;
  void SetTextStr(const AnsiString& Value) override;

private:
  std::vector<AnsiString> Split() const;
  void Join(const std::vector<AnsiString>& Lines);
  TCustomMemo* FMemo;
};

class TCustomMemo : public TCustomEdit {
public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;
  TStrings* GetLines() const { return FLines; }
  TStrings* Lines() const { return FLines; }
  void SetLines(TStrings* Value) { FLines->Assign(Value); }
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  bool GetWantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  bool GetWantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  // The caret as (column, line).
  TPoint GetCaretPos();

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void KeyPress(char16_t& Key) override;

private:
  TMemoStrings* FLines;
  TAlignment FAlignment = taLeftJustify;
  bool FWordWrap = true;
  TScrollStyle FScrollBars = ssNone;
  bool FWantReturns = true;
  bool FWantTabs = false;
};

class TMemo : public TCustomMemo {
public:
  using TCustomMemo::TCustomMemo;
};

// ---- Masked edit ---------------------------------------------------------------------
// Raised when the text does not fill the mask's required positions.
class EDBEditError : public Exception {
public:
  using Exception::Exception;
};

// An edit mask "mask;save literals;blank": 0 digit, 9 digit or blank, #
// digit, sign or blank, L letter, l letter or blank, A letter or digit, a
// the same or blank, C any character, c any or blank, > upper case and <
// lower case from there on (<> neither), \ the next character literally;
// anything else is a literal. "1" as the second field keeps the literals in
// Text; the third field is the blank character ('_' by default).
class TCustomMaskEdit : public TCustomEdit {
public:
  explicit TCustomMaskEdit(TComponent* AOwner);
  AnsiString GetEditMask() const { return FEditMask; }
  void SetEditMask(const AnsiString& Value);
  bool IsMasked() const { return !FSlots.empty(); }
  // The text as shown (literals and blanks included).
  AnsiString GetEditText();
  void SetEditText(const AnsiString& Value);
  // Text by the mask: without literals unless they are saved; blanks as spaces.
  AnsiString GetMaskedText();
  // Raises EDBEditError when a required position is blank.
  virtual void ValidateEdit();
  // Back to the text the edit had when it was entered.
  virtual void Reset();

protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void DoEnter() override;
  void DoExit() override;
  void Dispatch(TMessage& Message) override;

private:
  struct TSlot {
    char16_t Literal = 0;  // 0: an input position
    char16_t Kind = 0;     // the mask character of an input position
    int Case = 0;          // 1 upper, -1 lower
  };
  void ParseMask();
  bool IsLiteral(int Pos) const;
  bool Accepts(int Pos, char16_t& Ch) const;
  WideString BlankText() const;
  WideString Conform(const WideString& Value) const;
  void BlankRange(int From, int To);
  std::vector<TSlot> FSlots;
  AnsiString FEditMask;
  bool FSaveLiterals = true;
  char16_t FBlank = u'_';
  WideString FEnterText;
};

class TMaskEdit : public TCustomMaskEdit {
public:
  using TCustomMaskEdit::TCustomMaskEdit;
};
