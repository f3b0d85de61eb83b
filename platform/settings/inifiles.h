// Ini files: the abstract TCustomIniFile and TIniFile on a text file with the
// platform's private profile semantics.
//
// File format: "[Section]" lines open sections, "Key=Value" lines hold
// values, lines starting with ";" are comments. Section and key names match
// without regard to case (Cyrillic included); blanks around names and values
// are ignored and one pair of matching quotes around a value is removed on
// reading. Keys before the first section are not seen. When a section or a
// key occurs twice the first one counts.
//
// TIniFile reads the file at every call and writes it at every change (the
// whole file is replaced atomically), so several objects and programs on
// the same file see each other's changes. The file is UTF-8; a missing or
// unreadable file reads as empty; a failed write raises EIniFileException.
#pragma once

#include "platform/rtl/sysbase.h"

class TStrings;

class TCustomIniFile : public TObject {
public:
  explicit TCustomIniFile(AnsiString FileName) : FFileName(std::move(FileName)) {}

  const AnsiString& GetFileName() const { return FFileName; }

  virtual AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident,
                                const AnsiString& Default) = 0;
  virtual void WriteString(const AnsiString& Section, const AnsiString& Ident,
                           const AnsiString& Value) = 0;
  // Decimal, "$hex" or "0xhex"; Default when absent or not a number.
  virtual Integer ReadInteger(const AnsiString& Section, const AnsiString& Ident, Integer Default);
  virtual void WriteInteger(const AnsiString& Section, const AnsiString& Ident, Integer Value);
  // True for any integer other than 0; written as "1" or "0".
  virtual bool ReadBool(const AnsiString& Section, const AnsiString& Ident, bool Default);
  virtual void WriteBool(const AnsiString& Section, const AnsiString& Ident, bool Value);
  // Written with "." as decimal separator; "." and "," are both read.
  virtual double ReadFloat(const AnsiString& Section, const AnsiString& Ident, double Default);
  virtual void WriteFloat(const AnsiString& Section, const AnsiString& Ident, double Value);

  // Each clears Strings first; a null Strings is ignored.
  // ReadSection: the key names of the section; ReadSections: the section
  // names; ReadSectionValues: "key=value" for each key of the section.
  virtual void ReadSection(const AnsiString& Section, TStrings* Strings) = 0;
  virtual void ReadSections(TStrings* Strings) = 0;
  virtual void ReadSectionValues(const AnsiString& Section, TStrings* Strings);
  virtual void EraseSection(const AnsiString& Section) = 0;
  virtual void DeleteKey(const AnsiString& Section, const AnsiString& Ident) = 0;
  virtual void UpdateFile() = 0;

  // A section exists when it holds at least one key.
  bool SectionExists(const AnsiString& Section);
  virtual bool ValueExists(const AnsiString& Section, const AnsiString& Ident);

private:
  AnsiString FFileName;
};

class TIniFile : public TCustomIniFile {
public:
  explicit TIniFile(const AnsiString& FileName) : TCustomIniFile(FileName) {}

  AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident,
                        const AnsiString& Default) override;
  // Raises EIniFileException when the file cannot be written, or when a name
  // or value cannot be held by the format (line breaks, "=" in a key, "]" in
  // a section name, an empty key).
  void WriteString(const AnsiString& Section, const AnsiString& Ident,
                   const AnsiString& Value) override;
  void ReadSection(const AnsiString& Section, TStrings* Strings) override;
  void ReadSections(TStrings* Strings) override;
  void EraseSection(const AnsiString& Section) override;
  void DeleteKey(const AnsiString& Section, const AnsiString& Ident) override;
  // Every change is already on disk; nothing to do.
  void UpdateFile() override {}
  bool ValueExists(const AnsiString& Section, const AnsiString& Ident) override;
};
