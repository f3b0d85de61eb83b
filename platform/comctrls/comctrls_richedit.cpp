#include "platform/comctrls/comctrls_richedit.h"

#include <algorithm>

// ---- Lines ----------------------------------------------------------------------------
AnsiString TRichEditStrings::Get(int Index) const {
  try {
    return FEdit->GetDocument()->GetLine(Index);
  } catch (const EListError&) {
    Error("List index out of bounds (%d)", Index);
  }
  return AnsiString();
}

int TRichEditStrings::GetCount() const { return FEdit->GetDocument()->GetLineCount(); }

void TRichEditStrings::Put(int Index, const AnsiString& S) {
  if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
  FEdit->EditDocument([&](TRichTextDocument& d) { d.SetLine(Index, S); });
}

void TRichEditStrings::Clear() {
  FEdit->EditDocument([](TRichTextDocument& d) { d.Clear(); });
}

void TRichEditStrings::Delete(int Index) {
  if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
  FEdit->EditDocument([&](TRichTextDocument& d) { d.DeleteLine(Index); });
}

void TRichEditStrings::Insert(int Index, const AnsiString& S) {
  if (Index < 0 || Index > GetCount()) Error("List index out of bounds (%d)", Index);
  FEdit->EditDocument([&](TRichTextDocument& d) { d.InsertLine(Index, S); });
}

void TRichEditStrings::SetTextStr(const AnsiString& Value) {
  FEdit->EditDocument([&](TRichTextDocument& d) {
    d.SetText(Value);
    d.SetSel(0, 0);
  });
}

void TRichEditStrings::LoadFromStream(TStream* Stream) {
  FEdit->EditDocument([&](TRichTextDocument& d) {
    RichLoadFromStream(d, Stream, FEdit->GetPlainText());
    d.SetSel(0, 0);
  });
}

void TRichEditStrings::SaveToStream(TStream* Stream) const {
  RichSaveToStream(*FEdit->GetDocument(), Stream, FEdit->GetPlainText());
}

// ---- TCustomRichEdit --------------------------------------------------------------------
TCustomRichEdit::TCustomRichEdit(TComponent* AOwner)
    : TWinControl(AOwner),
      FDocument(new TRichTextDocument),
      FSelAttributes(new TRichTextAttributes(FDocument, atSelected)),
      FDefAttributes(new TRichTextAttributes(FDocument, atDefaultText)),
      FLines(new TRichEditStrings(this)),
      FParagraph(new TParaAttributes(this)) {
  SetBounds(0, 0, 185, 89);
  FTabStop = true;
  FBorderStyle = bsSingle;
  FParentColor = false;
  FColor = clWindow;
  FControlStyle = csClickEvents | csDoubleClicks;
}

TCustomRichEdit::~TCustomRichEdit() {
  // The window edits our document: it goes before the document does.
  if (HandleAllocated()) DestroyHandle();
  delete FParagraph;
  delete FLines;
  delete FDefAttributes;
  delete FSelAttributes;
  delete FDocument;
}

void TCustomRichEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  RegisterRichEditClass();
  CreateSubClass(Params, RichEditClassName);
  Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
  if (!FWordWrap) Params.Style |= ES_AUTOHSCROLL;
  if (FReadOnly) Params.Style |= ES_READONLY;
  if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
}

void TCustomRichEdit::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->GetHandle()), 0);
  SendMessageA(FHandle, RE_ATTACHDOCUMENT, 0, reinterpret_cast<LPARAM>(FDocument));
  SendMessageA(FHandle, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE | ENM_REQUESTRESIZE);
  SendMessageA(FHandle, EM_EXLIMITTEXT, 0, FMaxLength > 0 ? FMaxLength : RichEditNoLimit);
}

void TCustomRichEdit::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  FScrollBars = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomRichEdit::SetMaxLength(int Value) {
  FMaxLength = std::max(0, Value);
  if (HandleAllocated()) SendMessageA(FHandle, EM_EXLIMITTEXT, 0, FMaxLength > 0 ? FMaxLength : RichEditNoLimit);
}

// Undo lives in the window: without one there is nothing to undo.
bool TCustomRichEdit::GetCanUndo() { return HandleAllocated() && SendMessageA(FHandle, EM_CANUNDO, 0, 0) != 0; }

void TCustomRichEdit::Undo() {
  if (HandleAllocated()) SendMessageA(FHandle, EM_UNDO, 0, 0);
}

