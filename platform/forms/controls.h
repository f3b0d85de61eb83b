// The component framework's control classes: TControl (a visual component
// on a parent), TWinControl (one with its own kernel window), TCustomControl
// (a window painted through a canvas), TGraphicControl (painted on its
// parent's window) and TControlCanvas.
//
// Messages. Every message for a control goes to its WindowProc (normally
// WndProc, which sees everything first), then to Dispatch. A class that
// handles messages by number overrides Dispatch: it switches on Message.Msg,
// calls its handler and passes every other number to the base class's
// Dispatch. A handler's `inherited` is Base::Dispatch(Message): the next class
// up that handles the same number, and at the top DefaultHandler, which for a
// windowed control is DefWndProc (the window class's own procedure, or the
// procedure a subclassed window had).
#pragma once

#include <functional>
#include <vector>

#include "platform/rtl/classes_component.h"
#include "platform/graphics/graphics.h"
#include "platform/windows/winkernel.h"

// ---- Component messages and reflected notifications ---------------------------
inline constexpr UINT CM_BASE = 0xB000;
inline constexpr UINT CM_ACTIVATE = CM_BASE + 0;
inline constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
inline constexpr UINT CM_GOTFOCUS = CM_BASE + 2;
inline constexpr UINT CM_LOSTFOCUS = CM_BASE + 3;
inline constexpr UINT CM_CANCELMODE = CM_BASE + 4;
inline constexpr UINT CM_DIALOGKEY = CM_BASE + 5;
inline constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;
inline constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;
inline constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
inline constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
inline constexpr UINT CM_HITTEST = CM_BASE + 10;
inline constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
inline constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
inline constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
inline constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
inline constexpr UINT CM_CURSORCHANGED = CM_BASE + 15;
inline constexpr UINT CM_CTL3DCHANGED = CM_BASE + 16;
inline constexpr UINT CM_PARENTCTL3DCHANGED = CM_BASE + 17;
inline constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
inline constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
inline constexpr UINT CM_MENUCHANGED = CM_BASE + 21;
inline constexpr UINT CM_APPKEYDOWN = CM_BASE + 22;
inline constexpr UINT CM_APPSYSCOMMAND = CM_BASE + 23;
inline constexpr UINT CM_BUTTONPRESSED = CM_BASE + 24;
inline constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 25;
inline constexpr UINT CM_ENTER = CM_BASE + 26;
inline constexpr UINT CM_EXIT = CM_BASE + 27;
inline constexpr UINT CM_DESIGNHITTEST = CM_BASE + 28;
inline constexpr UINT CM_ICONCHANGED = CM_BASE + 29;
inline constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 30;
inline constexpr UINT CM_INVOKEHELP = CM_BASE + 31;
inline constexpr UINT CM_WINDOWHOOK = CM_BASE + 32;
inline constexpr UINT CM_RELEASE = CM_BASE + 33;
inline constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 34;
inline constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
inline constexpr UINT CM_SYSCOLORCHANGE = CM_BASE + 36;
inline constexpr UINT CM_WININICHANGE = CM_BASE + 37;
inline constexpr UINT CM_FONTCHANGE = CM_BASE + 38;
inline constexpr UINT CM_TIMECHANGE = CM_BASE + 39;
inline constexpr UINT CM_TABSTOPCHANGED = CM_BASE + 40;
inline constexpr UINT CM_UIACTIVATE = CM_BASE + 41;
inline constexpr UINT CM_UIDEACTIVATE = CM_BASE + 42;
inline constexpr UINT CM_DOCWINDOWACTIVATE = CM_BASE + 43;
inline constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 44;
inline constexpr UINT CM_GETDATALINK = CM_BASE + 45;
inline constexpr UINT CM_CHILDKEY = CM_BASE + 46;
inline constexpr UINT CM_DRAG = CM_BASE + 47;
inline constexpr UINT CM_HINTSHOW = CM_BASE + 48;
inline constexpr UINT CM_DIALOGHANDLE = CM_BASE + 49;
inline constexpr UINT CM_ISTOOLCONTROL = CM_BASE + 50;
inline constexpr UINT CM_RECREATEWND = CM_BASE + 51;
inline constexpr UINT CM_INVALIDATE = CM_BASE + 52;
inline constexpr UINT CM_SYSFONTCHANGED = CM_BASE + 53;
inline constexpr UINT CM_CONTROLCHANGE = CM_BASE + 54;
inline constexpr UINT CM_CHANGED = CM_BASE + 55;
inline constexpr UINT CM_DOCKCLIENT = CM_BASE + 56;
inline constexpr UINT CM_UNDOCKCLIENT = CM_BASE + 57;
inline constexpr UINT CM_FLOAT = CM_BASE + 58;
inline constexpr UINT CM_BORDERCHANGED = CM_BASE + 59;
inline constexpr UINT CM_BIDIMODECHANGED = CM_BASE + 60;
inline constexpr UINT CM_PARENTBIDIMODECHANGED = CM_BASE + 61;
inline constexpr UINT CM_ALLCHILDRENFLIPPED = CM_BASE + 62;
inline constexpr UINT CM_ACTIONUPDATE = CM_BASE + 63;
inline constexpr UINT CM_ACTIONEXECUTE = CM_BASE + 64;
inline constexpr UINT CM_HINTSHOWPAUSE = CM_BASE + 65;
inline constexpr UINT CM_DOCKNOTIFICATION = CM_BASE + 66;
inline constexpr UINT CM_MOUSEWHEEL = CM_BASE + 67;

