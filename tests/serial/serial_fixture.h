// Helpers shared by the serial component's tests: a log that records its
// lines, a listener that records codes, and a wait that serves the calls
// the event threads hand to the main thread.
#pragma once

#include <chrono>
#include <functional>
#include <vector>

#include "platform/rtl/syncobjs.h"
#include "platform/rtl/threads.h"
#include "serial/srcomm.h"

class TRecordingLog : public TsrCustomLogFile {
public:
  TRecordingLog() : TsrCustomLogFile(nullptr) {}
  void Save() override {}
  void Clear() override { Lines.clear(); }
  void Add(const AnsiString& Text) override { Lines.push_back(Text); }
  void AddSysInfo() override { Lines.push_back("<sysinfo>"); }
  void AddLog(TDetailLevel Level, const AnsiString& Text) override {
    Levels.push_back(Level);
    Lines.push_back(Text);
  }
  void AddFmt(const AnsiString& Fmt, const TVarRec* Args, std::size_t Count) override {
    Lines.push_back(Format(Fmt, Args, Count));
  }
  void AddLogFmt(TDetailLevel Level, const AnsiString& Fmt, const TVarRec* Args, std::size_t Count) override {
    AddLog(Level, Format(Fmt, Args, Count));
  }
  bool Has(const AnsiString& Line) const {
    for (const auto& l : Lines)
      if (l == Line) return true;
    return false;
  }
  bool HasPrefix(const AnsiString& Start) const {
    for (const auto& l : Lines)
      if (l.rfind(Start, 0) == 0) return true;
    return false;
  }
  std::vector<AnsiString> Lines;
  std::vector<TDetailLevel> Levels;
};

// Records the notification codes a device sends.
class TListener : public TObject {
public:
  void Notify(TObject* /*Sender*/, Integer Code) {
    Codes.push_back(Code);
    Threads.push_back(GetCurrentThreadId());
  }
  TsrNotifyEvent Event() { return srNotifyMethod(this, &TListener::Notify); }
  std::vector<Integer> Codes;
  std::vector<DWORD> Threads;
};

// Serves synchronised calls until Done holds; false on time-out.
inline bool PumpUntil(const std::function<bool()>& Done, std::chrono::milliseconds Timeout = std::chrono::seconds(5)) {
  const auto end = std::chrono::steady_clock::now() + Timeout;
  while (!Done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    CheckSynchronize(1);
  }
  return true;
}
