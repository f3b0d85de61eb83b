// Control drag on the kernel's drag mode: the source starts it, each mouse
// position finds the control under the pointer and talks to it by CM_DRAG
// (enter, move, leave), and the release drops on a target that accepted.
#include <cstdlib>

#include "platform/forms/controls.h"
#include "platform/forms/forms.h"
#include "platform/windows/windrag.h"

struct TDragDriver {
  TControl* Source = nullptr;
  TDragObject* Object = nullptr;
  bool OwnsObject = false;
  bool Started = false;
  bool DropOnEnd = false;
  TPoint StartPos{};
  int Threshold = 5;
  TControl* Target = nullptr;

  static TDragDriver& Get() {
    static TDragDriver d;
    return d;
  }

  LRESULT Send(TControl* To, TDragMessage Msg, const TPoint& Pos) {
    TDragRec rec{Pos, Object, To, false};
    return To->Perform(CM_DRAG, static_cast<WPARAM>(Msg), reinterpret_cast<LPARAM>(&rec));
  }

  void Start(const TPoint& Pos) {
    Started = true;
    TDragObject* obj = nullptr;
    Source->DoStartDrag(obj);
    if (!Source) return;  // the handler freed the source
    if (!obj) {
      obj = new TDragControlObject(Source);
      OwnsObject = true;
    }
    Object = obj;
    MoveTo(Pos);
  }

  void MoveTo(const TPoint& Pos) {
    if (!Source || !Object) return;
    Object->FDragPos = Pos;
    TControl* over = FindDragTarget(Pos, false);
    bool accept = false;
    if (over != Target) {
      if (Target) Send(Target, dmDragLeave, Pos);
      Target = over;
      Object->FDragTarget = over;
      if (Target) accept = Send(Target, dmDragEnter, Pos) != 0;
    } else if (Target) {
      accept = Send(Target, dmDragMove, Pos) != 0;
    }
    if (Screen && Source) ::SetCursor(Screen->GetCursors(accept ? Source->GetDragCursor() : crNoDrop));
  }

  void Done(bool Drop, const TPoint& Pos) {
    TControl* source = Source;
    bool started = Started && Object;
    Drop = Drop || DropOnEnd;
    if (!source || !started) {
      Clear();
      return;
    }
    Object->FDragPos = Pos;
    Object->FCancelling = !Drop;
    TControl* target = Target;
    bool accepted = false;
    if (target) {
      // The target always hears the drag leave; its answer decides the drop.
      accepted = Send(target, dmDragLeave, Pos) != 0 && Drop;
      if (accepted && Target) {
        Object->FDropped = true;
        Send(target, dmDragDrop, Pos);
      }
    }
    TPoint local{};
    if (accepted && Target) local = target->ScreenToClient(Pos);
    TDragObject* obj = Object;
    bool owns = OwnsObject;
    TControl* endTarget = accepted && Target ? target : nullptr;
    Clear();
    source->DoEndDrag(endTarget, local.x, local.y);
    if (owns) delete obj;
  }

  void Clear() { *this = TDragDriver{}; }

  void Forget(TControl* Control) {
    if (Target == Control) {
      Target = nullptr;
      if (Object) Object->FDragTarget = nullptr;
    }
    if (Source == Control) {
      if (OwnsObject) delete Object;
      Clear();
      CancelKernelDrag();
    }
  }
};

TObject* TDragControlObject::EventSource() { return FControl; }

TControl* DragControl() { return TDragDriver::Get().Source; }

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled) {
  HWND h = WindowFromPoint(POINT{Pos.x, Pos.y});
  TWinControl* w = nullptr;
  while (h && !(w = TWinControl::FindControl(h))) h = ::GetParent(h);
  if (!w) return nullptr;
  if (TControl* c = w->ControlAtPos(w->ScreenToClient(Pos), AllowDisabled)) return c;
  return w;
}

void DragForgetControl(TControl* Control) { TDragDriver::Get().Forget(Control); }

void TControl::BeginDrag(bool Immediate, int Threshold) {
  TDragDriver& d = TDragDriver::Get();
  if (d.Source || (GetComponentState() & csDesigning)) return;
  TWinControl* owner = dynamic_cast<TWinControl*>(this);
  if (!owner) owner = FParent;
  if (!owner) return;
  POINT p{};
  GetCursorPos(&p);
  d.Source = this;
  d.StartPos = TPoint(p.x, p.y);
  d.Threshold = Threshold < 0 ? 5 : Threshold;
  TKernelDrag drag;
  drag.Move = [](POINT pt) {
    TDragDriver& dd = TDragDriver::Get();
    TPoint at(pt.x, pt.y);
    if (!dd.Started) {
      if (std::abs(at.x - dd.StartPos.x) <= dd.Threshold && std::abs(at.y - dd.StartPos.y) <= dd.Threshold) return;
      dd.Start(at);
      return;
    }
    dd.MoveTo(at);
  };
  drag.Done = [](bool drop, POINT pt) { TDragDriver::Get().Done(drop, TPoint(pt.x, pt.y)); };
  if (!BeginKernelDrag(owner->GetHandle(), std::move(drag))) {
    d.Clear();
    return;
  }
  if (Immediate) d.Start(d.StartPos);
}

void TControl::EndDrag(bool Drop) {
  TDragDriver& d = TDragDriver::Get();
  if (d.Source != this) return;
  d.DropOnEnd = Drop;
  CancelKernelDrag();
}

bool TControl::Dragging() const { return TDragDriver::Get().Source == this; }

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  Accept = false;
  if (OnDragOver) {
    Accept = true;
    OnDragOver(this, Source, X, Y, State, Accept);
  }
}

void TControl::DragDrop(TObject* Source, int X, int Y) {
  if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}

void TControl::DoStartDrag(TDragObject*& DragObject) {
  if (OnStartDrag) OnStartDrag(this, DragObject);
}

void TControl::DoEndDrag(TObject* Target, int X, int Y) {
  if (OnEndDrag) OnEndDrag(this, Target, X, Y);
}

void TControl::CMDrag(TMessage& Message) {
  auto* rec = reinterpret_cast<TDragRec*>(Message.LParam);
  if (!rec || !rec->Source) return;
  TPoint local = ScreenToClient(rec->Pos);
  TObject* source = rec->Source->EventSource();
  switch (static_cast<TDragMessage>(Message.WParam)) {
    case dmDragEnter:
    case dmDragLeave:
    case dmDragMove: {
      bool accept = false;
      TDragState state = Message.WParam == dmDragEnter   ? dsDragEnter
                         : Message.WParam == dmDragLeave ? dsDragLeave
                                                         : dsDragMove;
      DragOver(source, local.x, local.y, state, accept);
      Message.Result = accept ? 1 : 0;
      break;
    }
    case dmDragDrop:
      DragDrop(source, local.x, local.y);
      break;
    case dmFindTarget:
      Message.Result = reinterpret_cast<LRESULT>(this);
      break;
    case dmDragCancel:
      break;
  }
}