// A child's notification reflected back to it by its parent.
inline constexpr UINT CN_BASE = 0xBC00;
inline constexpr UINT CN_CHARTOITEM = CN_BASE + 0x002F;
inline constexpr UINT CN_DRAWITEM = CN_BASE + 0x002B;     // WM_DRAWITEM
inline constexpr UINT CN_MEASUREITEM = CN_BASE + 0x002C;  // WM_MEASUREITEM
inline constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
inline constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
inline constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
inline constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
inline constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
inline constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
inline constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
inline constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
inline constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
inline constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
inline constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
inline constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
inline constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
inline constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;

// The header of a WM_NOTIFY's lParam.
struct NMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};

// Standard cursors of the framework; module cursors have positive numbers.
using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;
inline constexpr TCursor crSize = crSizeAll;

// ---- Message records -----------------------------------------------------------
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
  WORD WParamLo() const { return LOWORD(WParam); }
  WORD WParamHi() const { return HIWORD(WParam); }
  WORD LParamLo() const { return LOWORD(static_cast<std::uintptr_t>(LParam)); }
  WORD LParamHi() const { return HIWORD(static_cast<std::uintptr_t>(LParam)); }
  // Key messages: the virtual key (or character) is WParam, KeyData LParam.
  WORD CharCode() const { return static_cast<WORD>(WParam); }
  void SetCharCode(WORD Value) { WParam = Value; }
  // Mouse messages: client coordinates and MK_* keys.
  int XPos() const { return GET_X_LPARAM(LParam); }
  int YPos() const { return GET_Y_LPARAM(LParam); }
  WPARAM Keys() const { return WParam; }
};
using TWndMethod = std::function<void(TMessage& Message)>;

// ---- Enumerations and small types --------------------------------------------------
enum TShiftStateFlag : unsigned {
  ssShift = 1u << 0,
  ssAlt = 1u << 1,
  ssCtrl = 1u << 2,
  ssLeft = 1u << 3,
  ssRight = 1u << 4,
  ssMiddle = 1u << 5,
  ssDouble = 1u << 6,
};
using TShiftState = unsigned;  // bitwise or of the flags above

