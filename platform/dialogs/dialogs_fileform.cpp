// The file dialog of our own: a modal form with the folder's entries that
// match the chosen filter, a file name edit, and OK / Cancel. Used when no
// host or test answers file dialogs.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/dialogs/dialogs.h"
#include "platform/graphics/gdi.h"
#include "platform/stdctrls/stdctrls.h"
#include "platform/stdctrls/stdctrls_lists.h"

namespace {

namespace fs = std::filesystem;

// "*" and "?" wildcards, letters compared without case (ASCII).
bool WildMatch(const char* P, const char* S) {
  if (!*P) return !*S;
  if (*P == '*') return WildMatch(P + 1, S) || (*S && WildMatch(P, S + 1));
  if (!*S) return false;
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return (*P == '?' || lower(*P) == lower(*S)) && WildMatch(P + 1, S + 1);
}

// The patterns of filter FilterIndex (1-based) of "Text|*.a;*.b|...".
std::vector<AnsiString> FilterPatterns(const AnsiString& Filter, int FilterIndex) {
  std::vector<AnsiString> parts;
  std::size_t start = 0;
  while (start <= Filter.size()) {
    std::size_t bar = Filter.find('|', start);
    parts.push_back(Filter.substr(start, bar == AnsiString::npos ? AnsiString::npos : bar - start));
    if (bar == AnsiString::npos) break;
    start = bar + 1;
  }
  std::size_t at = static_cast<std::size_t>(std::max(1, FilterIndex) - 1) * 2 + 1;
  AnsiString list = at < parts.size() ? parts[at] : AnsiString("*");
  std::vector<AnsiString> patterns;
  start = 0;
  while (start <= list.size()) {
    std::size_t semi = list.find(';', start);
    AnsiString p = list.substr(start, semi == AnsiString::npos ? AnsiString::npos : semi - start);
    if (!p.empty()) patterns.push_back(p == "*.*" ? AnsiString("*") : p);
    if (semi == AnsiString::npos) break;
    start = semi + 1;
  }
  if (patterns.empty()) patterns.push_back("*");
  return patterns;
}

class TFileForm : public TForm {
public:
  explicit TFileForm(TFileDialogRequest& ARequest) : TForm(nullptr), FRequest(ARequest) {
    SetFormBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetColor(clBtnFace);
    SetCaption(!ARequest.Title.empty() ? ARequest.Title : AnsiString(ARequest.Save ? "Сохранить как" : "Открыть"));
    SetClientWidth(420);
    SetClientHeight(300);
    FPatterns = FilterPatterns(ARequest.Filter, ARequest.FilterIndex);
    std::error_code ec;
    fs::path start = ARequest.InitialDir.empty() ? fs::current_path(ec) : fs::path(ARequest.InitialDir);
    fs::path name = ARequest.FileName;
    if (name.has_parent_path() && fs::is_directory(name.parent_path(), ec)) start = name.parent_path();
    FDir = start;

    FList = new TListBox(this);
    FList->SetBounds(8, 8, 404, 220);
    FList->SetParent(this);
    FList->OnClick = [this](TObject*) { ListClicked(false); };
    FList->OnDblClick = [this](TObject*) { ListClicked(true); };
    FName = new TEdit(this);
    FName->SetBounds(8, 236, 404, 22);
    FName->SetParent(this);
    FName->SetText(name.filename().string());
    auto* ok = new TButton(this);
    ok->SetCaption(ARequest.Save ? "Сохранить" : "Открыть");
    ok->SetBounds(256, 268, 75, 25);
    ok->SetDefault(true);
    ok->SetParent(this);
    ok->OnClick = [this](TObject*) { Accept(); };
    auto* cancel = new TButton(this);
    cancel->SetCaption("Отмена");
    cancel->SetBounds(337, 268, 75, 25);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    cancel->SetParent(this);
    SetActiveControl(FName);
    Fill();
  }
  TListBox* List() const { return FList; }

private:
  void Fill() {
    std::vector<AnsiString> dirs, files;
    std::error_code ec;
    for (fs::directory_iterator it(FDir, ec), end; !ec && it != end; it.increment(ec)) {
      AnsiString n = it->path().filename().string();
      if (it->is_directory(ec))
        dirs.push_back("[" + n + "]");
      else if (std::any_of(FPatterns.begin(), FPatterns.end(),
                           [&](const AnsiString& p) { return WildMatch(p.c_str(), n.c_str()); }))
        files.push_back(n);
    }
    std::sort(dirs.begin(), dirs.end());
    std::sort(files.begin(), files.end());
    FList->Items()->Clear();
    if (FDir.has_parent_path() && FDir != FDir.root_path()) FList->Items()->Add("[..]");
    for (const auto& d : dirs) FList->Items()->Add(d);
    for (const auto& f : files) FList->Items()->Add(f);
  }
  void Enter(const fs::path& Dir) {
    std::error_code ec;
    fs::path canonical = fs::weakly_canonical(Dir, ec);
    FDir = ec ? Dir : canonical;
    Fill();
  }
  void ListClicked(bool Double) {
    int i = FList->GetItemIndex();
    if (i < 0) return;
    AnsiString s = FList->Items()->Strings(i);
    bool dir = s.size() > 2 && s.front() == '[' && s.back() == ']';
    if (!dir) {
      FName->SetText(s);
      if (Double) Accept();
    } else if (Double) {
      Enter(s == "[..]" ? FDir.parent_path() : FDir / s.substr(1, s.size() - 2));
    }
  }
  void Accept() {
    AnsiString text = FName->GetText();
    if (text.empty()) return;
    fs::path p = fs::path(text).is_absolute() ? fs::path(text) : FDir / text;
    std::error_code ec;
    if (fs::is_directory(p, ec)) {
      // A folder name typed opens that folder.
      Enter(p);
      FName->SetText("");
      return;
    }
    FRequest.Files = {p.string()};
    SetModalResult(mrOk);
  }

  TFileDialogRequest& FRequest;
  std::vector<AnsiString> FPatterns;
  fs::path FDir;
  TListBox* FList;
  TEdit* FName;
};

bool FormFileDialog(TFileDialogRequest& Request) {
  TFileForm form(Request);
  return form.ShowModal() == mrOk && !Request.Files.empty();
}

}  // namespace

void UseFormFileDialogs() { SetFileDialogHook(FormFileDialog); }
