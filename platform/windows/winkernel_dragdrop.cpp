// OLE drag and drop on the window kernel: the modal drag loop, the hand-over
// to the desktop outside our windows, and drags of other programs entering
// ours. The loop rides on the kernel's drag mode (windrag.h), so the host's
// input and the test input API drive it alike.
#include <cstring>
#include <deque>

#include "platform/graphics/graphics_ole.h"
#include "platform/graphics/resources.h"
#include "platform/rtl/codepages.h"
#include "platform/rtl/messages.h"
#include "platform/windows/winkernel.h"
#include "platform/windows/winkernel_testing.h"
#include "platform/windows/windrag.h"
#include "platform/windows/winole.h"

const TGUID IID_IDropSource = {0x00000121, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const TGUID IID_IDataObject = {0x0000010E, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const TGUID IID_IEnumFORMATETC = {0x00000103, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

void ReleaseStgMedium(STGMEDIUM* m) {
  if (!m) return;
  if (m->pUnkForRelease)
    m->pUnkForRelease->Release();
  else if (m->tymed == TYMED_HGLOBAL && m->hGlobal)
    GlobalFree(m->hGlobal);
  *m = STGMEDIUM{TYMED_NULL, nullptr, nullptr};
}

DWORD OleDragKeyState() {
  const std::pair<int, DWORD> keys[] = {{VK_LBUTTON, MK_LBUTTON}, {VK_RBUTTON, MK_RBUTTON}, {VK_MBUTTON, MK_MBUTTON},
                                        {VK_SHIFT, MK_SHIFT},     {VK_CONTROL, MK_CONTROL}, {VK_MENU, MK_ALT}};
  DWORD k = 0;
  for (auto [vk, mk] : keys)
    if (GetKeyState(vk) < 0) k |= mk;
  return k;
}

namespace {

// The registered target of the window under a screen point, or of its
// nearest ancestor that has one.
HWND TargetWindowAt(POINT p, IDropTarget** target) {
  *target = nullptr;
  for (HWND w = WindowFromPoint(p); w; w = GetAncestor(w, GA_PARENT)) {
    if (IDropTarget* t = GetRegisteredDropTarget(w)) {
      *target = t;
      return w;
    }
  }
  return nullptr;
}

// One entered target at a time: entering, moving over and leaving it.
struct TTargetTrack {
  HWND Wnd = nullptr;
  TInterfaceRef<IDropTarget> Target;
  DWORD Effect = DROPEFFECT_NONE;

  void Leave() {
    TInterfaceRef<IDropTarget> t = std::move(Target);
    Target = TInterfaceRef<IDropTarget>();
    Wnd = nullptr;
    Effect = DROPEFFECT_NONE;
    if (t) t->DragLeave();
  }
  // Enters the target under p (leaving the previous one) or moves over it.
  DWORD Over(IDataObject* data, POINT p, DWORD keys, DWORD ok) {
    IDropTarget* t = nullptr;
    HWND w = TargetWindowAt(p, &t);
    POINTL pt{p.x, p.y};
    if (w != Wnd || t != Target.get()) {
      Leave();
      if (!t) return Effect = DROPEFFECT_NONE;
      Wnd = w;
      Target = TInterfaceRef<IDropTarget>(t);
      DWORD e = ok;
      if (FAILED(t->DragEnter(data, keys, pt, &e))) e = DROPEFFECT_NONE;
      return Effect = e & ok;
    }
    if (!Target) return Effect = DROPEFFECT_NONE;
    DWORD e = ok;
    if (FAILED(Target->DragOver(keys, pt, &e))) e = DROPEFFECT_NONE;
    return Effect = e & ok;
  }
  // Drops on the entered target when its last effect allows it, else leaves.
  DWORD Drop(IDataObject* data, POINT p, DWORD keys, DWORD ok) {
    if (!Target || Effect == DROPEFFECT_NONE) {
      Leave();
      return DROPEFFECT_NONE;
    }
    TInterfaceRef<IDropTarget> t = std::move(Target);
    Target = TInterfaceRef<IDropTarget>();
    Wnd = nullptr;
    Effect = DROPEFFECT_NONE;
    DWORD e = ok;
    if (FAILED(t->Drop(data, keys, POINTL{p.x, p.y}, &e))) e = DROPEFFECT_NONE;
    return e & ok;
  }
};

enum class TEnd { None, Drop, Cancel, Desktop };

struct TDragLoop {
  bool Running = false;
  IDataObject* Data = nullptr;
  IDropSource* Source = nullptr;
  DWORD Ok = 0;
  TTargetTrack Track;
  POINT Last{};
  DWORD LastKeys = 0;
  TEnd End = TEnd::None;  // decided, carried out by the loop
  POINT EndPoint{};
  HRESULT Result = DRAGDROP_S_CANCEL;
  DWORD Effect = DROPEFFECT_NONE;
};

TDragLoop& Loop() {
  thread_local TDragLoop l;
  return l;
}

TDesktopDragHook& DesktopHook() {
  static auto* h = new TDesktopDragHook;
  return *h;
}

bool Scripted = false;
std::deque<std::function<void()>>& Steps() {
  static auto* s = new std::deque<std::function<void()>>;
  return *s;
}

void Feedback(DWORD effect) {
  TDragLoop& l = Loop();
  if (l.Source->GiveFeedback(effect) == DRAGDROP_S_USEDEFAULTCURSORS)
    SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(effect == DROPEFFECT_NONE ? IDC_NO : IDC_ARROW)));
}

void Decide(TEnd end, POINT p) {
  TDragLoop& l = Loop();
  if (l.End == TEnd::None) {
    l.End = end;
    l.EndPoint = p;
  }
}

// A move, or the key poll at the last point: ask the source, then the target.
void Follow(POINT p) {
  TDragLoop& l = Loop();
  if (!l.Running || l.End != TEnd::None) return;
  l.Last = p;
  DWORD keys = OleDragKeyState();
  l.LastKeys = keys;
  HRESULT r = l.Source->QueryContinueDrag(FALSE, keys);
  if (r == DRAGDROP_S_CANCEL) return Decide(TEnd::Cancel, p);
  if (r == DRAGDROP_S_DROP) return Decide(TEnd::Drop, p);
  IDropTarget* t = nullptr;
  if (!TargetWindowAt(p, &t) && !WindowFromPoint(p) && DesktopHook()) return Decide(TEnd::Desktop, p);
  Feedback(l.Track.Over(l.Data, p, keys, l.Ok));
}

void Released(bool drop, POINT p) {
  TDragLoop& l = Loop();
  if (!l.Running || l.End != TEnd::None) return;
  DWORD keys = OleDragKeyState() & ~static_cast<DWORD>(MK_LBUTTON);
  if (!drop) {
    l.Source->QueryContinueDrag(TRUE, keys);
    return Decide(TEnd::Cancel, p);
  }
  l.LastKeys = keys;
  Decide(l.Source->QueryContinueDrag(FALSE, keys) == DRAGDROP_S_DROP ? TEnd::Drop : TEnd::Cancel, p);
}

// Targets are asked again while the pointer rests, as keys may change.
void PollTimer(HWND, UINT, UINT_PTR, DWORD) {
  TDragLoop& l = Loop();
  if (l.Running && l.End == TEnd::None) Follow(l.Last);
}

HWND MakeCaptureWindow() {
  static const char* const Class = "OleDragCapture";
  WNDCLASSA wc;
  if (!GetClassInfoA(nullptr, Class, &wc)) {
    TWindowClass c;
    c.Name = Class;
    RegisterWindowClass(c);
  }
  TWindowCreateParams p;
  p.ClassName = Class;
  return CreateWindowFromParams(p);
}

void Carry() {
  TDragLoop& l = Loop();
  TEnd end = l.End;
  if (IsKernelDragging()) CancelKernelDrag();
  switch (end) {
    case TEnd::Drop:
      l.Effect = l.Track.Drop(l.Data, l.EndPoint, l.LastKeys, l.Ok);
      l.Result = DRAGDROP_S_DROP;
      break;
    case TEnd::Desktop: {
      l.Track.Leave();
      // The source still hears of the moves: what follows the pointer on
      // its side (a picture of the dragged cells) goes along, and so never
      // lies under the pointer, where it would take the drop itself.
      DWORD e = DesktopHook()(l.Data, l.Ok, [](POINT p, DWORD keys) {
        SetCursorPos(p.x, p.y);
        Loop().Source->QueryContinueDrag(FALSE, keys);
      }) & l.Ok;
      // The source last heard our own windows; the other program's answer
      // is the one that counts (a move there is a move here).
      l.Source->GiveFeedback(e);
      l.Effect = e;
      l.Result = e == DROPEFFECT_NONE ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
      break;
    }
    default:
      l.Track.Leave();
      l.Effect = DROPEFFECT_NONE;
      l.Result = DRAGDROP_S_CANCEL;
  }
  l.Running = false;
}

}  // namespace

HRESULT DoDragDrop(IDataObject* data, IDropSource* source, DWORD ok, DWORD* effect) {
  if (!data || !source || !effect) return E_INVALIDARG;
  TDragLoop& l = Loop();
  if (l.Running) return E_UNEXPECTED;
  TInterfaceRef<IDataObject> keepData(data);
  TInterfaceRef<IDropSource> keepSource(source);
  HWND capture = MakeCaptureWindow();
  l = TDragLoop{};
  l.Running = true;
  l.Data = data;
  l.Source = source;
  l.Ok = ok;
  TKernelDrag kd;
  kd.Move = [](POINT p) { Follow(p); };
  kd.Done = [](bool drop, POINT p) { Released(drop, p); };
  if (!capture || !BeginKernelDrag(capture, std::move(kd))) {
    l.Running = false;
    if (capture) DestroyWindow(capture);
    *effect = DROPEFFECT_NONE;
    return E_UNEXPECTED;
  }
  UINT_PTR timer = SetTimer(nullptr, 0, 50, PollTimer);
  POINT start{};
  GetCursorPos(&start);
  Follow(start);
  bool quit = false;
  int quitCode = 0;
  while (l.End == TEnd::None) {
    bool q = false;
    if (KernelProcessMessage(&q, false)) {
      if (q) {
        quit = true;
        Decide(TEnd::Cancel, l.Last);
      }
      continue;
    }
    if (l.End != TEnd::None) break;
    if (Scripted) {
      if (Steps().empty()) {
        Decide(TEnd::Cancel, l.Last);
        break;
      }
      auto step = std::move(Steps().front());
      Steps().pop_front();
      step();
      continue;
    }
    // Waits the way the host serves its own events (the desktop's input
    // arrives through them), or on the queue without a host.
    MsgWaitForDescriptors(nullptr, 0, INFINITE);
  }
  KillTimer(nullptr, timer);
  Carry();
  DestroyWindow(capture);
  if (quit) PostQuitMessage(quitCode);
  *effect = l.Effect;
  HRESULT r = l.Result;
  l.Data = nullptr;
  l.Source = nullptr;
  return r;
}

bool IsOleDragging() { return Loop().Running; }

void SetDesktopDragHook(TDesktopDragHook Hook) { DesktopHook() = std::move(Hook); }

// ---- Drags of other programs -------------------------------------------------------------------

namespace {

TTargetTrack& Foreign() {
  thread_local TTargetTrack t;
  return t;
}

}  // namespace

DWORD ForeignDragOver(IDataObject* data, POINT p, DWORD keys, DWORD ok) {
  return Foreign().Over(data, p, keys, ok);
}

void ForeignDragLeave() { Foreign().Leave(); }

DWORD ForeignDrop(IDataObject* data, POINT p, DWORD keys, DWORD ok) {
  TTargetTrack& f = Foreign();
  // A drop arrives after at least one move over the same point.
  if (f.Wnd != [&] {
        IDropTarget* t = nullptr;
        return TargetWindowAt(p, &t);
      }())
    f.Over(data, p, keys, ok);
  return f.Drop(data, p, keys, ok);
}

// ---- Tests -----------------------------------------------------------------------------------------

void TestScriptDragSteps(std::deque<std::function<void()>> steps) {
  static bool noticed = false;
  if (!noticed) {
    noticed = true;
    AddKernelResetNotice(TestResetDragSteps);
  }
  Scripted = true;
  Steps() = std::move(steps);
}

void TestResetDragSteps() {
  Scripted = false;
  Steps().clear();
}

// ---- CF_HDROP blocks and format lists ---------------------------------------------------------

bool ReadDropFiles(const void* Block, std::size_t Size, std::vector<AnsiString>& Names) {
  Names.clear();
  const char* b = static_cast<const char*>(Block);
  DROPFILES head;
  if (!b || Size < sizeof head) return false;
  std::memcpy(&head, b, sizeof head);
  std::size_t pos = head.pFiles;
  if (pos < sizeof head || pos > Size) return false;
  for (;;) {
    if (head.fWide) {
      std::u16string name;
      bool ended = false;
      for (; pos + 1 < Size; pos += 2) {
        char16_t c;
        std::memcpy(&c, b + pos, 2);
        if (c == 0) {
          ended = true;
          pos += 2;
          break;
        }
        name.push_back(c);
      }
      // A name without its terminator is cut off: not a name.
      if (!ended || name.empty()) break;
      Names.push_back(WideToUtf8(name));
    } else {
      const void* z = pos < Size ? std::memchr(b + pos, 0, Size - pos) : nullptr;
      if (!z || z == b + pos) break;
      std::size_t end = static_cast<std::size_t>(static_cast<const char*>(z) - b);
      Names.emplace_back(b + pos, end - pos);
      pos = end + 1;
    }
  }
  return !Names.empty();
}

HGLOBAL MakeDropFiles(const std::vector<AnsiString>& Names) {
  std::u16string list;
  for (const AnsiString& n : Names) {
    list += Utf8ToWide(n);
    list.push_back(0);
  }
  list.push_back(0);
  DROPFILES head{sizeof(DROPFILES), POINT{0, 0}, FALSE, TRUE};
  std::size_t size = sizeof head + list.size() * sizeof(char16_t);
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, size);
  char* p = h ? static_cast<char*>(GlobalLock(h)) : nullptr;
  if (!p) {
    if (h) GlobalFree(h);
    return nullptr;
  }
  std::memcpy(p, &head, sizeof head);
  std::memcpy(p + sizeof head, list.data(), list.size() * sizeof(char16_t));
  GlobalUnlock(h);
  return h;
}

