// HTML files: the table between an optional header file and footer file,
// written whole through a temporary file so a failed export keeps the old
// file; appending gathers the old text first.
#include "grid/exchange/textfile.h"
#include "grid/gridoptions.h"
#include "grid/viduzozezuvodu.h"
#include "platform/forms/forms.h"
#include "platform/shell/shellapi.h"
#include "platform/rtl/sysutils.h"
#include "platform/windows/winuser.h"

namespace {

// A header or footer file line by line; one that cannot be read is left out.
void CopyLines(std::string& Out, const AnsiString& FileName) {
  if (FileName.empty()) return;
  std::string Text;
  try {
    Text = ReadWholeFile(FileName);
  } catch (const Exception&) {
    return;
  }
  TLineWalker Lines(Text);
  std::string_view Line;
  while (Lines.Next(Line)) {
    Out += Line;
    Out += "\r\n";
  }
}

void OpenInShell(HWND Parent, const AnsiString& FileName) {
  // The page is written; a missing viewer is no error of the export.
  ShellExecuteA(Parent, "open", FileName.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

void VIduZozezuVodu::OutputToHTML(const AnsiString& FileName, bool Append) {
  std::string Out;
  if (Append && FileExists(FileName)) {
    try {
      Out = ReadWholeFile(FileName);
    } catch (const Exception&) {
      throw EDidAvovError("Cannot Create file " + FileName);
    }
  }
  TFileReplacer File(FileName, "Cannot Create file ");
  CopyLines(Out, FHTMLSettings->HeaderFile);
  const AnsiString Folder = StringReplace(ExtractFilePath(FileName), "\\", "/", rfReplaceAll);
  Out += SaveToHTMLString(Folder);
  Out += "\r\n";
  CopyLines(Out, FHTMLSettings->FooterFile);
  File.Commit(Out);
  if (FHTMLSettings->AutoPreview) OpenInShell(nullptr, FileName);
}

void VIduZozezuVodu::SaveToHTML(const AnsiString& FileName, bool Preview) {
  OutputToHTML(FileName, false);
  if (Preview) OpenInShell(Application ? Application->GetHandle() : nullptr, FileName);
}

void VIduZozezuVodu::AppendToHTML(const AnsiString& FileName) { OutputToHTML(FileName, true); }