// The mouse buttons of the notifications are the kernel's input buttons.
inline constexpr TMouseButton mbLeft = TMouseButton::Left;
inline constexpr TMouseButton mbRight = TMouseButton::Right;
inline constexpr TMouseButton mbMiddle = TMouseButton::Middle;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;
inline constexpr TAnchors akDefault = akLeft | akTop;

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
// Bevels of a windowed control, drawn in its non-client edge (inside the
// border, around the scroll bars and the client area).
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TBevelKind { bkNone, bkTile, bkSoft, bkFlat };
enum TBevelEdge : unsigned { beLeft = 1u << 0, beTop = 1u << 1, beRight = 1u << 2, beBottom = 1u << 3 };
using TBevelEdges = unsigned;  // bitwise or of the edges above
inline constexpr TBevelEdges beAllEdges = beLeft | beTop | beRight | beBottom;
using TBevelWidth = int;
// Form borders; the plain border of controls uses the first two.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

// ControlStyle flags.
enum TControlStyleFlag : unsigned {
  csAcceptsControls = 1u << 0,
  csCaptureMouse = 1u << 1,
  csDesignInteractive = 1u << 2,
  csClickEvents = 1u << 3,
  csFramed = 1u << 4,
  csSetCaption = 1u << 5,
  csOpaque = 1u << 6,
  csDoubleClicks = 1u << 7,
  csFixedWidth = 1u << 8,
  csFixedHeight = 1u << 9,
  csNoDesignVisible = 1u << 10,
  csReplicatable = 1u << 11,
  csNoStdEvents = 1u << 12,
  csDisplayDragImage = 1u << 13,
  csReflector = 1u << 14,
  csActionClient = 1u << 15,
  csMenuEvents = 1u << 16,
};
using TControlStyle = unsigned;

// ControlState flags.
enum TControlStateFlag : unsigned {
  csLButtonDown = 1u << 0,
  csClicked = 1u << 1,
  csPalette = 1u << 2,
  csReadingState = 1u << 3,
  csAlignmentNeeded = 1u << 4,
  csFocusing = 1u << 5,
  csCreating = 1u << 6,
  csPaintCopy = 1u << 7,
  csCustomPaint = 1u << 8,
  csDestroyingHandle = 1u << 9,
  csDocking = 1u << 10,
};
using TControlState = unsigned;

class TControl;
class TWinControl;
class TCustomForm;
class TPopupMenu;  // menus come with the standard controls

// ---- Control drag ---------------------------------------------------------------------
// A drag of a control over the program's controls; docking is not built, so
// every drag is a plain drag whatever DragKind says.
enum TDragMode { dmManual, dmAutomatic };
enum TDragKind { dkDrag, dkDock };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
// CM_DRAG: WParam one of these, LParam a TDragRec*.
enum TDragMessage { dmDragEnter, dmDragLeave, dmDragMove, dmDragDrop, dmDragCancel, dmFindTarget };

// What is dragged: OnStartDrag may hand its own; otherwise the framework
// drags the control itself, and the events see that control as Source.
class TDragObject : public TObject {
public:
  TControl* GetDragTarget() const { return FDragTarget; }
  TPoint GetDragPos() const { return FDragPos; }
  bool GetDropped() const { return FDropped; }
  bool GetCancelling() const { return FCancelling; }
  // The Source the drag events name.
  virtual TObject* EventSource() { return this; }

private:
  TControl* FDragTarget = nullptr;
  TPoint FDragPos{};
  bool FDropped = false;
  bool FCancelling = false;
  friend struct TDragDriver;
};

class TDragControlObject : public TDragObject {
public:
  explicit TDragControlObject(TControl* AControl) : FControl(AControl) {}
  TControl* GetControl() const { return FControl; }
  TObject* EventSource() override;

private:
  TControl* FControl;
};

struct TDragRec {
  TPoint Pos;  // screen coordinates
  TDragObject* Source;
  TControl* Target;
  bool Docking;
};

using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;

