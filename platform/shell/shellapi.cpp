// The system image list and the icon of a name.
#include "platform/shell/shellapi.h"

#include <cstring>
#include <mutex>

#include "platform/rtl/sysutils.h"

namespace {

constexpr TColor kMask = 0xFF00FF;  // transparent colour of the drawn icons

// One icon of `size` pixels drawn on a bitmap canvas; s scales the 16-pixel
// design.
void DrawIcon(TCanvas* c, int size, TSystemIcon kind) {
  const int s = size / 16;
  auto box = [&](int l, int t, int r, int b, TColor fill, TColor line) {
    c->GetBrush()->SetColor(fill);
    c->GetPen()->SetColor(line);
    c->Rectangle(l * s, t * s, r * s, b * s);
  };
  c->GetBrush()->SetColor(kMask);
  c->FillRect(TRect(0, 0, size, size));
  switch (kind) {
    case siFolder:
      box(1, 3, 8, 6, 0x40C0F0, 0x207090);     // tab
      box(1, 5, 15, 14, 0x60D8FF, 0x207090);   // body
      break;
    case siProgram:
      box(1, 2, 15, 14, 0xFFFFFF, 0x404040);   // window
      box(1, 2, 15, 5, 0xA05020, 0x404040);    // title bar
      break;
    default: {
      box(3, 1, 13, 15, 0xFFFFFF, 0x606060);   // page
      if (kind == siText) {
        c->GetPen()->SetColor(0x808080);
        for (int y = 4; y <= 12; y += 2) {
          c->MoveTo(5 * s, y * s);
          c->LineTo(11 * s, y * s);
        }
      } else if (kind == siPicture) {
        box(4, 7, 12, 13, 0x30A040, 0x30A040);  // land
        box(4, 3, 12, 7, 0xF0C080, 0xF0C080);   // sky
      }
      break;
    }
  }
}

TImageList* MakeList(int size) {
  auto* list = new TImageList;
  list->SetWidth(size);
  list->SetHeight(size);
  for (int k = 0; k < siCount; ++k) {
    TBitmap bmp;
    bmp.SetSize(size, size);
    DrawIcon(bmp.GetCanvas(), size, static_cast<TSystemIcon>(k));
    list->AddMasked(&bmp, kMask);
  }
  return list;
}

// The process-wide lists live until the program ends.
TImageList* SystemList(bool small) {
  static std::once_flag once;
  static TImageList* lists[2] = {};
  std::call_once(once, [] {
    lists[0] = MakeList(16);
    lists[1] = MakeList(32);
  });
  return lists[small ? 0 : 1];
}

TSystemIcon IconOfExtension(const AnsiString& name) {
  AnsiString ext = LowerCase(ExtractFileExt(name));
  static const char* const text[] = {".txt", ".log", ".ini", ".csv", ".cfg", ".htm", ".html", ".xml", ".rtf"};
  static const char* const pictures[] = {".bmp", ".png", ".jpg", ".jpeg", ".gif", ".ico", ".tif", ".tiff", ".wmf", ".emf"};
  static const char* const programs[] = {".exe", ".com", ".bat", ".cmd", ".sh", ".bin", ".appimage"};
  for (const char* e : text)
    if (ext == e) return siText;
  for (const char* e : pictures)
    if (ext == e) return siPicture;
  for (const char* e : programs)
    if (ext == e) return siProgram;
  return siFile;
}

}  // namespace

DWORD_PTR SHGetFileInfoA(LPCSTR Path, DWORD FileAttributes, SHFILEINFOA* FileInfo, UINT FileInfoSize, UINT Flags) {
  if (!(Flags & SHGFI_SYSICONINDEX)) return 0;
  AnsiString name = Path ? Path : "";
  TSystemIcon icon;
  if (Flags & SHGFI_USEFILEATTRIBUTES)
    icon = (FileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? siFolder : IconOfExtension(name);
  else
    icon = !name.empty() && DirectoryExists(name) ? siFolder : IconOfExtension(name);
  if (FileInfo && FileInfoSize >= sizeof(SHFILEINFOA)) {
    FileInfo->hIcon = nullptr;
    FileInfo->iIcon = icon;
    FileInfo->dwAttributes = 0;
  }
  return reinterpret_cast<DWORD_PTR>(SystemList((Flags & SHGFI_SMALLICON) != 0));
}
