// Input-method commits (winime.h). Each commit is posted with its own
// number in wParam; the loop makes the committed text current for the
// window when it takes that message, so commits queued behind each other
// each read their own text.
#include <cstring>
#include <map>

#include "platform/windows/winime.h"
#include "platform/windows/winkernel_internal.h"

namespace {

struct TImeState {
  std::map<WPARAM, std::u16string> Pending;  // by commit number
  std::map<HWND, std::u16string> Result;     // the current result per window
  WPARAM Next = 1;
};

TImeState& State() {
  static thread_local TImeState s;
  return s;
}

}  // namespace

namespace wk {

void ImeSelectResult(const MSG& m) {
  if (m.message != WM_IME_COMPOSITION || !(static_cast<DWORD>(m.lParam) & GCS_RESULTSTR)) return;
  TImeState& s = State();
  auto it = s.Pending.find(m.wParam);
  if (it == s.Pending.end()) return;
  s.Result[m.hwnd] = std::move(it->second);
  s.Pending.erase(it);
}

void ResetIme() { State() = TImeState{}; }

}  // namespace wk

HIMC ImmGetContext(HWND hWnd) { return IsWindow(hWnd) ? static_cast<HIMC>(hWnd) : nullptr; }

BOOL ImmReleaseContext(HWND, HIMC hIMC) { return hIMC ? TRUE : FALSE; }

LONG ImmGetCompositionStringW(HIMC hIMC, DWORD dwIndex, void* lpBuf, DWORD dwBufLen) {
  if (!hIMC || dwIndex != GCS_RESULTSTR) return IMM_ERROR_NODATA;
  TImeState& s = State();
  auto it = s.Result.find(static_cast<HWND>(hIMC));
  if (it == s.Result.end()) return IMM_ERROR_NODATA;
  DWORD bytes = static_cast<DWORD>(it->second.size() * sizeof(char16_t));
  if (!lpBuf || dwBufLen == 0) return static_cast<LONG>(bytes);
  DWORD n = std::min(bytes, dwBufLen) & ~DWORD{1};
  std::memcpy(lpBuf, it->second.data(), n);
  return static_cast<LONG>(n);
}

void InjectImeCommit(const std::u16string& Text) {
  HWND focus = GetFocus();
  if (!focus || Text.empty()) return;
  TImeState& s = State();
  WPARAM id = s.Next++;
  s.Pending[id] = Text;
  PostMessageA(focus, WM_IME_COMPOSITION, id, static_cast<LPARAM>(GCS_RESULTSTR));
}