// The control whose drag is running (nullptr: none).
TControl* DragControl();
// The control under a screen point that a drag would talk to (enabled,
// visible; graphic controls included); nullptr outside the program's.
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);
// A control going away leaves the drag it takes part in (a source's drag
// ends silently).
void DragForgetControl(TControl* Control);

using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char16_t& Key)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

// Shift states from key data (Alt from bit 29 and the key state table), from
// the key state table and from a mouse message's MK_* keys.
TShiftState KeyDataToShiftState(LPARAM KeyData);
TShiftState KeyboardStateToShiftState();
TShiftState MouseKeysToShiftState(WPARAM Keys);

// Window creation parameters a control fills in CreateParams.
struct TCreateParams {
  AnsiString Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;
  LPVOID Param = nullptr;
  // The kernel class: our own classes are registered on first use with
  // WindowClassStyle; a class another module registered (CreateSubClass)
  // keeps its procedure, which becomes the control's DefWndProc.
  AnsiString WinClassName;
  UINT WindowClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  HBRUSH WindowClassBackground = nullptr;
  bool SubClassed = false;
};

// ---- The control canvas ------------------------------------------------------------
// Draws on its control's window (a graphic control: on its parent's, moved
// to the control's origin and clipped to it) outside painting; during
// painting the control sets Handle to the paint context.
class TControlCanvas : public TCanvas {
public:
  TControlCanvas() = default;
  ~TControlCanvas() override;
  TControl* GetControl() const { return FControl; }
  void SetControl(TControl* Value);
  // Gives the window context back (the next drawing takes a new one).
  void FreeHandle();
  // Runs Paint with the canvas drawing on DC (a paint context), then detaches.
  void PaintOn(HDC DC, const std::function<void()>& Paint);

protected:
  void CreateHandle() override;

private:
  TControl* FControl = nullptr;
  HDC FDeviceContext = nullptr;
  HWND FWindowHandle = nullptr;
};

// ---- TControl ----------------------------------------------------------------------
class TControl : public TComponent {
public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // Messages.
  TWndMethod GetWindowProc() const { return FWindowProc; }
  void SetWindowProc(TWndMethod Value) { FWindowProc = std::move(Value); }
  LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);
  virtual void WndProc(TMessage& Message);
  virtual void Dispatch(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);

  // Parent and bounds (parent client coordinates).
  TWinControl* GetParent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);
  int GetLeft() const { return FLeft; }
  int GetTop() const { return FTop; }
  int GetWidth() const { return FWidth; }
  int GetHeight() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect GetBoundsRect() const { return TRect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }
  void SetBoundsRect(const TRect& R) { SetBounds(R.left, R.top, R.Width(), R.Height()); }
  virtual TRect GetClientRect();
  int GetClientWidth() { return GetClientRect().Width(); }
  int GetClientHeight() { return GetClientRect().Height(); }
  void SetClientWidth(int Value);
  void SetClientHeight(int Value);
  // The screen point of the client area's top left corner.
  virtual TPoint ClientOrigin();
  TPoint ClientToScreen(const TPoint& P);
  TPoint ScreenToClient(const TPoint& P);
  TAlign GetAlign() const { return FAlign; }
  void SetAlign(TAlign Value);
  TAnchors GetAnchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value);

  // State.
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  virtual bool GetEnabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);
  TControlStyle GetControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
  TControlState GetControlState() const { return FControlState; }
  void SetControlState(TControlState Value) { FControlState = Value; }
  // Visible here and in every parent up to a form.
  bool IsShowing() const;

  // Appearance.
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  bool GetParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  TFont* GetFont() const { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool GetParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  AnsiString GetHint() const { return FHint; }
  void SetHint(const AnsiString& Value) { FHint = Value; }
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool GetParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  TPopupMenu* GetPopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value) { FPopupMenu = Value; }
  TBiDiMode GetBiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  bool GetParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool Value);
  bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
  AnsiString GetText();
  void SetText(const AnsiString& Value);
  AnsiString GetCaption() { return GetText(); }
  void SetCaption(const AnsiString& Value) { SetText(Value); }

  // Painting.
  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();

  // Drag: with dmAutomatic a left press starts one; BeginDrag starts one
  // by code, at once or after the pointer moved Threshold pixels (-1: 5).
  // It follows the mouse until the button is released (a drop on a target
  // that accepts) or Esc cancels it.
  TDragMode GetDragMode() const { return FDragMode; }
  void SetDragMode(TDragMode Value) { FDragMode = Value; }
  TCursor GetDragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor Value) { FDragCursor = Value; }
  TDragKind GetDragKind() const { return FDragKind; }
  void SetDragKind(TDragKind Value) { FDragKind = Value; }
  void BeginDrag(bool Immediate, int Threshold = -1);
  void EndDrag(bool Drop);
  bool Dragging() const;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TStartDragEvent OnStartDrag;
  TEndDragEvent OnEndDrag;
  // Accept starts false, and true when OnDragOver is assigned.
  virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
  virtual void DragDrop(TObject* Source, int X, int Y);
  virtual void DoStartDrag(TDragObject*& DragObject);
  virtual void DoEndDrag(TObject* Target, int X, int Y);

  // Mouse capture by this control (the parent window holds the kernel
  // capture for a graphic control).
  bool GetMouseCapture() const;
  void SetMouseCapture(bool Value);

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Events.
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  // Virtual notifications.
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  virtual void Resize();
  // Called when the parent's window was made (windowed controls make theirs).
  virtual void ParentWindowCreated() {}

