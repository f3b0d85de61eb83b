// The rich edit control: the "RichEdit20A" window class over a rich text
// document (format runs, RTF) and its component class TCustomRichEdit /
// TRichEdit with SelAttributes, DefAttributes and Lines.
#pragma once

#include <functional>

#include "platform/forms/controls.h"
#include "platform/richtext/richtext.h"
#include "platform/stdctrls/stdctrls_consts.h"
#include "platform/stdctrls/stdctrls_edit.h"

inline constexpr const char* RichEditClassName = "RichEdit20A";

// ---- Messages, notifications and their records --------------------------------------
inline constexpr UINT EM_EXGETSEL = WM_USER + 52;
inline constexpr UINT EM_EXLIMITTEXT = WM_USER + 53;  // lParam the most characters; 0: 64K
inline constexpr UINT EM_EXSETSEL = WM_USER + 55;
inline constexpr UINT EM_FORMATRANGE = WM_USER + 57;
inline constexpr UINT EM_GETCHARFORMAT = WM_USER + 58;
inline constexpr UINT EM_GETEVENTMASK = WM_USER + 59;
inline constexpr UINT EM_REQUESTRESIZE = WM_USER + 65;
inline constexpr UINT EM_SETCHARFORMAT = WM_USER + 68;
inline constexpr UINT EM_SETEVENTMASK = WM_USER + 69;
inline constexpr UINT EM_GETPARAFORMAT = WM_USER + 61;
inline constexpr UINT EM_SETPARAFORMAT = WM_USER + 71;

inline constexpr UINT EN_REQUESTRESIZE = 0x0701;
inline constexpr UINT EN_SELCHANGE = 0x0702;

inline constexpr DWORD ENM_NONE = 0x00000000;
inline constexpr DWORD ENM_CHANGE = 0x00000001;
inline constexpr DWORD ENM_REQUESTRESIZE = 0x00040000;
inline constexpr DWORD ENM_SELCHANGE = 0x00080000;

// EM_SETCHARFORMAT's wParam.
inline constexpr WPARAM SCF_DEFAULT = 0x0000;
inline constexpr WPARAM SCF_SELECTION = 0x0001;
inline constexpr WPARAM SCF_ALL = 0x0004;

// dwEffects bits (CFM_* masks come with the rich text formats).
inline constexpr DWORD CFE_BOLD = 0x00000001;
inline constexpr DWORD CFE_ITALIC = 0x00000002;
inline constexpr DWORD CFE_UNDERLINE = 0x00000004;
inline constexpr DWORD CFE_STRIKEOUT = 0x00000008;
inline constexpr DWORD CFE_AUTOCOLOR = 0x40000000;
inline constexpr DWORD CFM_EFFECTS = CFM_STYLES | CFM_COLOR;

struct CHARRANGE {
  LONG cpMin;
  LONG cpMax;  // -1 with cpMin 0: everything
};

struct CHARFORMATA {
  UINT cbSize;
  DWORD dwMask;
  DWORD dwEffects;
  LONG yHeight;  // twips
  LONG yOffset;  // twips, positive raises
  COLORREF crTextColor;
  BYTE bCharSet;
  BYTE bPitchAndFamily;
  char szFaceName[32];
};
using CHARFORMAT = CHARFORMATA;

// The larger record; the fields past CHARFORMATA are accepted and not used.
struct CHARFORMAT2A : CHARFORMATA {
  WORD wWeight;
  SHORT sSpacing;
  COLORREF crBackColor;
  DWORD lcid;
  DWORD dwReserved;
  SHORT sStyle;
  WORD wKerning;
  BYTE bUnderlineType;
  BYTE bAnimation;
  BYTE bRevAuthor;
  BYTE bReserved1;
};
using CHARFORMAT2 = CHARFORMAT2A;

// EM_SETPARAFORMAT / EM_GETPARAFORMAT: the paragraphs of the selection.
inline constexpr DWORD PFM_STARTINDENT = 0x00000001;
inline constexpr DWORD PFM_RIGHTINDENT = 0x00000002;
inline constexpr DWORD PFM_OFFSET = 0x00000004;
inline constexpr DWORD PFM_ALIGNMENT = 0x00000008;
inline constexpr WORD PFA_LEFT = 1;
inline constexpr WORD PFA_RIGHT = 2;
inline constexpr WORD PFA_CENTER = 3;
struct PARAFORMAT {
  UINT cbSize;
  DWORD dwMask;
  WORD wNumbering;
  WORD wReserved;
  LONG dxStartIndent;
  LONG dxRightIndent;
  LONG dxOffset;
  WORD wAlignment;
  SHORT cTabCount;
  LONG rgxTabs[32];
};

// EM_FORMATRANGE's lParam: rectangles in twips of hdc.
struct FORMATRANGE {
  HDC hdc;
  HDC hdcTarget;  // measuring context (hdc's resolution is used for both)
  RECT rc;
  RECT rcPage;
  CHARRANGE chrg;
};

// EN_REQUESTRESIZE's record: rc is the rectangle the content needs.
struct REQRESIZE {
  NMHDR nmhdr;
  RECT rc;
};

inline constexpr WORD SEL_EMPTY = 0x0000;
inline constexpr WORD SEL_TEXT = 0x0001;

struct SELCHANGE {
  NMHDR nmhdr;
  CHARRANGE chrg;
  WORD seltyp;
};