void TCustomRichEdit::ClearUndo() {
  if (HandleAllocated()) SendMessageA(FHandle, EM_EMPTYUNDOBUFFER, 0, 0);
}

// ---- Paragraph attributes -----------------------------------------------------------------
void TParaAttributes::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TParaAttributes*>(Source)) {
    const TRichParaFormat f = p->Current();
    Change([&](TRichParaFormat& o) { o = f; });
    return;
  }
  TPersistent::Assign(Source);
}

TRichParaFormat TParaAttributes::Current() const {
  const TRichTextDocument* d = FEdit->GetDocument();
  return d->GetParaFormat(d->ParagraphOf(d->GetSelStart()));
}

void TParaAttributes::Change(const std::function<void(TRichParaFormat&)>& Set) {
  FEdit->EditDocument([&](TRichTextDocument& d) {
    const int start = d.GetSelStart(), length = d.GetSelLength();
    const int last = d.ParagraphOf(length > 0 ? start + length - 1 : start);
    for (int p = d.ParagraphOf(start); p <= last; ++p) {
      TRichParaFormat f = d.GetParaFormat(p);
      Set(f);
      d.SetParaFormat(d.ParagraphStart(p), 0, f);
    }
  });
}

void TParaAttributes::SetAlignment(TAlignment Value) {
  Change([&](TRichParaFormat& f) { f.Alignment = Value; });
}

void TParaAttributes::SetFirstIndent(int Value) {
  Change([&](TRichParaFormat& f) { f.StartIndent = Value * TwipsPerPoint; });
}

void TParaAttributes::SetLeftIndent(int Value) {
  Change([&](TRichParaFormat& f) { f.Offset = Value * TwipsPerPoint; });
}

void TParaAttributes::SetRightIndent(int Value) {
  Change([&](TRichParaFormat& f) { f.RightIndent = Value * TwipsPerPoint; });
}

void TCustomRichEdit::EditDocument(const std::function<void(TRichTextDocument&)>& Edit) {
  if (HandleAllocated()) SendMessageA(FHandle, RE_EDITDOCUMENT, 0, reinterpret_cast<LPARAM>(&Edit));
  else Edit(*FDocument);
}

void TCustomRichEdit::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomRichEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (HandleAllocated()) SendMessageA(FHandle, EM_SETREADONLY, Value, 0);
}

void TCustomRichEdit::SetHideSelection(bool Value) {
  if (FHideSelection == Value) return;
  FHideSelection = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomRichEdit::SetSelStart(int Value) {
  EditDocument([&](TRichTextDocument& d) { d.SetSel(Value, 0); });
}

void TCustomRichEdit::SetSelLength(int Value) {
  EditDocument([&](TRichTextDocument& d) { d.SetSel(d.GetSelStart(), Value); });
}

void TCustomRichEdit::SetSelText(const AnsiString& Value) {
  EditDocument([&](TRichTextDocument& d) { d.SetSelText(Value); });
}

void TCustomRichEdit::SelectAll() {
  EditDocument([](TRichTextDocument& d) { d.SetSel(0, -1); });
}

void TCustomRichEdit::Clear() { FLines->Clear(); }

void TCustomRichEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomRichEdit::SelectionChange() {
  if (OnSelectionChange) OnSelectionChange(this);
}

void TCustomRichEdit::RequestSize(const TRect& Rect) {
  if (OnResizeRequest) OnResizeRequest(this, Rect);
}

void TCustomRichEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == EN_CHANGE) Change();
      return;
    case CN_NOTIFY: {
      auto* hdr = reinterpret_cast<const NMHDR*>(Message.LParam);
      if (hdr && hdr->code == EN_REQUESTRESIZE) {
        const RECT& r = reinterpret_cast<const REQRESIZE*>(hdr)->rc;
        RequestSize(TRect(r.left, r.top, r.right, r.bottom));
      } else if (hdr && hdr->code == EN_SELCHANGE) {
        SelectionChange();
      }
      return;
    }
    case CM_FONTCHANGED:
      // The control's font is the default look of its text.
      TWinControl::Dispatch(Message);
      FDefAttributes->Assign(FFont);
      if (HandleAllocated()) SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->GetHandle()), TRUE);
      return;
    default:
      TWinControl::Dispatch(Message);
  }
}
