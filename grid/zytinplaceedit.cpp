// The grid's text editor: window, contents, focus, filters, paste and the
// lookup completion. Keys are in zytinplaceedit_keys.cpp.
#include "grid/zytinplaceedit.h"

#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"
#include "platform/forms/clipbrd.h"
#include "platform/rtl/codepages.h"
#include "platform/rtl/sysutils.h"
#include "platform/stdctrls/stdctrls_consts.h"

TZytInplaceEdit::TZytInplaceEdit(TComponent* AOwner) : TInplaceEdit(AOwner) {
  FGrid = dynamic_cast<VIduZozezuVodu*>(AOwner);
}

VIduZozezuVodu* TZytInplaceEdit::Grid() {
  if (auto* G = dynamic_cast<VIduZozezuVodu*>(GetParent())) FGrid = G;
  return FGrid;
}

void TZytInplaceEdit::SetVAlign(bool Value) {
  if (FVAlign == Value) return;
  FVAlign = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TZytInplaceEdit::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  if (HandleAllocated()) RecreateWnd();
}

int TZytInplaceEdit::TextLength() { return static_cast<int>(GetWideText().size()); }

void TZytInplaceEdit::CreateParams(TCreateParams& Params) {
  TInplaceEdit::CreateParams(Params);
  VIduZozezuVodu* G = Grid();
  if (G) FWordWrap = G->GetWordWrapEx();
  if (FVAlign) Params.Style |= ES_RIGHT;
  if (G && G->CurrentEditor == edPassword) {
    Params.Style |= ES_PASSWORD;
    Params.Style &= ~ES_MULTILINE;
  }
  if (FWordWrap) Params.Style &= ~ES_AUTOHSCROLL;
  Params.Style |= ES_WANTRETURN;
  FCompletionArmed = true;
}

void TZytInplaceEdit::CreateWnd() {
  TInplaceEdit::CreateWnd();
  VIduZozezuVodu* G = Grid();
  if (!G) return;
  if (G->CurrentEditor == edPassword)
    SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<WPARAM>(static_cast<unsigned char>(G->GetPasswordChar())),
                 0);
  FLengthLimit = static_cast<short>(G->GetEditLimit());
}

void TZytInplaceEdit::UpdateContents() {
  TInplaceEdit::UpdateContents();
  VIduZozezuVodu* G = Grid();
  if (!G) return;
  TGridDrawState State;
  TBrush Brush;
  TFont Font;
  TColor To = clNone, Mirror = clNone, MirrorTo = clNone;
  TAlignment HA = taLeftJustify;
  TVAlignment VA = vtaTop;
  bool WW = false;
  TCellGradientDirection GD = GradientVertical;
  Brush.SetColor(G->GetColor());
  Font.Assign(G->GetFont());
  G->GetVisualProperties(G->GetCol(), G->GetRow(), State, false, false, true, &Brush, To, Mirror, MirrorTo, &Font, HA,
                         VA, WW, GD);
  SetColor(Brush.GetColor());
  GetFont()->Assign(&Font);
  FEditCol = G->GetCol();
  FEditRow = G->GetRow();
}

void TZytInplaceEdit::BoundsChanged() {
  TInplaceEdit::BoundsChanged();
  VIduZozezuVodu* G = Grid();
  if (!G || !HandleAllocated()) return;
  TRect R = G->CellRect(G->GetCol(), G->GetRow());
  if (R.Width() <= 0 || R.Height() <= 0) return;
  if (G->UseRightToLeftAlignment()) R.left += 1;
  SetBounds(R.left, R.top, R.right - R.left - 1, R.bottom - R.top - 1);
  RECT F{3, 3, GetWidth() - 2, GetHeight()};
  SendMessageA(Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&F));
}

void TZytInplaceEdit::Change() {
  TInplaceEdit::Change();
  VIduZozezuVodu* G = Grid();
  if (G && !G->EditTextLoading && G->OnEditChange) G->OnEditChange(G, G->GetCol(), G->GetRow(), GetText());
}

void TZytInplaceEdit::WMSetFocus(TMessage& Msg) {
  TInplaceEdit::Dispatch(Msg);
  VIduZozezuVodu* G = Grid();
  if (!G) return;
  G->EditTextLoading = false;
  if (!GetEditMask().empty() && !G->CaretFromClick && G->GetNavigation()->ImproveMaskSel) {
    SetSelStart(0);
    SetSelLength(1);
    return;
  }
  if (!G->GetNavigation()->EditSelectAll) Deselect();
  if (G->CaretFromClick) {
    G->CaretFromClick = false;
    POINT P;
    GetCursorPos(&P);
    TPoint C = ScreenToClient(TPoint(P));
    if (C.x >= 0 && C.y >= 0 && C.x < GetWidth() && C.y < GetHeight()) {
      LRESULT Pos = SendMessageA(Handle(), EM_CHARFROMPOS, 0, PointToLParam(C.x, C.y));
      if (Pos != -1) {
        SetSelStart(static_cast<int>(Pos & 0xFFFF));
        SetSelLength(0);
      }
    }
  }
}