// The limit EM_EXLIMITTEXT takes for "no limit".
inline constexpr int RichEditNoLimit = 0x7FFFFFFE;

// Registers "RichEdit20A" with the window kernel; safe to call again.
void RegisterRichEditClass();

// Between the component and its window: the window edits the component's
// document (lParam) instead of its own, and runs an edit of it (lParam a
// std::function<void(TRichTextDocument&)>*) with the notifications after it.
inline constexpr UINT RE_ATTACHDOCUMENT = WM_USER + 0x380;
inline constexpr UINT RE_EDITDOCUMENT = WM_USER + 0x381;

// ---- Components ---------------------------------------------------------------------
class TCustomRichEdit;

// Lines of a rich edit: its paragraphs as plain text; streams are RTF unless
// the control's PlainText is set.
class TRichEditStrings : public TStrings {
public:
  explicit TRichEditStrings(TCustomRichEdit* AEdit) : FEdit(AEdit) {}
  AnsiString Get(int Index) const override;
  int GetCount() const override;
  void Put(int Index, const AnsiString& S) override;
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const AnsiString& S) override;
  void SetTextStr(const AnsiString& Value) override;
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) const override;

private:
  TCustomRichEdit* FEdit;
};

using TRichEditResizeEvent = std::function<void(TObject* Sender, const TRect& Rect)>;

// The paragraph look of the selection's paragraphs (reading: the first
// one's). Indents are in points: FirstIndent of the first line from the
// left margin, LeftIndent of the other lines from the first line's,
// RightIndent from the right margin.
class TParaAttributes : public TPersistent {
public:
  explicit TParaAttributes(TCustomRichEdit* AEdit) : FEdit(AEdit) {}
  void Assign(TPersistent* Source) override;
  TAlignment GetAlignment() const { return Current().Alignment; }
  void SetAlignment(TAlignment Value);
  int GetFirstIndent() const { return Current().StartIndent / TwipsPerPoint; }
  void SetFirstIndent(int Value);
  int GetLeftIndent() const { return Current().Offset / TwipsPerPoint; }
  void SetLeftIndent(int Value);
  int GetRightIndent() const { return Current().RightIndent / TwipsPerPoint; }
  void SetRightIndent(int Value);

private:
  TRichParaFormat Current() const;
  // Sets one attribute on every paragraph of the selection.
  void Change(const std::function<void(TRichParaFormat&)>& Set);
  TCustomRichEdit* FEdit;
};

class TCustomRichEdit : public TWinControl {
public:
  explicit TCustomRichEdit(TComponent* AOwner);
  ~TCustomRichEdit() override;

  TRichTextDocument* GetDocument() const { return FDocument; }
  TRichTextAttributes* GetSelAttributes() const { return FSelAttributes; }
  TRichTextAttributes* SelAttributes() const { return FSelAttributes; }
  TRichTextAttributes* GetDefAttributes() const { return FDefAttributes; }
  TRichTextAttributes* DefAttributes() const { return FDefAttributes; }
  TParaAttributes* GetParagraph() const { return FParagraph; }
  TParaAttributes* Paragraph() const { return FParagraph; }
  TStrings* GetLines() const { return FLines; }
  TStrings* Lines() const { return FLines; }
  void SetLines(TStrings* Value) { FLines->Assign(Value); }

  bool GetPlainText() const { return FPlainText; }
  void SetPlainText(bool Value) { FPlainText = Value; }
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  // The most characters the user may type or paste; 0: no limit. Text set
  // from code is never cut.
  int GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);

  // The last typed, pasted, cut or deleted change; a change made from code
  // (Lines, Text, SelAttributes) forgets it.
  bool GetCanUndo();
  bool CanUndo() { return GetCanUndo(); }
  void Undo();
  void ClearUndo();

  int GetSelStart() const { return FDocument->GetSelStart(); }
  void SetSelStart(int Value);
  int GetSelLength() const { return FDocument->GetSelLength(); }
  void SetSelLength(int Value);
  AnsiString GetSelText() const { return FDocument->GetSelText(); }
  void SetSelText(const AnsiString& Value);
  void SelectAll();
  void Clear();
  void CopyToClipboard() { Perform(WM_COPY, 0, 0); }
  void CutToClipboard() { Perform(WM_CUT, 0, 0); }
  void PasteFromClipboard() { Perform(WM_PASTE, 0, 0); }

  // Runs an edit of the document; with a window, the window notifies
  // (EN_CHANGE, EN_REQUESTRESIZE, EN_SELCHANGE) once the edit is complete.
  void EditDocument(const std::function<void(TRichTextDocument&)>& Edit);

  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnChange;
  TNotifyEvent OnSelectionChange;
  TRichEditResizeEvent OnResizeRequest;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void Change();
  virtual void SelectionChange();
  virtual void RequestSize(const TRect& Rect);

private:
  TRichTextDocument* FDocument;
  TRichTextAttributes* FSelAttributes;
  TRichTextAttributes* FDefAttributes;
  TRichEditStrings* FLines;
  TParaAttributes* FParagraph;
  TScrollStyle FScrollBars = ssNone;
  int FMaxLength = 0;
  bool FPlainText = false;
  bool FWordWrap = true;
  bool FReadOnly = false;
  bool FHideSelection = true;
};

class TRichEdit : public TCustomRichEdit {
public:
  using TCustomRichEdit::TCustomRichEdit;
};