namespace {

class TFormatList : public TInterfacedObject, public IEnumFORMATETC {
public:
  TFormatList(std::vector<FORMATETC> f, std::size_t pos) : FList(std::move(f)), FPos(pos) {}
  HRESULT QueryInterface(const TGUID& iid, void** obj) override {
    if (!obj) return E_POINTER;
    if (iid == IID_IEnumFORMATETC) {
      *obj = static_cast<IEnumFORMATETC*>(this);
      AddRef();
      return S_OK;
    }
    return TInterfacedObject::QueryInterface(iid, obj);
  }
  ULONG AddRef() override { return TInterfacedObject::AddRef(); }
  ULONG Release() override { return TInterfacedObject::Release(); }
  HRESULT Next(ULONG celt, FORMATETC* out, ULONG* fetched) override {
    ULONG n = 0;
    for (; n < celt && FPos < FList.size(); ++n, ++FPos)
      if (out) out[n] = FList[FPos];
    if (fetched) *fetched = n;
    return n == celt ? S_OK : S_FALSE;
  }
  HRESULT Skip(ULONG celt) override {
    if (celt <= FList.size() - FPos) {
      FPos += celt;
      return S_OK;
    }
    FPos = FList.size();
    return S_FALSE;
  }
  HRESULT Reset() override {
    FPos = 0;
    return S_OK;
  }
  HRESULT Clone(IEnumFORMATETC** e) override {
    if (!e) return E_POINTER;
    *e = new TFormatList(FList, FPos);
    (*e)->AddRef();
    return S_OK;
  }

private:
  std::vector<FORMATETC> FList;
  std::size_t FPos;
};

}  // namespace

IEnumFORMATETC* CreateFormatEnumerator(std::vector<FORMATETC> Formats) {
  auto* e = new TFormatList(std::move(Formats), 0);
  e->AddRef();
  return e;
}
