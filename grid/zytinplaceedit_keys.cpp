// The grid's text editor: its messages and keys. Leaving keys validate the
// text first; a refusal keeps the editor open on what validation left.
#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"
#include "grid/zytinplaceedit.h"
#include "platform/stdctrls/stdctrls_consts.h"

namespace {
bool Down(int Vk) { return GetKeyState(Vk) < 0; }
}  // namespace

void TZytInplaceEdit::Dispatch(TMessage& Message) {
  VIduZozezuVodu* G = Grid();
  if (!G) {
    TInplaceEdit::Dispatch(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_KEYDOWN: return WMKeyDown(Message);
    case WM_KEYUP: return WMKeyUp(Message);
    case WM_CHAR: return WMChar(Message);
    case WM_PASTE: return WMPaste(Message);
    case WM_SETFOCUS: return WMSetFocus(Message);
    case WM_KILLFOCUS: return WMKillFocus(Message);
    case WM_SYSKEYDOWN:
      if (Message.WParam == VK_BACK) FAltBackDown = true;
      break;
    case WM_SYSKEYUP:
      if (Message.WParam == VK_BACK) FAltBackDown = false;
      break;
    case WM_COPY:
    case WM_CUT: {
      bool Allow = true;
      const TClipboardEvent& E = Message.Msg == WM_COPY ? G->OnClipboardCopy : G->OnClipboardCut;
      if (E) E(this, Allow);
      if (!Allow) return;
      break;
    }
    case CM_WANTSPECIALKEY:
      TInplaceEdit::Dispatch(Message);
      if (Message.WParam == VK_TAB && G->ShouldHandleTab()) Message.Result = 1;
      return;
    case WM_LBUTTONDBLCLK:
      TInplaceEdit::Dispatch(Message);
      if (G->OnDblClickCell) G->OnDblClickCell(G, G->GetRow(), G->GetCol());
      return;
    default: break;
  }
  TInplaceEdit::Dispatch(Message);
}

bool TZytInplaceEdit::OnFirstLine() {
  return SendMessageA(Handle(), EM_LINEFROMCHAR, static_cast<WPARAM>(GetSelStart()), 0) == 0;
}

bool TZytInplaceEdit::OnLastLine() {
  const LRESULT Line = SendMessageA(Handle(), EM_LINEFROMCHAR, static_cast<WPARAM>(GetSelStart()), 0);
  return Line >= SendMessageA(Handle(), EM_GETLINECOUNT, 0, 0) - 1;
}

void TZytInplaceEdit::RestoreAfterRefusal(const AnsiString& OldText) {
  VIduZozezuVodu* G = Grid();
  SetText(G->ValidatedText);
  if (G->GetNavigation()->EditSelectAll) SelectAll();
  else Deselect();
  G->ValidateOldText = OldText;
}

bool TZytInplaceEdit::StoreAndValidate(const AnsiString& Text) {
  VIduZozezuVodu* G = Grid();
  G->Validating = true;
  G->SetCurrentCell(Text);
  G->Validating = false;
  return G->ValidateCell(Text);
}

void TZytInplaceEdit::WMKeyDown(TMessage& Msg) {
  VIduZozezuVodu* G = Grid();
  TNavigation* Nav = G->GetNavigation();
  G->FDropNextEnter = false;
  G->Edit_WMKeyDown(Msg);
  const WORD Key = static_cast<WORD>(Msg.WParam);
  if (Key == 0) return;
  const bool Ctrl = Down(VK_CONTROL), Shift = Down(VK_SHIFT);
  FPrevCaret = GetSelStart();
  if (Key == VK_ESCAPE) {
    SetText(G->EditActive ? G->EditCache : G->GetEditText(G->GetCol(), G->GetRow()));
    G->HideEditor();
    return;
  }
  if (Key == VK_RETURN && Ctrl && !Nav->AllowCtrlEnter) {
    Msg.WParam = 0;
    Msg.Result = 1;
    return;
  }
  const AnsiString Text = GetText();
  const AnsiString OldText = G->ValidateOldText;
  if (Key == VK_TAB && G->ShouldHandleTab()) {
    if (G->ValidateCell(Text)) {
      SetText(G->ValidatedText);
      G->HideEditor();
      if (G->GetOptions() & goTabs) G->TabEdit(Shift);
      else PostMessageA(G->Handle(), WM_KEYDOWN, VK_TAB, 0);
    } else {
      RestoreAfterRefusal(OldText);
    }
    return;
  }
  if (((Key == VK_LEFT && GetSelStart() == 0) || (Key == VK_RIGHT && GetSelStart() == TextLength())) && Shift &&
      Nav->CursorWalkEditor) {
    if (StoreAndValidate(Text)) {
      SetText(G->ValidatedText);
      G->HideEditor();
      G->SetFocus();
    } else {
      RestoreAfterRefusal(OldText);
      Invalidate();
    }
    return;
  }
  bool Moved = false;
  if ((Key == VK_UP && OnFirstLine()) || (Key == VK_DOWN && OnLastLine())) {
    if (!StoreAndValidate(Text)) {
      RestoreAfterRefusal(OldText);
      Invalidate();
      return;
    }
    SetText(G->ValidatedText);
    Moved = true;
  }
  if (Key == VK_RETURN && !Nav->LineFeedOnEnter && !Ctrl) {
    if (!G->ValidateCell(Text)) {
      RestoreAfterRefusal(OldText);
      G->FDropNextEnter = true;
      return;
    }
    SetText(G->ValidatedText);
  }
  if (!Ctrl && !Shift) {
    if (Key == VK_HOME) {
      SetSelStart(0);
      SetSelLength(0);
    } else if (Key == VK_END) {
      Deselect();
    }
  }
  if (Key == VK_RETURN && Ctrl && Nav->LineFeedOnEnter) {
    SetSelText("\r\n");
    return;
  }
  TInplaceEdit::Dispatch(Msg);
  if (Moved && G->GetMouseActions()->GetDisjunctRowSelect()) {
    G->ClearRowSelect();
    G->SetRowSelect(G->GetRow(), true);
  }
}

void TZytInplaceEdit::KeyDown(WORD& Key, TShiftState Shift) {
  VIduZozezuVodu* G = Grid();
  FCaretAtKeyDown = GetSelStart();
  FCompletionArmed = Key != VK_BACK && Key != VK_DELETE;
  if (!G) return TInplaceEdit::KeyDown(Key, Shift);
  TNavigation* Nav = G->GetNavigation();
  if (Key == VK_RETURN && !Nav->AllowCtrlEnter) G->ValidatePending = false;
  if (Key == VK_RETURN && (Shift & (ssShift | ssCtrl)) && G->GetSizeWhileTyping()->Height && G->GetMultilinecells()) {
    const int N = LinesInText(GetText() + "\r\n ", true);
    if (N < G->MaxLinesInRow(G->GetRow())) G->AutoSizeRow(G->GetRow());
    else G->SizeToLines(G->GetRow(), N, 2 * G->GetXYOffset().y);
    if (G->OnEndRowSize) G->OnEndRowSize(G, G->GetRow());
  }
  if ((Key == VK_UP && !OnFirstLine()) || (Key == VK_DOWN && !OnLastLine())) return;
  G->EditKeyDown(Key, Shift);
  if (Key == 0) return;
  // The walk out of the editor belongs to the key release.
  const bool Plain = (Shift & (ssShift | ssCtrl | ssAlt)) == 0;
  if (Nav->CursorWalkEditor && Plain && GetSelLength() == 0 &&
      ((Key == VK_LEFT && GetSelStart() == 0) || (Key == VK_RIGHT && GetSelStart() == TextLength()))) {
    TCustomMaskEdit::KeyDown(Key, Shift);
    return;
  }
  TInplaceEdit::KeyDown(Key, Shift);
}

void TZytInplaceEdit::KeyPress(char16_t& Key) {
  VIduZozezuVodu* G = Grid();
  if (!G) return TInplaceEdit::KeyPress(Key);
  TNavigation* Nav = G->GetNavigation();
  if (Key == u'\r' && !Nav->LineFeedOnEnter && !G->ValidateCell(GetText())) {
    SetText(G->GetCurrentCell());
    Key = 0;
    return;
  }
  TInplaceEdit::KeyPress(Key);
  if (Nav->AdvanceAuto && HandleAllocated() && GetText().find(' ') == AnsiString::npos &&
      GetSelStart() == TextLength() && !GetEditMask().empty()) {
    char16_t Enter = u'\r';
    G->KeyPress(Enter);
  }
}

// Moves the edit one cell along the row and keeps editing there.
void TZytInplaceEdit::Walk(bool Forward, WORD& Key) {
  VIduZozezuVodu* G = Grid();
  TNavigation* Nav = G->GetNavigation();
  const int C = G->GetCol() + (Forward ? 1 : -1);
  if (C >= G->GetFixedCols() && C < G->GetColCount() - G->GetFixedRightCols()) G->SetCol(C);
  if (Nav->CursorWalkAlwaysEdit) {
    Key = VK_RETURN;
    G->ShowEditor();
  } else {
    G->HideEditor();
    Key = 0;
  }
}

void TZytInplaceEdit::KeyUp(WORD& Key, TShiftState Shift) {
  VIduZozezuVodu* G = Grid();
  if (!G) return TInplaceEdit::KeyUp(Key, Shift);
  TNavigation* Nav = G->GetNavigation();
  const bool NoShift = (Shift & (ssShift | ssCtrl | ssAlt)) == 0;
  if (Key == VK_LEFT && GetSelLength() == 0 && GetSelStart() == 0 && FCaretAtKeyDown == 0 && NoShift &&
      Nav->CursorWalkEditor) {
    const AnsiString Text = GetText();
    if (G->GetCol() > G->GetFixedCols() && G->HasStaticEdit(G->RemapCol(G->GetCol() - 1), G->GetRow())) {
      if (G->ValidateCell(Text)) {
        G->HideEditor();
        G->SetCol(G->GetCol() - 1);
      }
    } else {
      const bool Valid = G->ValidateCell(Text);
      if (Valid) {
        G->HideEditor();
        Walk(false, Key);
      }
    }
    return;
  }
  if (Key == VK_RIGHT && GetSelLength() == 0 && TextLength() == FPrevCaret && NoShift && Nav->CursorWalkEditor) {
    const TPoint Span = G->CellSpan(G->RemapCol(G->GetCol()), G->GetRow());
    const int Step = std::max(Span.x, 0) + 1;
    if (G->GetCol() < G->GetColCount() - G->GetFixedRightCols() - 1 &&
        G->HasStaticEdit(G->RemapCol(G->GetCol() + Step), G->GetRow())) {
      if (G->ValidateCell(GetText())) {
        G->HideEditor();
        G->SetCol(G->GetCol() + Step);
      }
    } else if (G->ValidateCell(GetText())) {
      Walk(true, Key);
    }
    return;
  }
  TInplaceEdit::KeyUp(Key, Shift);
  DoChange();
  if (G->GetSizeWhileTyping()->Width) G->SizeToWidth(G->GetCol(), true);
  if (G->GetSizeWhileTyping()->Height && G->GetWordWrapEx()) {
    G->AutoSizeRow(G->GetRow());
    if (G->OnEndRowSize) G->OnEndRowSize(G, G->GetRow());
  }
}

void TZytInplaceEdit::WMKeyUp(TMessage& Msg) {
  VIduZozezuVodu* G = Grid();
  TInplaceEdit::Dispatch(Msg);
  if (!HandleAllocated()) return;
  const AnsiString Text = GetText();
  const int Caret = GetSelStart();
  if (Caret > 0) {
    const LRESULT P = SendMessageA(Handle(), EM_POSFROMCHAR, static_cast<WPARAM>(Caret - 1), 0);
    G->EditProgress(Text, TPoint(static_cast<short>(P & 0xFFFF), static_cast<short>((P >> 16) & 0xFFFF)), Caret);
  }
  G->SetCellSelectMode(!Text.empty() && Text[0] == '=');
}
