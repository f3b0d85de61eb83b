// The quick configuration panel painted over a grid being designed: the
// editing switch, the look menu and the close mark.
#include "grid/radoriz_draw.h"
#include "grid/viduzozezuvodu.h"
#include "platform/comctrls/menus.h"
#include "platform/forms/forms.h"
#include "platform/graphics/resources.h"

namespace {

constexpr int PanelWidth = 150;

void UseDesignFont(TCanvas* C) {
  C->GetFont()->SetName("Tahoma");
  C->GetFont()->SetSize(8);
}

bool Designing(const TComponent* C) { return (C->GetComponentState() & csDesigning) != 0; }

}  // namespace

void VIduZozezuVodu::SetShowDesignHelper(bool Value) {
  if (FShowDesignHelper == Value) return;
  FShowDesignHelper = Value;
  Invalidate();
}

void VIduZozezuVodu::DesignPanelMetrics(int& H, int& LineH, TRect& Panel) {
  TCanvas* C = GetCanvas();
  UseDesignFont(C);
  H = C->TextHeight("gh");
  LineH = H + 2;
  const TRect cr = GetClientRect();
  Panel = TRect(cr.right - PanelWidth, cr.bottom - (3 * H + 16), cr.right, cr.bottom);
}

void VIduZozezuVodu::PaintDesigner() {
  if (!Designing(this) || !FShowDesignHelper) return;
  int h, lh;
  TRect p;
  DesignPanelMetrics(h, lh, p);
  TCanvas* C = GetCanvas();
  C->GetBrush()->SetColor(clInfoBk);
  C->GetPen()->SetColor(0x808080);
  C->GetFont()->SetColor(0x800000);
  C->GetFont()->SetStyle(TFontStyles{fsUnderline});
  C->Rectangle(p.left, p.top, p.right, p.bottom);
  C->GetFont()->SetStyle(TFontStyles{});
  C->TextOut(p.left + 4, p.top + 4, "Quick config [v" + GetVersionString() + "]");
  DrawBitmapResourceTransp(C, clInfoBk, TRect(p.right - 16, p.top + 2, p.right - 2, p.top + 16), "VZVCLOSE");
  TPoint pt;
  GetCursorPos(&pt);
  pt = ScreenToClient(pt);
  const int over = MouseOverDesignChoice(pt.x, pt.y);
  const TRect box(p.left + 4, p.top + lh + 2, p.left + 20, p.top + lh + 18);
  DrawCheck(C, box, (GetOptions() & goEditing) != 0, csWinXP, true);
  UseDesignFont(C);
  C->GetBrush()->SetStyle(bsClear);
  C->GetFont()->SetStyle(over == 1 ? TFontStyles{fsUnderline} : TFontStyles{});
  C->TextOut(p.left + 22, p.top + lh + 4, "Allow edit");
  C->GetFont()->SetStyle(over == 2 ? TFontStyles{fsUnderline} : TFontStyles{});
  C->TextOut(p.left + 4, p.top + 2 * lh + 4, "Set look: " + GetLookAsFriendlyString(FLook));
  C->GetFont()->SetStyle(TFontStyles{});
  C->GetBrush()->SetStyle(bsSolid);
}

int VIduZozezuVodu::MouseOverDesignChoice(int X, int Y) {
  int h, lh;
  TRect p;
  DesignPanelMetrics(h, lh, p);
  const TRect cr = GetClientRect();
  TCanvas* C = GetCanvas();
  int r = -1;
  if (X > cr.right - 16 && cr.bottom - 3 * h - 16 < Y && Y < cr.bottom - 3 * h) r = 3;
  if (cr.right - PanelWidth < X && X < cr.right - 132 + C->TextWidth("Allow edit") && p.top + lh + 4 < Y &&
      Y < p.top + 2 * lh + 4)
    r = 1;
  if (cr.right - PanelWidth < X && X < cr.right - PanelWidth + C->TextWidth("Set look: " + GetLookAsFriendlyString(FLook)) &&
      p.top + 2 * lh + 4 < Y && Y < p.top + 3 * lh + 4)
    r = 2;
  return r;
}

void VIduZozezuVodu::CMDesignHitTest(TMessage& Message) {
  TBaseGrid::Dispatch(Message);
  if (!Designing(this) || !FShowDesignHelper) return;
  const int choice = MouseOverDesignChoice(Message.XPos(), Message.YPos());
  if (choice != FDesignChoice) {
    const TRect cr = GetClientRect();
    TRect r(cr.right - PanelWidth, cr.bottom - 70, cr.right, cr.bottom);
    if (HandleAllocated()) InvalidateRect(GetHandle(), &r, FALSE);
  }
  FDesignChoice = choice;
  if (choice >= 1 && choice <= 3) Message.Result = 1;
}

void VIduZozezuVodu::HandleDesignChoice(int X, int Y) {
  const int choice = MouseOverDesignChoice(X, Y);
  if (choice == 1) {
    TGridOptions o = GetOptions();
    SetOptions((o & goEditing) ? (o & ~goEditing) : (o | goEditing));
  } else if (choice == 2) {
    static const struct {
      const char* Caption;
      int Id;
    } Items[] = {{"Standard", 1}, {"Soft", 2},         {"Classic", 3},       {"Zyt", 4},   {"ListView", 6},
                 {"Office 2007", 9}, {"Windows XP", 5}, {"Windows Vista", 7}, {"Windows 7", 8}};
    TPopupMenu Menu(nullptr);
    for (const auto& it : Items) {
      auto* mi = new TMenuItem(&Menu);
      mi->SetCaption(it.Caption);
      mi->SetTag(it.Id);
      mi->SetChecked(it.Id == static_cast<int>(FLook) + 1);
      Menu.GetItems()->Add(mi);
    }
    const TPoint at = ClientToScreen(TPoint(X, Y));
    const int id = Menu.TrackPopup(at.x, at.y);
    if (id > 0) SetLook(static_cast<TGridLook>(id - 1));
  } else if (choice == 3) {
    SetShowDesignHelper(false);
  } else {
    return;
  }
  // The designer notices a modification by the form's size changing.
  if (TCustomForm* F = GetParentForm(this)) {
    F->SetWidth(F->GetWidth() - 1);
    F->SetWidth(F->GetWidth() + 1);
  }
}
