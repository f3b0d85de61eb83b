// The desktop bridge of drag and drop: a drag leaving our windows goes on as
// a Qt drag of its data, and a Qt drag over one of our windows reaches the
// window's registered target as a foreign data object.
#include <QDrag>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include "platform/forms/forms.h"
#include "platform/forms/oledesktop.h"
#include "platform/forms/qthost.h"
#include "platform/forms/qthost_dragdrop.h"

namespace {

QMimeData* QtMimeOf(const TMimeData& m) {
  auto* q = new QMimeData;
  for (const TMimeItem& i : m)
    q->setData(QString::fromStdString(i.Type), QByteArray(i.Data.data(), static_cast<qsizetype>(i.Data.size())));
  return q;
}

TMimeData MimeOfQt(const QMimeData* q) {
  TMimeData m;
  if (!q) return m;
  for (const QString& f : q->formats()) {
    QByteArray b = q->data(f);
    m.push_back({f.toStdString(), std::string(b.constData(), static_cast<std::size_t>(b.size()))});
  }
  // Text offered only through Qt's own accessors.
  if (q->hasText() && !q->hasFormat("text/plain")) m.push_back({"text/plain", q->text().toStdString()});
  return m;
}

DWORD EffectOf(Qt::DropAction a) {
  if (a == Qt::MoveAction) return DROPEFFECT_MOVE;
  if (a == Qt::CopyAction) return DROPEFFECT_COPY;
  if (a == Qt::LinkAction) return DROPEFFECT_LINK;
  return DROPEFFECT_NONE;
}

Qt::DropActions ActionsOf(DWORD e) {
  Qt::DropActions a;
  if (e & DROPEFFECT_COPY) a |= Qt::CopyAction;
  if (e & DROPEFFECT_MOVE) a |= Qt::MoveAction;
  if (e & DROPEFFECT_LINK) a |= Qt::LinkAction;
  return a;
}

Qt::DropAction ActionOf(DWORD e) {
  if (e & DROPEFFECT_MOVE) return Qt::MoveAction;
  if (e & DROPEFFECT_COPY) return Qt::CopyAction;
  if (e & DROPEFFECT_LINK) return Qt::LinkAction;
  return Qt::IgnoreAction;
}

DWORD KeysOf(Qt::MouseButtons b, Qt::KeyboardModifiers m) {
  DWORD k = 0;
  if (b & Qt::LeftButton) k |= MK_LBUTTON;
  if (b & Qt::RightButton) k |= MK_RBUTTON;
  if (b & Qt::MiddleButton) k |= MK_MBUTTON;
  if (m & Qt::ShiftModifier) k |= MK_SHIFT;
  if (m & Qt::ControlModifier) k |= MK_CONTROL;
  if (m & Qt::AltModifier) k |= MK_ALT;
  return k;
}

// The foreign data of the drag now over our windows.
TInterfaceRef<IDataObject>& Incoming() {
  static auto* d = new TInterfaceRef<IDataObject>;
  return *d;
}

void Pump() {
  if (Application) Application->ProcessMessages();
}

// The last desktop drag. The program that took the drop reads the data
// after the drag has ended here, so the drag (which holds the data) lives
// until the next one starts; Qt may free it earlier on its own.
QPointer<QDrag>& LastDrag() {
  static auto* d = new QPointer<QDrag>;
  return *d;
}

void FreeLastDrag() {
  if (QDrag* d = LastDrag()) d->deleteLater();
  LastDrag() = nullptr;
}

// Hands the pointer moves of a running Qt drag on. Qt's drag takes the
// moves with an application filter of its own, so this one goes in once
// that drag runs (the filter installed last is asked first).
class TMoveFollower : public QObject {
public:
  explicit TMoveFollower(const TDesktopDragMoved& moved) : FMoved(moved) {}
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::MouseMove) {
      auto* m = static_cast<QMouseEvent*>(e);
      QPoint g = m->globalPosition().toPoint();
      FMoved(POINT{g.x(), g.y()}, KeysOf(m->buttons(), m->modifiers()));
    }
    return false;
  }

