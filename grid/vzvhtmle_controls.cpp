// Values of the inline form controls of marked-up text.
#include "grid/vzvhtmle_internal.h"
#include "platform/rtl/sysutils.h"

using namespace vzvhtml;

namespace {
const TControlTag* FindControl(const std::vector<TControlTag>& tags, const AnsiString& ID) {
  for (const TControlTag& c : tags)
    if (c.ID == ID) return &c;
  return nullptr;
}
bool Editable(const TControlTag& c) { return c.Type != "BUTTON" && c.Type != "CHECK" && c.Type != "RADIO"; }
}  // namespace

bool HasHTMLControl(const AnsiString& S) { return FindNoCase(S, "<CONTROL") != npos; }

AnsiString GetNextControlID(const AnsiString& S, const AnsiString& ID) {
  std::vector<TControlTag> tags = ControlTags(S);
  std::size_t from = 0;
  if (!ID.empty()) {
    const TControlTag* c = FindControl(tags, ID);
    if (!c) return {};
    from = static_cast<std::size_t>(c - tags.data()) + 1;
  }
  for (std::size_t k = from; k < tags.size(); ++k)
    if (Editable(tags[k])) return tags[k].ID;
  return {};
}

AnsiString ClearRadioControls(const AnsiString& S) {
  AnsiString r = S;
  for (const TControlTag& c : ControlTags(S))
    if (c.Type == "RADIO") SetControlValue(r, c.ID, "FALSE");
  return r;
}

bool GetControlValue(const AnsiString& S, const AnsiString& ID, AnsiString& Value) {
  std::vector<TControlTag> tags = ControlTags(S);
  const TControlTag* c = FindControl(tags, ID);
  if (!c) return false;
  Value = c->Value;
  return true;
}

AnsiString GetControlProp(const AnsiString& S, const AnsiString& ID) {
  std::vector<TControlTag> tags = ControlTags(S);
  const TControlTag* c = FindControl(tags, ID);
  return c ? c->Prop : AnsiString();
}

int GetControlMaxLen(const AnsiString& S, const AnsiString& ID) {
  std::vector<TControlTag> tags = ControlTags(S);
  const TControlTag* c = FindControl(tags, ID);
  return c ? StrToIntDef(c->MaxLen, 0) : 0;
}

bool SetControlValue(AnsiString& S, const AnsiString& ID, const AnsiString& Value) {
  std::vector<TControlTag> tags = ControlTags(S);
  const TControlTag* c = FindControl(tags, ID);
  if (!c) return false;
  const char q = '"';
  AnsiString tag = "CONTROL ID=" + (q + c->ID + q) + " VALUE=" + (q + FixMarkup(Value) + q) + " WIDTH=" +
                   (q + c->Width + q) + " TYPE=" + (q + c->Type + q);
  if (!c->Prop.empty()) tag += " PROP=" + (q + c->Prop + q);
  if (!c->MaxLen.empty()) tag += " MAXLEN=" + (q + c->MaxLen + q);
  tag += ">";
  S = S.substr(0, c->Start + 1) + tag + S.substr(c->End);
  return true;
}