void TZytInplaceEdit::WMKillFocus(TMessage& Msg) {
  VIduZozezuVodu* G = Grid();
  if (!G) {
    TInplaceEdit::Dispatch(Msg);
    return;
  }
  G->EditStartChar = 0;
  if (G->GetLookupHistory() && G->GetLookupItems()->IndexOf(GetText()) < 0) G->GetLookupItems()->Add(GetText());
  G->SetCellSelectMode(false);
  // Not the platform's own focus-loss store: the text is validated first.
  TCustomMaskEdit::Dispatch(Msg);
  if (FAltBackDown) return;
  if (reinterpret_cast<HWND>(Msg.WParam) != G->Handle() && G->GetEditorMode()) {
    G->FValidateOnFocusLoss = true;
    try {
      G->ValidateCell(GetText());
    } catch (...) {
      G->FValidateOnFocusLoss = false;
      SetText(G->GetCurrentCell());
      G->HideEditor();
      G->ValidatePending = false;
      G->EditActive = false;
      throw;
    }
    G->FValidateOnFocusLoss = false;
    SetText(G->GetCurrentCell());
    G->HideEditor();
    G->ValidatePending = false;
    G->EditActive = false;
    G->SelectCell(FEditCol, FEditRow);
  }
  G->EditTextLoading = true;
  SetText(G->GetCurrentCell());
  G->EditTextLoading = false;
  G->EditProgress(GetText(), TPoint(-1, -1), -1);
}

void TZytInplaceEdit::WMChar(TMessage& Msg) {
  VIduZozezuVodu* G = Grid();
  if (!G) {
    TInplaceEdit::Dispatch(Msg);
    return;
  }
  TNavigation* Nav = G->GetNavigation();
  char16_t Ch = static_cast<char16_t>(Msg.WParam);
  auto Drop = [&Msg] {
    Msg.WParam = 0;
    Msg.Result = 1;
  };
  auto Beep = [&Drop] {
    MessageBeep(0);
    Drop();
  };
  auto Pass = [this, &Msg, &Ch] {
    Msg.WParam = Ch;
    TInplaceEdit::Dispatch(Msg);
  };
  if (Ch == u'.' && G->GetExcelStyleDecimalSeparator() && (Msg.LParam & (1 << 22)))
    Ch = static_cast<char16_t>(static_cast<unsigned char>(DecimalSeparator));
  const bool Ctrl = GetKeyState(VK_CONTROL) < 0;
  if (Ch == u'\n' && Ctrl && !Nav->AllowCtrlEnter) return Drop();
  // The Enter of a key press that validation refused: validated once already.
  if (Ch == u'\r' && G->FDropNextEnter) {
    G->FDropNextEnter = false;
    return Drop();
  }
  const WideString T = GetWideText();
  const int SS = GetSelStart(), SL = GetSelLength();
  const bool Control = Ch == 8 || Ch == 9 || Ch == 13 || Ch == 27;
  if (FLengthLimit > 0 && static_cast<int>(T.size()) == FLengthLimit && SL == 0 && Ch != 8 && Ch != 27 && Ch != 13)
    return Drop();
  const TEditorType Ed = G->CurrentEditor;
  if (Ch == u'\r' && Nav->LineFeedOnEnter &&
      (Ed == edNormal || Ed == edCapital || Ed == edMixedCase || Ed == edLowerCase || Ed == edUpperCase)) {
    DefaultHandler(Msg);
    return;
  }
  const bool Digit = Ch >= u'0' && Ch <= u'9';
  switch (Ed) {
    case edNormal:
    case edPassword: return Pass();
    case edNumeric:
      if (Control || Digit) return Pass();
      if (Ch == u'-' && T.find(u'-') == WideString::npos && SS == 0) return Pass();
      return Beep();
    case edPositiveNumeric:
      if (Control || Digit) return Pass();
      return Beep();
    case edFloat: {
      if (Ctrl) return Pass();
      if (!(Control || Digit || Ch == u',' || Ch == u'-' || Ch == u'.')) return Drop();
      const char16_t Dec = static_cast<unsigned char>(DecimalSeparator);
      const char16_t Thou = static_cast<unsigned char>(ThousandSeparator);
      const WideString Sel = T.substr(static_cast<std::size_t>(SS), static_cast<std::size_t>(SL));
      if (Ch == Dec) {
        if (T.find(Dec) != WideString::npos && Sel.find(Dec) == WideString::npos) return Drop();
      } else if (Ch == Thou) {
        return Drop();
      }
      if (Ch == u'-' && (SS != 0 || T.find(u'-') != WideString::npos) && Sel.find(u'-') == WideString::npos)
        return Beep();
      return Pass();
    }
    case edCapital:
    case edUpperCase:
    case edLowerCase: {
      const WideString One(1, Ch);
      const WideString Conv = Ed == edLowerCase ? WideLowerCase(One) : WideUpperCase(One);
      if (Conv.size() == 1) Ch = Conv[0];
      return Pass();
    }
    case edMixedCase: {
      Pass();
      if (Msg.WParam == 0) return;
      const int Caret = GetSelStart();
      SetText(ShiftCase(GetText()));
      SetSelStart(Caret);
      SetSelLength(0);
      return;
    }
    case edValidChars: {
      // Editing keys always work; other characters must be listed.
      if (Control) return Pass();
      if (G->GetValidChars().find(WideToUtf8(WideString(1, Ch))) != AnsiString::npos) return Pass();
      return Beep();
    }
    default: return Drop();
  }
}

