#include "grid/searchfooter.h"

TSearchFooter::TSearchFooter() : FFont(new TFont) {}

TSearchFooter::~TSearchFooter() { delete FFont; }

void TSearchFooter::Changed() {
  if (OnChange) OnChange(this);
}

void TSearchFooter::SetFont(TFont* Value) {
  FFont->Assign(Value);
  Changed();
}

void TSearchFooter::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TSearchFooter*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FColor = s->FColor;
  FColorTo = s->FColorTo;
  FFindNextCaption = s->FFindNextCaption;
  FFindPrevCaption = s->FFindPrevCaption;
  FHighLightCaption = s->FHighLightCaption;
  FHintClose = s->FHintClose;
  FHintFindNext = s->FHintFindNext;
  FHintFindPrev = s->FHintFindPrev;
  FHintHighlight = s->FHintHighlight;
  FMatchCaseCaption = s->FMatchCaseCaption;
  FShowClose = s->FShowClose;
  FShowFindNext = s->FShowFindNext;
  FShowFindPrev = s->FShowFindPrev;
  FShowHighLight = s->FShowHighLight;
  FShowMatchCase = s->FShowMatchCase;
  SearchActiveColumnOnly = s->SearchActiveColumnOnly;
  SearchMatchStart = s->SearchMatchStart;
  SearchColumn = s->SearchColumn;
  SearchDirection = s->SearchDirection;
  FVisible = s->FVisible;
  FFont->Assign(s->FFont);
}