protected:
  // Handlers by message number.
  void WMLButtonDown(TMessage& Message);
  void WMRButtonDown(TMessage& Message);
  void WMMButtonDown(TMessage& Message);
  void WMLButtonDblClk(TMessage& Message);
  void WMRButtonDblClk(TMessage& Message);
  void WMMButtonDblClk(TMessage& Message);
  void WMLButtonUp(TMessage& Message);
  void WMRButtonUp(TMessage& Message);
  void WMMButtonUp(TMessage& Message);
  void WMMouseMove(TMessage& Message);
  void WMMouseWheel(TMessage& Message);
  void WMCancelMode(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);
  void CMMouseWheel(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMHintShow(TMessage& Message);
  void CMParentFontChanged(TMessage& Message);
  void CMParentColorChanged(TMessage& Message);
  void CMParentShowHintChanged(TMessage& Message);
  void CMParentBiDiModeChanged(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  // dmDragEnter/Leave/Move answer DragOver's Accept; dmDragDrop runs DragDrop.
  void CMDrag(TMessage& Message);

  void DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift);
  void DoMouseUp(TMessage& Message, TMouseButton Button);
  virtual void FontChanged();
  void SendCancelMode(TControl* Sender);
  // Sets the bounds fields from the window without moving it.
  void UpdateBoundsFields(int ALeft, int ATop, int AWidth, int AHeight);
  void RequestAlign();
  // Remembers the distances the anchors keep.
  void UpdateAnchorRules();
  virtual void VisibleChanging() {}

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  TControlState FControlState = 0;
  AnsiString FText;
  TColor FColor = clWindow;
  TFont* FFont;
  TCursor FCursor = crDefault;
  bool FVisible = true;
  bool FEnabled = true;
  bool FParentFont = true;
  bool FParentColor = true;
  bool FParentShowHint = true;
  bool FShowHint = false;
  bool FParentBiDiMode = true;
  TBiDiMode FBiDiMode = bdLeftToRight;
  AnsiString FHint;
  TPopupMenu* FPopupMenu = nullptr;
  TAlign FAlign = alNone;
  TAnchors FAnchors = akDefault;
  // Distances of the anchor rules: left/top and right/bottom margins to the
  // parent's client area when last placed.
  TRect FAnchorRules{};
  bool FAnchorRulesSet = false;
  bool FMouseInControl = false;
  int FWheelAccumulator = 0;
  TDragMode FDragMode = dmManual;
  TCursor FDragCursor = crDrag;
  TDragKind FDragKind = dkDrag;

private:
  void FontChangedHandler(TObject* Sender);
  TWndMethod FWindowProc;
  bool FSettingParentFont = false;

  friend class TWinControl;
  friend class TCustomForm;
  friend class TApplication;
  friend class TControlCanvas;
};

