#include "platform/settings/inifiles.h"

#include <charconv>
#include <mutex>
#include <vector>

#include "platform/rtl/classes.h"
#include "platform/settings/inifiles_support.h"

// ---- TCustomIniFile: typed access through the string readers and writers --

Integer TCustomIniFile::ReadInteger(const AnsiString& Section, const AnsiString& Ident,
                                    Integer Default) {
  return SettingsStrToIntDef(ReadString(Section, Ident, AnsiString()), Default);
}

void TCustomIniFile::WriteInteger(const AnsiString& Section, const AnsiString& Ident,
                                  Integer Value) {
  WriteString(Section, Ident, std::to_string(Value));
}

bool TCustomIniFile::ReadBool(const AnsiString& Section, const AnsiString& Ident, bool Default) {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const AnsiString& Section, const AnsiString& Ident, bool Value) {
  WriteString(Section, Ident, Value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(const AnsiString& Section, const AnsiString& Ident,
                                 double Default) {
  AnsiString s = SettingsTrim(ReadString(Section, Ident, AnsiString()));
  if (s.empty()) return Default;
  for (char& c : s)
    if (c == ',') c = '.';
  const char* first = s.data();
  if (*first == '+') ++first;
  double v = 0;
  auto [end, ec] = std::from_chars(first, s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size()) return Default;
  return v;
}

void TCustomIniFile::WriteFloat(const AnsiString& Section, const AnsiString& Ident, double Value) {
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, Value);
  WriteString(Section, Ident, AnsiString(buf, ec == std::errc() ? end : buf));
}

void TCustomIniFile::ReadSectionValues(const AnsiString& Section, TStrings* Strings) {
  if (!Strings) return;
  TStringList keys;
  ReadSection(Section, &keys);
  Strings->BeginUpdate();
  try {
    Strings->Clear();
    for (int i = 0; i < keys.GetCount(); ++i) {
      AnsiString key = keys.Get(i);
      Strings->Add(key + "=" + ReadString(Section, key, AnsiString()));
    }
  } catch (...) {
    Strings->EndUpdate();
    throw;
  }
  Strings->EndUpdate();
}

bool TCustomIniFile::SectionExists(const AnsiString& Section) {
  TStringList keys;
  ReadSection(Section, &keys);
  return keys.GetCount() > 0;
}

bool TCustomIniFile::ValueExists(const AnsiString& Section, const AnsiString& Ident) {
  TStringList keys;
  ReadSection(Section, &keys);
  return keys.IndexOf(Ident) >= 0;
}

// ---- TIniFile --------------------------------------------------------------

namespace {

// One process-wide lock: a read-modify-write of a file must not interleave
// with another thread's.
std::mutex& IniLock() {
  static std::mutex m;
  return m;
}

enum class TLineKind { Other, Comment, Section, Key };

struct TLineInfo {
  TLineKind Kind = TLineKind::Other;
  AnsiString Name;  // section name or key, trimmed
  size_t Eq = 0;    // position of "=" for keys
};

TLineInfo Classify(const AnsiString& Line) {
  TLineInfo info;
  AnsiString t = SettingsTrim(Line);
  if (t.empty()) return info;
  if (t[0] == ';') {
    info.Kind = TLineKind::Comment;
  } else if (t[0] == '[') {
    info.Kind = TLineKind::Section;
    size_t close = t.find(']');
    info.Name = SettingsTrim(t.substr(1, close == AnsiString::npos ? AnsiString::npos : close - 1));
  } else if (size_t eq = Line.find('='); eq != AnsiString::npos) {
    info.Kind = TLineKind::Key;
    info.Eq = eq;
    info.Name = SettingsTrim(Line.substr(0, eq));
  }
  return info;
}

AnsiString ValueOf(const AnsiString& Line, size_t Eq) {
  AnsiString v = SettingsTrim(Line.substr(Eq + 1));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return v;
}

// The file as lines split at LF; a line keeps its CR, so that lines we do
// not touch are written back byte for byte whatever their line ends.
struct TIniDoc {
  AnsiString Original;
  bool Bom = false;
  bool Crlf = true;  // the style of lines we add: the file's, CR LF for a new file
  std::vector<AnsiString> Lines;

  void Parse(const AnsiString& Data) {
    Original = Data;
    size_t pos = 0;
    if (Data.compare(0, 3, "\xEF\xBB\xBF") == 0) {
      Bom = true;
      pos = 3;
    }
    size_t nl = Data.find('\n', pos);
    if (nl != AnsiString::npos) Crlf = nl > 0 && Data[nl - 1] == '\r';
    while (pos < Data.size()) {
      size_t end = Data.find('\n', pos);
      if (end == AnsiString::npos) end = Data.size();
      Lines.push_back(Data.substr(pos, end - pos));
      pos = end + 1;
    }
  }

  AnsiString Line(const AnsiString& Text) const { return Crlf ? Text + "\r" : Text; }

  AnsiString Serialize() const {
    AnsiString out = Bom ? "\xEF\xBB\xBF" : "";
    for (const AnsiString& l : Lines) out += l + "\n";
    return out;
  }

  // Index of the header line of the first section called Name, or -1.
  long FindSection(const AnsiString& Name, size_t From = 0) const {
    for (size_t i = From; i < Lines.size(); ++i) {
      TLineInfo info = Classify(Lines[i]);
      if (info.Kind == TLineKind::Section && SettingsSameText(info.Name, Name))
        return static_cast<long>(i);
    }
    return -1;
  }

  // One past the last line of the section whose header is at Header.
  size_t SectionEnd(size_t Header) const {
    size_t i = Header + 1;
    while (i < Lines.size() && Classify(Lines[i]).Kind != TLineKind::Section) ++i;
    return i;
  }

  long FindKey(size_t Header, const AnsiString& Key) const {
    size_t end = SectionEnd(Header);
    for (size_t i = Header + 1; i < end; ++i) {
      TLineInfo info = Classify(Lines[i]);
      if (info.Kind == TLineKind::Key && SettingsSameText(info.Name, Key))
        return static_cast<long>(i);
    }
    return -1;
  }
};

// Loads the file for reading; a missing or unreadable file is empty.
TIniDoc LoadForRead(const AnsiString& FileName) {
  AnsiString data;
  TIniDoc doc;
  if (SettingsReadFile(FileName, data) == TSettingsRead::Ok) doc.Parse(data);
  return doc;
}

[[noreturn]] void WriteError(const AnsiString& FileName, const AnsiString& Why) {
  throw EIniFileException("Unable to write to " + FileName + " (" + Why + ")");
}

// Runs Change on the file's lines and writes the file when they changed.
template <class F>
void Modify(const AnsiString& FileName, F Change) {
  std::lock_guard<std::mutex> lock(IniLock());
  AnsiString data;
  TIniDoc doc;
  switch (SettingsReadFile(FileName, data)) {
    case TSettingsRead::Ok: doc.Parse(data); break;
    case TSettingsRead::Missing: break;
    // Writing now would lose the part we could not read.
    case TSettingsRead::Failed: WriteError(FileName, "the file cannot be read");
  }
  Change(doc);
  AnsiString out = doc.Serialize();
  if (out == doc.Original) return;
  AnsiString why;
  if (!SettingsWriteFileAtomic(FileName, out, why)) WriteError(FileName, why);
}

bool HasLineBreak(const AnsiString& S) { return S.find_first_of("\r\n") != AnsiString::npos; }

}  // namespace

AnsiString TIniFile::ReadString(const AnsiString& Section, const AnsiString& Ident,
                                const AnsiString& Default) {
  std::lock_guard<std::mutex> lock(IniLock());
  TIniDoc doc = LoadForRead(GetFileName());
  long header = doc.FindSection(SettingsTrim(Section));
  if (header < 0) return Default;
  long line = doc.FindKey(static_cast<size_t>(header), SettingsTrim(Ident));
  if (line < 0) return Default;
  const AnsiString& text = doc.Lines[static_cast<size_t>(line)];
  return ValueOf(text, Classify(text).Eq);
}

void TIniFile::WriteString(const AnsiString& Section, const AnsiString& Ident,
                           const AnsiString& Value) {
  AnsiString section = SettingsTrim(Section);
  AnsiString key = SettingsTrim(Ident);
  if (HasLineBreak(section) || section.find(']') != AnsiString::npos)
    WriteError(GetFileName(), "invalid section name '" + Section + "'");
  if (key.empty() || HasLineBreak(key) || key.find('=') != AnsiString::npos || key[0] == '[' ||
      key[0] == ';')
    WriteError(GetFileName(), "invalid key name '" + Ident + "'");
  if (HasLineBreak(Value)) WriteError(GetFileName(), "line breaks cannot be stored in a value");

  Modify(GetFileName(), [&](TIniDoc& doc) {
    AnsiString line = doc.Line(key + "=" + Value);
    long header = doc.FindSection(section);
    if (header < 0) {
      if (!doc.Lines.empty() && !SettingsTrim(doc.Lines.back()).empty()) doc.Lines.push_back(doc.Line(""));
      doc.Lines.push_back(doc.Line("[" + section + "]"));
      doc.Lines.push_back(line);
      return;
    }
    long at = doc.FindKey(static_cast<size_t>(header), key);
    if (at >= 0) {
      doc.Lines[static_cast<size_t>(at)] = line;
      return;
    }
    // After the section's last non-blank line, so a blank separator stays.
    size_t end = doc.SectionEnd(static_cast<size_t>(header));
    while (end > static_cast<size_t>(header) + 1 && SettingsTrim(doc.Lines[end - 1]).empty()) --end;
    doc.Lines.insert(doc.Lines.begin() + static_cast<long>(end), line);
  });
}

void TIniFile::ReadSection(const AnsiString& Section, TStrings* Strings) {
  if (!Strings) return;
  std::vector<AnsiString> keys;
  {
    std::lock_guard<std::mutex> lock(IniLock());
    TIniDoc doc = LoadForRead(GetFileName());
    long header = doc.FindSection(SettingsTrim(Section));
    if (header >= 0) {
      size_t end = doc.SectionEnd(static_cast<size_t>(header));
      for (size_t i = static_cast<size_t>(header) + 1; i < end; ++i) {
        TLineInfo info = Classify(doc.Lines[i]);
        if (info.Kind != TLineKind::Key) continue;
        bool seen = false;
        for (const AnsiString& k : keys) seen = seen || SettingsSameText(k, info.Name);
        if (!seen) keys.push_back(info.Name);
      }
    }
  }
  Strings->BeginUpdate();
  Strings->Clear();
  for (const AnsiString& k : keys) Strings->Add(k);
  Strings->EndUpdate();
}

void TIniFile::ReadSections(TStrings* Strings) {
  if (!Strings) return;
  std::vector<AnsiString> names;
  {
    std::lock_guard<std::mutex> lock(IniLock());
    TIniDoc doc = LoadForRead(GetFileName());
    for (const AnsiString& line : doc.Lines) {
      TLineInfo info = Classify(line);
      if (info.Kind != TLineKind::Section) continue;
      bool seen = false;
      for (const AnsiString& n : names) seen = seen || SettingsSameText(n, info.Name);
      if (!seen) names.push_back(info.Name);
    }
  }
  Strings->BeginUpdate();
  Strings->Clear();
  for (const AnsiString& n : names) Strings->Add(n);
  Strings->EndUpdate();
}

void TIniFile::EraseSection(const AnsiString& Section) {
  AnsiString section = SettingsTrim(Section);
  // Every copy of the section goes, or a later one would show up instead.
  Modify(GetFileName(), [&](TIniDoc& doc) {
    for (long header = doc.FindSection(section); header >= 0; header = doc.FindSection(section)) {
      auto first = doc.Lines.begin() + header;
      doc.Lines.erase(first, doc.Lines.begin() + static_cast<long>(doc.SectionEnd(static_cast<size_t>(header))));
    }
  });
}

void TIniFile::DeleteKey(const AnsiString& Section, const AnsiString& Ident) {
  AnsiString section = SettingsTrim(Section);
  AnsiString key = SettingsTrim(Ident);
  Modify(GetFileName(), [&](TIniDoc& doc) {
    long header = doc.FindSection(section);
    if (header < 0) return;
    for (long at = doc.FindKey(static_cast<size_t>(header), key); at >= 0;
         at = doc.FindKey(static_cast<size_t>(header), key))
      doc.Lines.erase(doc.Lines.begin() + at);
  });
}

bool TIniFile::ValueExists(const AnsiString& Section, const AnsiString& Ident) {
  std::lock_guard<std::mutex> lock(IniLock());
  TIniDoc doc = LoadForRead(GetFileName());
  long header = doc.FindSection(SettingsTrim(Section));
  return header >= 0 && doc.FindKey(static_cast<size_t>(header), SettingsTrim(Ident)) >= 0;
}