private:
  const TDesktopDragMoved& FMoved;
};

DWORD DesktopDrag(IDataObject* data, DWORD ok, const TDesktopDragMoved& moved) {
  FreeLastDrag();
  // A button released before the hand-off has been spent on our loop: a
  // Qt drag started now would wait for a release that never comes.
  if (QGuiApplication::mouseButtons() == Qt::NoButton) return DROPEFFECT_NONE;
  QWindow* source = QGuiApplication::focusWindow();
  QObject* owner = source ? static_cast<QObject*>(source) : QCoreApplication::instance();
  auto* drag = new QDrag(owner);
  LastDrag() = drag;
  drag->setMimeData(QtMimeOf(MimeOfDataObject(data)));
  TMoveFollower follower(moved);
  QTimer::singleShot(0, &follower, [&follower] { QCoreApplication::instance()->installEventFilter(&follower); });
  Qt::DropAction a = drag->exec(ActionsOf(ok), ActionOf(ok));
  return EffectOf(a) & ok;
}

}  // namespace

void QtHostInstallDragDrop(bool On) {
  if (!On) FreeLastDrag();
  SetDesktopDragHook(On ? TDesktopDragHook(DesktopDrag) : TDesktopDragHook());
}

bool QtHostDragEvent(QWindow* Window, QEvent* E) {
  switch (E->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
      auto* d = static_cast<QDropEvent*>(E);
      if (E->type() == QEvent::DragEnter || !Incoming()) {
        IDataObject* o = DataObjectOfMime(MimeOfQt(d->mimeData()));
        Incoming() = TInterfaceRef<IDataObject>(o);
        o->Release();
      }
      QPoint g = Window->mapToGlobal(d->position().toPoint());
      POINT p{g.x(), g.y()};
      DWORD keys = KeysOf(d->buttons(), d->modifiers());
      DWORD ok = EffectOf(Qt::CopyAction) * ((d->possibleActions() & Qt::CopyAction) != 0) |
                 EffectOf(Qt::MoveAction) * ((d->possibleActions() & Qt::MoveAction) != 0);
      DWORD e;
      if (E->type() == QEvent::Drop) {
        e = ForeignDrop(Incoming().get(), p, keys & ~static_cast<DWORD>(MK_LBUTTON), ok);
        Incoming() = TInterfaceRef<IDataObject>();
      } else {
        e = ForeignDragOver(Incoming().get(), p, keys, ok);
      }
      if (e != DROPEFFECT_NONE) {
        d->setDropAction(ActionOf(e));
        d->accept();
      } else {
        d->ignore();
      }
      Pump();
      return true;
    }
    case QEvent::DragLeave:
      ForeignDragLeave();
      Incoming() = TInterfaceRef<IDataObject>();
      Pump();
      return true;
    default:
      return false;
  }
}

DWORD QtHostSendDrop(HWND Wnd, const TMimeData& Data, int X, int Y, bool Ctrl) {
  QWindow* w = QtHostWindowOf(Wnd);
  if (!w) return DROPEFFECT_NONE;
  QMimeData* mime = QtMimeOf(Data);
  Qt::KeyboardModifiers mods = Ctrl ? Qt::ControlModifier : Qt::NoModifier;
  QPointF at(X, Y);
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, mods);
  QtHostDragEvent(w, &enter);
  DWORD result = DROPEFFECT_NONE;
  if (enter.isAccepted()) {
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, mime, Qt::NoButton, mods);
    QtHostDragEvent(w, &drop);
    if (drop.isAccepted()) result = EffectOf(drop.dropAction());
  } else {
    QDragLeaveEvent leave;
    QtHostDragEvent(w, &leave);
  }
  delete mime;
  return result;
}
