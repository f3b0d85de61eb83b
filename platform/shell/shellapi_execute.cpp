#include <QDesktopServices>
#include <QUrl>
#include <mutex>

#include "platform/rtl/sysutils.h"
#include "platform/shell/shellapi.h"

namespace {

std::mutex HookLock;
TShellExecuteHook Hook;

HINSTANCE Answer(std::intptr_t Code) { return reinterpret_cast<HINSTANCE>(Code); }

}  // namespace

void SetShellExecuteHook(TShellExecuteHook NewHook) {
  std::lock_guard<std::mutex> Guard(HookLock);
  Hook = std::move(NewHook);
}

HINSTANCE ShellExecuteA(HWND Wnd, LPCSTR Operation, LPCSTR File, LPCSTR, LPCSTR, int ShowCmd) {
  const std::string Op = Operation ? Operation : "";
  const std::string Name = File ? File : "";
  {
    std::lock_guard<std::mutex> Guard(HookLock);
    if (Hook) return Hook(Wnd, Op, Name, ShowCmd);
  }
  if (Name.empty()) return Answer(ERROR_FILE_NOT_FOUND);
  if (!Op.empty() && !SameText(Op, "open")) return Answer(SE_ERR_ACCESSDENIED);
  const QString Text = QString::fromUtf8(Name.data(), static_cast<qsizetype>(Name.size()));
  QUrl Url(Text, QUrl::StrictMode);
  // A bare path or a drive-letter-like scheme is a local file.
  if (!Url.isValid() || Url.scheme().size() < 2) Url = QUrl::fromLocalFile(Text);
  return Answer(QDesktopServices::openUrl(Url) ? 42 : SE_ERR_NOASSOC);
}