// ---- TWinControl ---------------------------------------------------------------------
class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // The window: made on first use and recreated after a destruction.
  HWND GetHandle();
  HWND Handle() { return GetHandle(); }
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  virtual void CreateHandle();
  virtual void DestroyHandle();
  void RecreateWnd();
  // The window of a form's non-windowed parent chain (the form's own handle).
  HWND GetParentWindow() const { return FParentWindow; }
  void SetParentWindow(HWND Value);

  // Children.
  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int Index) const { return FControls.at(static_cast<std::size_t>(Index)); }
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(TControl* Control) const;
  TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls = false);
  // Sends Message to every child until one answers (Result != 0).
  void Broadcast(TMessage& Message);
  void Realign();
  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();
  // Children in tab order (their own tab order), with the children of
  // containers that are not tab stops themselves flattened in.
  void GetTabOrderList(std::vector<TWinControl*>& List);
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

  // Focus.
  bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();
  bool GetTabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  int GetTabOrder() const;
  void SetTabOrder(int Value);
  bool GetCtl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  bool GetParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool Value);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

  // Bevels: drawn only while BevelKind is not bkNone; each cut present
  // takes BevelWidth pixels of every edge in BevelEdges.
  TBevelEdges GetBevelEdges() const { return FBevelEdges; }
  void SetBevelEdges(TBevelEdges Value);
  TBevelCut GetBevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  TBevelCut GetBevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  TBevelKind GetBevelKind() const { return FBevelKind; }
  void SetBevelKind(TBevelKind Value);
  TBevelWidth GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(TBevelWidth Value);
  // The background brush: its colour follows Color; a clear brush makes
  // the control's window (edit, list, rich edit) paint no background.
  TBrush* GetBrush();
  TBrush* Brush() { return GetBrush(); }
  // Paints through an off-screen bitmap, so a paint never shows half done.
  bool GetDoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }

  TRect GetClientRect() override;
  TPoint ClientOrigin() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetParent(TWinControl* AParent) override;
  void Invalidate() override;
  void Update() override;
  void Repaint() override;
  // Paints the control and its children into DC with its top left corner
  // at (X, Y).
  void PaintTo(HDC DC, int X, int Y);
  void PaintTo(TCanvas* Canvas, int X, int Y) { PaintTo(Canvas->GetHandle(), X, Y); }
  // The kernel window under this control's object, or nullptr.
  static TWinControl* FindControl(HWND Handle);

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  // Hands the message to the window's own procedure (DefWindowProcA for our
  // classes, the saved procedure of a subclassed class).
  virtual void DefWndProc(TMessage& Message);

  // Events.
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

  virtual void KeyDown(WORD& Key, TShiftState Shift);
  virtual void KeyPress(char16_t& Key);
  virtual void KeyUp(WORD& Key, TShiftState Shift);
  virtual void DoEnter();
  virtual void DoExit();
  void ParentWindowCreated() override;

