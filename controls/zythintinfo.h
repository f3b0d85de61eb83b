// The content of a rich (office) hint: a title, notes, a picture and a help
// flag. Controls own one and copy into it; they never replace it.
#pragma once

#include "controls/gdipicture.h"
#include "platform/rtl/classes.h"

class DIzoRaruZire : public TPersistent {
public:
  DIzoRaruZire();
  ~DIzoRaruZire() override;
  // Copies only from another DIzoRaruZire (deep copies of the notes and the
  // picture); any other source, null included, changes nothing.
  void Assign(TPersistent* Source) override;
  void DefineProperties(TFiler* Filer) override;

  const AnsiString& GetTitle() const { return FTitle; }
  void SetTitle(const AnsiString& Value) { FTitle = Value; }
  TStrings* GetNotes() const { return FNotes; }
  // Takes a copy of the lines.
  void SetNotes(TStrings* Value);
  TGDIPPicture* GetPicture() const { return FPicture; }
  // Takes a copy of the picture.
  void SetPicture(TGDIPPicture* Value);
  bool GetShowHelp() const { return FShowHelp; }
  void SetShowHelp(bool Value) { FShowHelp = Value; }

  // Wide texts for the Unicode controls; not streamed.
  WideString WideTitle;
  WideString WideNotes;

private:
  TGDIPPicture* FPicture;
  bool FShowHelp = false;
  TStrings* FNotes;
  AnsiString FTitle;
};
