// Qt's own modal message boxes and file dialogs behind the kernel's hooks,
// for a program on a display (tests keep their scripted hooks).
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "platform/forms/qthost.h"

namespace {

struct TButtonSpec {
  QMessageBox::StandardButton Qt;
  int Id;
};

std::vector<TButtonSpec> ButtonsOf(UINT type) {
  using B = QMessageBox;
  switch (type & MB_TYPEMASK) {
    case 1: return {{B::Ok, IDOK}, {B::Cancel, IDCANCEL}};
    case 2: return {{B::Abort, IDABORT}, {B::Retry, IDRETRY}, {B::Ignore, IDIGNORE}};
    case 3: return {{B::Yes, IDYES}, {B::No, IDNO}, {B::Cancel, IDCANCEL}};
    case 4: return {{B::Yes, IDYES}, {B::No, IDNO}};
    case 5: return {{B::Retry, IDRETRY}, {B::Cancel, IDCANCEL}};
    default: return {{B::Ok, IDOK}};
  }
}

QMessageBox::Icon IconOf(UINT type) {
  switch (type & 0xF0) {
    case MB_ICONHAND: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONASTERISK: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

QString Q(const AnsiString& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
AnsiString A(const QString& s) { return s.toUtf8().toStdString(); }

}  // namespace

int QtHostMessageBox(HWND, const AnsiString& Text, const AnsiString& Caption, UINT Type) {
  QMessageBox box(IconOf(Type), Q(Caption.empty() ? AnsiString("Error") : Caption), Q(Text));
  const std::vector<TButtonSpec> buttons = ButtonsOf(Type);
  const int def = DefaultMessageBoxButton(Type);
  for (const TButtonSpec& b : buttons) {
    box.addButton(b.Qt);
    if (b.Id == def) box.setDefaultButton(b.Qt);
  }
  // Closing the box answers as Esc does: Cancel where there is one, else
  // the only or default button.
  box.exec();
  auto clicked = box.standardButton(box.clickedButton());
  for (const TButtonSpec& b : buttons)
    if (b.Qt == clicked) return b.Id;
  for (const TButtonSpec& b : buttons)
    if (b.Id == IDCANCEL) return IDCANCEL;
  return def;
}

std::vector<AnsiString> QtHostNameFilters(const AnsiString& Filter) {
  // "Text|*.txt;*.log|All|*.*" -> "Text (*.txt *.log)", "All (*.*)".
  std::vector<AnsiString> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t bar = Filter.find('|', start);
    parts.push_back(Filter.substr(start, bar == AnsiString::npos ? AnsiString::npos : bar - start));
    if (bar == AnsiString::npos) break;
    start = bar + 1;
  }
  std::vector<AnsiString> out;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    AnsiString patterns = parts[i + 1];
    for (char& c : patterns)
      if (c == ';') c = ' ';
    out.push_back(parts[i] + " (" + patterns + ")");
  }
  return out;
}

bool QtHostFileDialog(TFileDialogRequest& R) {
  QFileDialog dlg(nullptr, Q(R.Title));
  dlg.setAcceptMode(R.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dlg.setFileMode(R.Save ? QFileDialog::AnyFile : R.MultiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  QStringList filters;
  for (const AnsiString& f : QtHostNameFilters(R.Filter)) filters << Q(f);
  if (!filters.isEmpty()) {
    dlg.setNameFilters(filters);
    if (R.FilterIndex >= 1 && R.FilterIndex <= filters.size()) dlg.selectNameFilter(filters[R.FilterIndex - 1]);
  }
  if (!R.InitialDir.empty()) dlg.setDirectory(Q(R.InitialDir));
  if (!R.FileName.empty()) dlg.selectFile(Q(R.FileName));
  if (!R.DefaultExt.empty()) dlg.setDefaultSuffix(Q(R.DefaultExt));
  if (dlg.exec() != QDialog::Accepted) return false;
  for (const QString& f : dlg.selectedFiles()) R.Files.push_back(A(f));
  if (int i = static_cast<int>(filters.indexOf(dlg.selectedNameFilter())); i >= 0) R.FilterIndex = i + 1;
  return !R.Files.empty();
}
