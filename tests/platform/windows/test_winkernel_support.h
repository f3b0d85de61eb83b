// A fixture for window kernel tests: windows whose procedures log the
// messages a test watches, as readable lines ("edit WM_KILLFOCUS grid").
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/windows/winkernel_testing.h"

inline const char* MessageName(UINT m) {
  static const std::map<UINT, const char*> names = {
      {WM_CREATE, "WM_CREATE"},         {WM_DESTROY, "WM_DESTROY"},
      {WM_NCDESTROY, "WM_NCDESTROY"},   {WM_SIZE, "WM_SIZE"},
      {WM_MOVE, "WM_MOVE"},             {WM_ACTIVATE, "WM_ACTIVATE"},
      {WM_NCACTIVATE, "WM_NCACTIVATE"}, {WM_SETFOCUS, "WM_SETFOCUS"},
      {WM_KILLFOCUS, "WM_KILLFOCUS"},   {WM_CANCELMODE, "WM_CANCELMODE"},
      {WM_PAINT, "WM_PAINT"},           {WM_ERASEBKGND, "WM_ERASEBKGND"},
      {WM_NCPAINT, "WM_NCPAINT"},       {WM_SETCURSOR, "WM_SETCURSOR"},
      {WM_KEYDOWN, "WM_KEYDOWN"},       {WM_KEYUP, "WM_KEYUP"},
      {WM_CHAR, "WM_CHAR"},             {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
      {WM_SYSKEYUP, "WM_SYSKEYUP"},     {WM_SYSCHAR, "WM_SYSCHAR"},
      {WM_MOUSEMOVE, "WM_MOUSEMOVE"},   {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
      {WM_LBUTTONUP, "WM_LBUTTONUP"},   {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
      {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"}, {WM_RBUTTONUP, "WM_RBUTTONUP"},
      {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"}, {WM_TIMER, "WM_TIMER"},
      {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"}, {WM_HSCROLL, "WM_HSCROLL"},
      {WM_VSCROLL, "WM_VSCROLL"},       {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"},
      {WM_SHOWWINDOW, "WM_SHOWWINDOW"}, {WM_ENABLE, "WM_ENABLE"},
      {WM_USER, "WM_USER"},             {WM_CONTEXTMENU, "WM_CONTEXTMENU"},
      {WM_MOUSELEAVE, "WM_MOUSELEAVE"},
  };
  auto it = names.find(m);
  return it == names.end() ? "WM_?" : it->second;
}

class KernelTest : public ::testing::Test {
protected:
  using THandler = std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)>;

  void SetUp() override {
    TestResetKernel();
    UseTestClock();
    static bool registered = false;
    if (!registered) {
      registered = true;
      TWindowClass plain;
      plain.Name = "KernelTestPlain";
      RegisterWindowClass(plain);
      TWindowClass dbl;
      dbl.Name = "KernelTestDbl";
      dbl.Style = CS_DBLCLKS;
      RegisterWindowClass(dbl);
    }
  }
  void TearDown() override {
    Handlers.clear();  // they may refer to the test body's locals
    TestResetKernel();
    UseSystemClock();
  }

  // A window named for the log; its procedure logs the watched messages and
  // runs the test's handler for it, if any, else the default procedure.
  HWND Make(const std::string& name, HWND parent, RECT r, DWORD style, DWORD exStyle = 0,
            const char* cls = "KernelTestPlain") {
    TWindowCreateParams p;
    p.ClassName = cls;
    p.Style = style;
    p.ExStyle = exStyle;
    p.Parent = parent;
    p.X = r.left;
    p.Y = r.top;
    p.Width = r.right - r.left;
    p.Height = r.bottom - r.top;
    p.WndProc = [this, name](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
      if (Watched.count(m)) Log.push_back(name + " " + MessageName(m) + Arg(m, w));
      if (auto it = Handlers.find(h); it != Handlers.end())
        if (auto r = it->second(m, w, l)) return *r;
      return DefWindowProcA(h, m, w, l);
    };
    HWND h = CreateWindowFromParams(p);
    Names[h] = name;
    return h;
  }
  HWND Top(const std::string& name, RECT r, DWORD style = WS_POPUP | WS_VISIBLE, DWORD ex = 0,
           const char* cls = "KernelTestPlain") {
    return Make(name, nullptr, r, style, ex, cls);
  }
  HWND Child(const std::string& name, HWND parent, RECT r, DWORD style = WS_CHILD | WS_VISIBLE, DWORD ex = 0,
             const char* cls = "KernelTestPlain") {
    return Make(name, parent, r, style, ex, cls);
  }

  void Watch(std::initializer_list<UINT> msgs) {
    Watched.insert(msgs);
    Log.clear();
  }
  std::string NameOf(HWND h) const {
    if (!h) return "0";
    auto it = Names.find(h);
    return it == Names.end() ? "?" : it->second;
  }
  // Focus, activation and capture messages name the other window.
  std::string Arg(UINT m, WPARAM w) const {
    switch (m) {
      case WM_SETFOCUS:
      case WM_KILLFOCUS:
        return " " + NameOf(reinterpret_cast<HWND>(w));
      case WM_ACTIVATE:
      case WM_NCACTIVATE:
        return " " + std::to_string(LOWORD(w));
      case WM_CHAR:
      case WM_SYSCHAR:
      case WM_KEYDOWN:
      case WM_KEYUP:
      case WM_SYSKEYDOWN:
      case WM_SYSKEYUP:
      case WM_TIMER:
        return " " + std::to_string(w);
      case WM_HSCROLL:
      case WM_VSCROLL:
        return " " + std::to_string(LOWORD(w)) + "," + std::to_string(HIWORD(w));
    }
    return "";
  }

  std::vector<std::string> Log;
  std::set<UINT> Watched;
  std::map<HWND, THandler> Handlers;
  std::map<HWND, std::string> Names;
};

using Lines = std::vector<std::string>;
