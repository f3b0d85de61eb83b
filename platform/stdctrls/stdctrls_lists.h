// List controls: TCustomListBox/TListBox on the "LISTBOX" window class and
// TCustomComboBox/TComboBox on "COMBOBOX" (an edit child and a drop-down
// list in a popup window).
#pragma once

#include "platform/rtl/classes.h"
#include "platform/forms/controls.h"
#include "platform/stdctrls/stdctrls_consts.h"

enum TOwnerDrawStateFlag : unsigned {
  odSelected = 1u << 0,
  odGrayed = 1u << 1,
  odDisabled = 1u << 2,
  odChecked = 1u << 3,
  odFocused = 1u << 4,
  odDefault = 1u << 5,
  odComboBoxEdit = 1u << 12,
};
using TOwnerDrawState = unsigned;
using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

// The items of a list or combo window: kept in the window while it exists
// and in a string list while it does not (before creation, across
// recreation). Objects travel as the items' data.
class TListControlStrings : public TStrings {
public:
  struct TMessages {
    UINT Add, Insert, Delete, Reset, Count, GetText, GetTextLen, GetData, SetData;
  };
  TListControlStrings(TWinControl* AControl, const TMessages& Msgs) : FControl(AControl), FMsgs(Msgs) {}
  ~TListControlStrings() override { delete FSaved; }
  AnsiString Get(int Index) const override;
  int GetCount() const override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void Put(int Index, const AnsiString& S) override;
  int Add(const AnsiString& S) override;
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const AnsiString& S) override;
  // Window life: items go into a new window and are saved from a dying one.
  void WindowCreated();
  void WindowDestroying();
  bool GetSorted() const { return FSorted; }
  void SetSorted(bool Value);

private:
  HWND Window() const;
  void Check(int Index) const;
  TStringList* Saved() const;
  TWinControl* FControl;
  TMessages FMsgs;
  mutable TStringList* FSaved = nullptr;
  bool FSorted = false;
};

// ---- List box ------------------------------------------------------------------------
enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

class TCustomListBox : public TWinControl {
public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;
  TStrings* GetItems() const { return FItems; }
  TStrings* Items() const { return FItems; }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  // The selected item (multi-select: the current one); setting it scrolls
  // it into view. -1: none.
  int GetItemIndex();
  void SetItemIndex(int Value);
  int GetTopIndex();
  void SetTopIndex(int Value);
  int GetItemHeight();
  void SetItemHeight(int Value);
  bool GetSorted() const { return FItems->GetSorted(); }
  void SetSorted(bool Value);
  bool GetMultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool GetExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool Value);
  bool GetSelected(int Index);
  void SetSelected(int Index, bool Value);
  int GetSelCount();
  TListBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TListBoxStyle Value);
  TCanvas* Canvas() const { return FCanvas; }
  int ItemAtPos(const TPoint& Pos, bool Existing);
  TRect ItemRect(int Index);
  void Clear() { FItems->Clear(); }

  void Dispatch(TMessage& Message) override;

  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  // Owner-drawn items: the default fills the rectangle and writes the text.
  virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
  // lbOwnerDrawVariable: the height of a new item (ItemHeight unless
  // OnMeasureItem says otherwise).
  virtual void MeasureItem(int Index, int& Height);

private:
  void PaintOwnerDrawn(TMessage& Message);
  TListControlStrings* FItems;
  TControlCanvas* FCanvas;
  int FItemIndex = -1;  // kept while there is no window
  int FItemHeight = 16;
  bool FMultiSelect = false;
  bool FExtendedSelect = true;
  TListBoxStyle FStyle = lbStandard;
};

class TListBox : public TCustomListBox {
public:
  using TCustomListBox::TCustomListBox;
};

// ---- Combo box -----------------------------------------------------------------------
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox : public TWinControl {
public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;
  TStrings* GetItems() const { return FItems; }
  TStrings* Items() const { return FItems; }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  int GetItemIndex();
  void SetItemIndex(int Value);
  TComboBoxStyle GetStyle() const { return FStyle; }
  virtual void SetStyle(TComboBoxStyle Value);
  bool GetDroppedDown();
  void SetDroppedDown(bool Value);
  int GetDropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value);
  bool GetSorted() const { return FItems->GetSorted(); }
  void SetSorted(bool Value);
  int GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  int GetItemHeight();
  void SetItemHeight(int Value);
  int GetSelStart();
  void SetSelStart(int Value);
  int GetSelLength();
  void SetSelLength(int Value);
  void SelectAll();
  // Owner-drawn styles draw on it in DrawItem.
  TCanvas* Canvas() const { return FCanvas; }
  // The edit child (nullptr for a drop-down list) and the list's popup.
  HWND EditHandle();
  HWND ListHandle();
  void Clear() {
    FItems->Clear();
    SetText("");
  }

  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Change();
  virtual void Select();
  virtual void DropDown();
  virtual void CloseUp();
  // Owner-drawn styles: the field (odComboBoxEdit) and the list's items;
  // the default fills the rectangle and writes the item's text.
  virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
  // csOwnerDrawVariable: the height of each item as it is added.
  virtual void MeasureItem(int Index, int& Height);

  TListControlStrings* FItems;
  TControlCanvas* FCanvas;
  TComboBoxStyle FStyle = csDropDown;
  int FDropDownCount = 8;
  int FMaxLength = 0;
  int FItemHeight = 0;
  int FItemIndex = -1;
  bool FCreating = false;

private:
  void HookEditChild();
};

class TComboBox : public TCustomComboBox {
public:
  using TCustomComboBox::TCustomComboBox;
};