void TZytInplaceEdit::WMPaste(TMessage& Msg) {
  VIduZozezuVodu* G = Grid();
  if (!G) {
    TInplaceEdit::Dispatch(Msg);
    return;
  }
  if (!Clipboard()->HasFormat(CF_TEXT)) return;
  AnsiString Clip = Clipboard()->GetAsText();
  bool Allow = true;
  if (G->OnClipboardPaste) G->OnClipboardPaste(this, Allow);
  if (G->OnClipboardBeforePasteCell) G->OnClipboardBeforePasteCell(this, G->GetCol(), G->GetRow(), Clip, Allow);
  if (!Allow) return;
  WideString W = Utf8ToWide(Clip);
  if (FLengthLimit > 0 && FLengthLimit < static_cast<int>(W.size())) return;
  const std::size_t CrLf = W.find(u"\r\n");
  if (CrLf != WideString::npos && CrLf + 2 == W.size()) W.erase(CrLf);
  const WideString T = GetWideText();
  const int SS = GetSelStart(), SL = GetSelLength();
  const WideString NewW = T.substr(0, static_cast<std::size_t>(SS)) + W + T.substr(static_cast<std::size_t>(SS + SL));
  if (FLengthLimit > 0 && static_cast<int>(NewW.size()) > FLengthLimit) return;
  AnsiString N = WideToUtf8(NewW);
  switch (G->CurrentEditor) {
    case edNumeric:
    case edPositiveNumeric:
      if (IsType(N) != atNumeric) return;
      break;
    case edFloat:
      if (IsType(N) != atNumeric && IsType(N) != atFloat) return;
      break;
    case edMixedCase: N = ShiftCase(N); break;
    case edLowerCase: N = AnsiLowerCase(N); break;
    case edUpperCase: N = AnsiUpperCase(N); break;
    case edValidChars:
      for (char16_t C : W)
        if (G->GetValidChars().find(WideToUtf8(WideString(1, C))) == AnsiString::npos) return;
      break;
    default: break;
  }
  SetText(N);
  G->SetEditCell(GetText());
  SetSelStart(SS + (SL > 0 ? 0 : static_cast<int>(W.size())));
  SetSelLength(SL > 0 ? static_cast<int>(W.size()) : 0);
}

void TZytInplaceEdit::DoChange() {
  VIduZozezuVodu* G = Grid();
  if (!G || !FCompletionArmed || !HandleAllocated()) return;
  DWORD A = 0, B = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&A), reinterpret_cast<LPARAM>(&B));
  if (A != B) return;
  const WideString T = GetWideText();
  const std::size_t N = std::min<std::size_t>(static_cast<std::size_t>(GetSelStart()), T.size());
  // Nothing typed: completing would replace the whole text.
  if (N == 0 || !G->GetLookup()) return;
  const bool Case = G->GetLookupCaseSensitive();
  const WideString Typed = Case ? T.substr(0, N) : WideUpperCase(T.substr(0, N));
  TStringList* Items = G->GetLookupItems();
  for (int i = 0; i < Items->GetCount(); ++i) {
    const WideString Item = Utf8ToWide(Items->Strings(i));
    const WideString Key = Case ? Item : WideUpperCase(Item);
    if (Key.size() < N || Key.compare(0, N, Typed) != 0) continue;
    const WideString New = T.substr(0, N) + Item.substr(N, 255);
    SetWideText(New);
    SendMessageA(Handle(), EM_SETSEL, N, New.size());
    return;
  }
}