protected:
  virtual void CreateParams(TCreateParams& Params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void DestroyWindowHandle();
  // Makes the window of another module's class, keeping its procedure.
  void CreateSubClass(TCreateParams& Params, const AnsiString& ControlClassName);
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  virtual void PaintWindow(HDC DC);
  void PaintControls(HDC DC, TControl* First);
  void PaintHandler(TMessage& Message);
  void UpdateShowing();
  // True when the key was handled by the form's key preview or KeyDown.
  bool DoKeyDown(TMessage& Message);
  bool DoKeyPress(TMessage& Message);
  bool DoKeyUp(TMessage& Message);

  void WMPaint(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMKeyDown(TMessage& Message);
  void WMSysKeyDown(TMessage& Message);
  void WMKeyUp(TMessage& Message);
  void WMSysKeyUp(TMessage& Message);
  void WMChar(TMessage& Message);
  void WMCommand(TMessage& Message);
  void WMNotify(TMessage& Message);
  void WMScroll(TMessage& Message);
  void WMCtlColor(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void WMNCDestroy(TMessage& Message);
  void WMSetText(TMessage& Message);
  void WMGetText(TMessage& Message);
  void CNKeyDown(TMessage& Message);
  void CNChar(TMessage& Message);
  void CMEnter(TMessage& Message);
  void CMExit(TMessage& Message);
  void CMChildKey(TMessage& Message);
  void CMDialogKey(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMColorChangedWin(TMessage& Message);
  void CMFontChangedWin(TMessage& Message);
  void CMShowHintChanged(TMessage& Message);
  void CMCtl3DChanged(TMessage& Message);
  void CMParentCtl3DChanged(TMessage& Message);
  void CMEnabledChangedWin(TMessage& Message);
  void CMShowingChanged(TMessage& Message);
  void CMBorderChanged(TMessage& Message);
  void CNCtlColor(TMessage& Message);
  // An owner-drawn child's WM_DRAWITEM / WM_MEASUREITEM goes back to it as
  // CN_DRAWITEM / CN_MEASUREITEM.
  void WMOwnerDraw(TMessage& Message);
  void WMNCCalcSize(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  // Pixels the bevels take from each edge (zero without a bevel kind).
  TRect BevelInsets() const;

  HWND FHandle = nullptr;
  HWND FParentWindow = nullptr;
  TWindowProc FDefWndProc;
  std::vector<TControl*> FControls;     // graphic and windowed children, z-order
  std::vector<TWinControl*> FTabList;  // windowed children in tab order
  bool FTabStop = false;
  bool FCtl3D = true;
  bool FParentCtl3D = true;
  TBorderStyle FBorderStyle = bsNone;
  TBevelEdges FBevelEdges = beAllEdges;
  TBevelCut FBevelInner = bvRaised;
  TBevelCut FBevelOuter = bvLowered;
  TBevelKind FBevelKind = bkNone;
  TBevelWidth FBevelWidth = 1;
  bool FDoubleBuffered = false;
  TBrush* FBrush = nullptr;  // made on first use
  int FAlignLevel = 0;
  bool FShowing = false;

private:
  LRESULT MainWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  void CreateChildHandles();

  friend class TControl;
  friend class TCustomForm;
  friend class TApplication;
};

// ---- TCustomControl and TGraphicControl ----------------------------------------------------
class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* GetCanvas() const { return FCanvas; }
  TCanvas* Canvas() const { return FCanvas; }
  void Dispatch(TMessage& Message) override;

protected:
  virtual void Paint() {}
  void PaintWindow(HDC DC) override;
  void WMPaintCustom(TMessage& Message);

private:
  TControlCanvas* FCanvas;
};

class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* GetCanvas() const { return FCanvas; }
  TCanvas* Canvas() const { return FCanvas; }
  void Dispatch(TMessage& Message) override;

protected:
  virtual void Paint() {}
  void WMPaintGraphic(TMessage& Message);

private:
  TControlCanvas* FCanvas;
};

// The form that holds the control (nullptr: none).
TCustomForm* GetParentForm(TControl* Control);

// Copies what the control's window currently shows (its part of the
// top-level window's composed picture) into Bitmap.
void SnapshotControl(TWinControl* Control, TBitmap* Bitmap);

// The exception of the current catch block goes to the application's
// exception handler; used by every guarded dispatch of the framework.
void HandleFrameworkException(TObject* Sender);
