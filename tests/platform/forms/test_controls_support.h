// A fixture for the control and form tests: controls that log the messages
// a test watches as readable lines ("edit1 WM_KILLFOCUS edit2"), on a form
// that each test builds fresh on a reset kernel with the test clock.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "platform/windows/winkernel_testing.h"

using Lines = std::vector<std::string>;

inline std::string MsgName(UINT m) {
  static const std::map<UINT, const char*> names = {
      {WM_SETFOCUS, "WM_SETFOCUS"}, {WM_KILLFOCUS, "WM_KILLFOCUS"}, {WM_KEYDOWN, "WM_KEYDOWN"},
      {WM_KEYUP, "WM_KEYUP"},       {WM_CHAR, "WM_CHAR"},           {WM_PAINT, "WM_PAINT"},
      {CM_ENTER, "CM_ENTER"},       {CM_EXIT, "CM_EXIT"},           {CM_DIALOGKEY, "CM_DIALOGKEY"},
      {CN_KEYDOWN, "CN_KEYDOWN"},   {CN_COMMAND, "CN_COMMAND"},     {CN_NOTIFY, "CN_NOTIFY"},
      {WM_COMMAND, "WM_COMMAND"},   {CM_HINTSHOW, "CM_HINTSHOW"},   {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
      {WM_LBUTTONUP, "WM_LBUTTONUP"}, {CM_MOUSEENTER, "CM_MOUSEENTER"}, {CM_MOUSELEAVE, "CM_MOUSELEAVE"},
  };
  auto it = names.find(m);
  return it == names.end() ? "0x" + std::to_string(m) : it->second;
}

struct TMessageLog {
  Lines Log;
  std::set<UINT> Watched;
};

// A custom control that logs watched messages as they reach WndProc; Hook
// runs first and may end a message (true).
class TLogControl : public TCustomControl {
public:
  TLogControl(TComponent* Owner, TWinControl* AParent, const char* AName, TMessageLog* ALog, TRect Bounds)
      : TCustomControl(Owner), Log(ALog) {
    SetName(AName);
    SetTabStop(true);
    SetBoundsRect(Bounds);
    SetParent(AParent);
  }
  void WndProc(TMessage& M) override {
    if (Log && Log->Watched.count(M.Msg)) Log->Log.push_back(GetName() + " " + MsgName(M.Msg) + Arg(M));
    if (Hook && Hook(M)) return;
    if (M.Msg == WM_GETDLGCODE) {
      M.Result = DlgCode;
      return;
    }
    TCustomControl::WndProc(M);
  }
  void Paint() override {
    ++Paints;
    Canvas()->GetBrush()->SetColor(PaintColor);
    Canvas()->FillRect(GetClientRect());
  }
  TMessageLog* Log;
  std::function<bool(TMessage&)> Hook;
  LRESULT DlgCode = 0;
  int Paints = 0;
  TColor PaintColor = clWhite;

private:
  static std::string Arg(const TMessage& M) {
    if (M.Msg == WM_SETFOCUS || M.Msg == WM_KILLFOCUS) {
      TWinControl* c = TWinControl::FindControl(reinterpret_cast<HWND>(M.WParam));
      return std::string(" ") + (c ? c->GetName() : (M.WParam ? "?" : "null"));
    }
    if (M.Msg == WM_KEYDOWN || M.Msg == WM_CHAR || M.Msg == WM_KEYUP || M.Msg == CM_DIALOGKEY) return " " + std::to_string(M.WParam);
    return "";
  }
};

class FrameworkTest : public ::testing::Test {
protected:
  void SetUp() override {
    TestResetKernel();
    UseTestClock();
    Application->OnException = nullptr;
    Application->InstallKernelHooks();
    Form = new TForm(nullptr);
    Form->SetName("form");
    Form->SetFormBorderStyle(bsNone);
    Form->SetBounds(100, 100, 400, 300);
  }
  void TearDown() override {
    delete Form;
    Form = nullptr;
    TestResetKernel();
  }
  TLogControl* Add(const char* Name, TRect Bounds, TWinControl* Parent = nullptr) {
    return new TLogControl(Form, Parent ? Parent : Form, Name, &Log, Bounds);
  }
  void Watch(std::set<UINT> Msgs) {
    Log.Watched = std::move(Msgs);
    Log.Log.clear();
  }
  void ShowForm() {
    Form->Show();
    PumpUntilIdle();
  }
  TForm* Form = nullptr;
  TMessageLog Log;
};
