// Modal tracking of a popup menu: the menu is shown and the message loop
// runs until it closes; the chosen item's Tag is the answer.
#include "platform/comctrls/menus.h"
#include "platform/forms/forms.h"

namespace {

bool Scripted = false;
std::deque<int> Answers;
std::vector<TRecordedPopupMenu> Recorded;

}  // namespace

void TestScriptPopupMenus(std::deque<int> answers) {
  Scripted = true;
  Answers = std::move(answers);
}

const std::vector<TRecordedPopupMenu>& TestRecordedPopupMenus() { return Recorded; }

void TestResetPopupMenus() {
  Scripted = false;
  Answers.clear();
  Recorded.clear();
}

int TPopupMenu::TrackPopup(int X, int Y) {
  if (Scripted) {
    TRecordedPopupMenu rec;
    for (int i = 0; i < GetItems()->GetCount(); ++i) {
      rec.Captions.push_back(GetItems()->GetItem(i)->GetCaption());
      rec.Checked.push_back(GetItems()->GetItem(i)->GetChecked());
    }
    rec.Answer = 0;
    if (!Answers.empty()) {
      rec.Answer = Answers.front();
      Answers.pop_front();
    }
    Recorded.push_back(rec);
    return rec.Answer;
  }
  FChosen = nullptr;
  Popup(X, Y);
  while (IsOpen() && Application && !Application->GetTerminated()) Application->HandleMessage();
  return FChosen ? static_cast<int>(FChosen->GetTag()) : 0;
}
