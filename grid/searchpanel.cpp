#include "grid/searchpanel.h"

#include "grid/radoriz_draw.h"
#include "grid/viduzozezuvodu.h"
#include "platform/graphics/resources.h"
#include "platform/stdctrls/stdctrls_consts.h"
#include "platform/windows/winuser.h"

// ---- the edit ------------------------------------------------------------------------------

void TRetEdit::CreateParams(TCreateParams& Params) {
  TEdit::CreateParams(Params);
  // Multi-line, so that the edit itself receives Return.
  Params.Style |= ES_MULTILINE;
}

void TRetEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_RETURN) {
    const TNotifyEvent& E = GetKeyState(VK_CONTROL) < 0 ? OnCtrlReturn : OnReturn;
    if (E) E(this);
    return;
  }
  if (Message.Msg == WM_CHAR && (Message.WParam == 10 || Message.WParam == 13)) {
    // Never a line break in the text, and no beep.
    char16_t Key = static_cast<char16_t>(Message.WParam);
    if (OnKeyPress) OnKeyPress(this, Key);
    Message.Result = 0;
    return;
  }
  TEdit::Dispatch(Message);
}

// ---- the panel -----------------------------------------------------------------------------

namespace {

void LoadGlyph(TBitmap* B, const char* Name) { B->LoadFromResourceName(HInstance, Name); }

}  // namespace

TSearchPanel::TSearchPanel(TComponent* AOwner) : TPanel(AOwner), FGrid(dynamic_cast<VIduZozezuVodu*>(AOwner)) {
  if (!FGrid) throw EInvalidCast("Invalid class typecast");
  FEdit = new TRetEdit(this);
  FForward = new TDidAvovButton(this);
  FBackward = new TDidAvovButton(this);
  FExit = new TDidAvovButton(this);
  FHighlight = new TDidAvovButton(this);
  FMatchCase = new TCheckBox(this);
  FEdit->OnChange = [this](TObject* S) { EditChange(S); };
  FEdit->OnReturn = [this](TObject*) { Fire(OnForwardClick); };
  FEdit->OnCtrlReturn = [this](TObject*) { Fire(OnBackwardClick); };
  FEdit->OnKeyDown = [](TObject*, WORD&, TShiftState) {};
  FForward->OnClick = [this](TObject*) { Fire(OnForwardClick); };
  FBackward->OnClick = [this](TObject*) { Fire(OnBackwardClick); };
  FHighlight->OnClick = [this](TObject*) { Fire(OnHighlightClick); };
  FExit->OnClick = [this](TObject*) { Fire(OnExitClick); };
  FHighlight->SetStyle(tasCheck);
  for (TControl* C : {static_cast<TControl*>(FEdit), static_cast<TControl*>(FForward),
                      static_cast<TControl*>(FBackward), static_cast<TControl*>(FExit),
                      static_cast<TControl*>(FHighlight), static_cast<TControl*>(FMatchCase)})
    C->SetParent(this);
}

void TSearchPanel::SetColorTo(TColor Value) {
  FColorTo = Value;
  Invalidate();
}

void TSearchPanel::EditChange(TObject*) {
  const bool Any = !FEdit->GetText().empty();
  FForward->SetEnabled(Any);
  FBackward->SetEnabled(Any);
  FHighlight->SetEnabled(Any);
  Fire(OnEditChange);
}

void TSearchPanel::LayoutControls() {
  const bool RTL = UseRightToLeftAlignment();
  auto Place = [&](TControl* C, int L, int T, int W, int H) {
    C->SetBounds(RTL ? GetWidth() - W - L : L, T, W, H);
  };
  Place(FEdit, 25, 6, 110, FEdit->GetHeight());
  auto Button = [&](TDidAvovButton* B, int L, const AnsiString& Caption, const AnsiString& Hint, const char* Glyph,
                    const char* Disabled) {
    Place(B, L, 5, 90, 23);
    B->SetCaption(Caption);
    B->SetHint(Hint);
    B->SetShowHint(!Hint.empty());
    TBitmap G, D;
    LoadGlyph(&D, Disabled);
    B->SetGlyphDisabled(&D);
    LoadGlyph(&G, Glyph);
    B->SetGlyph(&G);
    B->SetEnabled(!FEdit->GetText().empty());
    B->SetParentFont(true);
  };
  Button(FForward, 140, FindNextCaption, FindNextHint, "VZVARDOWN", "VZVARDOWND");
  Button(FBackward, 235, FindPrevCaption, FindPrevHint, "VZVARUP", "VZVARUPD");
  Place(FExit, 5, 7, 14, 14);
  FExit->SetCaption("");
  FExit->SetHint(CloseHint);
  FExit->SetShowHint(!CloseHint.empty());
  TBitmap G;
  LoadGlyph(&G, "VZVCLOSE");
  FExit->SetGlyph(&G);
  LoadGlyph(&G, "VZVCLOSEH");
  FExit->SetGlyphHot(&G);
  LoadGlyph(&G, "VZVCLOSED");
  FExit->SetGlyphDown(&G);
  FExit->SetParentFont(true);
  Button(FHighlight, 330, HighlightCaption, HighlightHint, "VZVHI", "VZVHID");
  FHighlight->GetFont()->SetStyle(TFontStyles{});
  Place(FMatchCase, FHighlight->GetVisible() ? 425 : 330, 8, FMatchCase->GetWidth(), FMatchCase->GetHeight());
  FMatchCase->SetCaption(MatchCaseCaption);
}

void TSearchPanel::CreateWnd() {
  TPanel::CreateWnd();
  LayoutControls();
  if (FGrid->OnCreatedSearchFooter) FGrid->OnCreatedSearchFooter(FGrid);
}

void TSearchPanel::Paint() {
  TPanel::Paint();
  TCanvas* C = GetCanvas();
  TRect R = GetClientRect();
  if (FColorTo == clNone) {
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(GetColor());
    C->FillRect(R);
  } else {
    DrawGradient(C, GetColor(), FColorTo, 32, R, false);
  }
  C->GetPen()->SetColor(FGrid->GetGridLineColor());
  C->MoveTo(0, 0);
  C->LineTo(GetWidth(), 0);
}
