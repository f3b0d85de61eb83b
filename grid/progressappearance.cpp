// The look of progress-bar cells drawn as gauges.
#include "grid/progressappearance.h"

void TGridProgressAppearance::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TGridProgressAppearance*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  TNotifyEvent Saved = std::move(OnChange);
  OnChange = nullptr;
  SetCompleteColor(S->FCompleteColor);
  SetCompleteFontColor(S->FCompleteFontColor);
  SetUnCompleteColor(S->FUnCompleteColor);
  SetUnCompleteFontColor(S->FUnCompleteFontColor);
  SetLevel0Color(S->FLevel0Color);
  SetLevel0ColorTo(S->FLevel0ColorTo);
  SetLevel1Color(S->FLevel1Color);
  SetLevel1ColorTo(S->FLevel1ColorTo);
  SetLevel2Color(S->FLevel2Color);
  SetLevel2ColorTo(S->FLevel2ColorTo);
  SetLevel3Color(S->FLevel3Color);
  SetLevel3ColorTo(S->FLevel3ColorTo);
  SetLevel1Perc(S->FLevel1Perc);
  SetLevel2Perc(S->FLevel2Perc);
  SetBorderColor(S->FBorderColor);
  SetShowBorder(S->FShowBorder);
  SetStacked(S->FStacked);
  SetShowPercentage(S->FShowPercentage);
  SetCompletionSmooth(S->FCompletionSmooth);
  SetShowGradient(S->FShowGradient);
  SetSteps(S->FSteps);
  SetStyle(S->FStyle);
  OnChange = std::move(Saved);
  Changed();
}
