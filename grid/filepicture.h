// A picture named by its file: only the name and the size found when the
// name was set are kept; drawing loads the file each time.
#pragma once

#include "platform/graphics/graphics.h"
#include "platform/rtl/classes_component.h"

class TFilePicture : public TPersistent {
public:
  // Copies the name and the size of another file picture.
  void Assign(TPersistent* Source) override;

  AnsiString GetFilename() const { return FFilename; }
  // Loads the file to learn its size; a missing or unreadable file raises
  // the platform's picture error and leaves the picture as it was.
  void SetFileName(const AnsiString& Value);
  void SetFilename(const AnsiString& Value) { SetFileName(Value); }
  int GetWidth() const { return FWidth; }
  int GetHeight() const { return FHeight; }

  // Stretch-draws the file into R; nothing when no file is named.
  void DrawPicture(TCanvas* Canvas, const TRect& R);

private:
  AnsiString FFilename;
  int FWidth = 0;
  int FHeight = 0;
};
