#include "serial/srterminal.h"

#include <utility>

namespace {
TsrTerminalEditAccess& EditAccess() {
  static TsrTerminalEditAccess access;
  return access;
}

HWND EditHandle(TCustomEdit* Edit) {
  return Edit && EditAccess().Handle ? EditAccess().Handle(Edit) : nullptr;
}

// Clears the writing flag however the writing ends.
struct TWritingGuard {
  bool& Flag;
  explicit TWritingGuard(bool& F) : Flag(F) { Flag = true; }
  ~TWritingGuard() { Flag = false; }
};
}  // namespace

void SetTerminalEditAccess(TsrTerminalEditAccess Access) { EditAccess() = std::move(Access); }

void TsrBaseIO::SetTerminal(TCustomEdit* Value) {
  if (FTerminal && FTerminalOldProc) {
    HWND old = EditHandle(FTerminal);
    if (old && IsWindow(old)) SetWindowProc(old, FTerminalOldProc);
  }
  FTerminalOldProc = nullptr;
  if (HWND wnd = EditHandle(Value)) {
    FTerminalOldProc = GetWindowProc(wnd);
    SetWindowProc(wnd, [this](HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
      return NewTerminalWndProc(Wnd, Msg, WParam, LParam);
    });
  }
  FTerminalWnd = nullptr;
  FTerminal = Value;
  if (Designing() && Value && FTerminalUsage == tuNone) FTerminalUsage = tuBoth;
  SetTerminalUsage(FTerminalUsage);
  if (Value && EditAccess().Component)
    if (TComponent* c = EditAccess().Component(Value)) c->FreeNotification(this);
}

void TsrBaseIO::SetTerminalUsage(TTerminalUsage Value) {
  FTerminalUsage = Value;
  if (FTerminal)
    FTerminalWnd = (Value == tuReceive || Value == tuBoth) ? EditHandle(FTerminal) : nullptr;
}

LRESULT TsrBaseIO::NewTerminalWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (!FTerminalWriting && Msg == WM_CHAR) {
    if (FTerminalUsage == tuSend || FTerminalUsage == tuBoth) SendChar(static_cast<char>(WParam & 0xFF));
    if (!FTerminalEcho) return 0;
  }
  if (FTerminalOldProc) return CallWindowProc(FTerminalOldProc, Wnd, Msg, WParam, LParam);
  return DefWindowProcA(Wnd, Msg, WParam, LParam);
}

void TsrBaseIO::UpdateTerminalByChars(void* Buffer, DWORD Count) {
  if (!FTerminalWnd || !Buffer || Count == 0) return;
  TWritingGuard writing(FTerminalWriting);
  const auto* bytes = static_cast<const Byte*>(Buffer);
  if (Count == 1) {
    // A single byte is typed into the edit; a lone zero, like every zero
    // byte, never reaches it.
    if (bytes[0] != 0) SendMessageA(FTerminalWnd, WM_CHAR, bytes[0], 1);
    return;
  }
  // Zero bytes split the data and never reach the edit. Each run is copied
  // into a terminated text of its own, so nothing is written into the
  // caller's buffer (which holds exactly Count bytes).
  DWORD start = 0;
  while (start < Count) {
    DWORD end = start;
    while (end < Count && bytes[end] != 0) ++end;
    if (end > start) {
      const AnsiString run(reinterpret_cast<const char*>(bytes + start), end - start);
      SendMessageA(FTerminalWnd, srEmReplaceSel, 0, reinterpret_cast<LPARAM>(run.c_str()));
    }
    start = end + 1;
  }
}
