// The system image list: icon indices of names and the lists themselves.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "platform/shell/shellapi.h"

namespace {

int IconOf(const char* name, UINT flags = SHGFI_SMALLICON, DWORD attrs = 0) {
  SHFILEINFOA info;
  info.iIcon = -1;
  DWORD_PTR list = SHGetFileInfoA(name, attrs, &info, sizeof(info), SHGFI_SYSICONINDEX | flags);
  EXPECT_NE(list, 0u);
  return info.iIcon;
}

TEST(SystemImageList, IndexOfNames) {
  auto dir = std::filesystem::temp_directory_path() / "yunt_shell_test.dir";
  std::filesystem::create_directories(dir);
  struct Case {
    std::string Name;
    UINT Flags;
    DWORD Attrs;
    int Icon;
  } cases[] = {
      {dir.string(), 0, 0, siFolder},
      {dir.string(), SHGFI_USEFILEATTRIBUTES, FILE_ATTRIBUTE_NORMAL, siFile},  // the disk is not asked
      {"anything", SHGFI_USEFILEATTRIBUTES, FILE_ATTRIBUTE_DIRECTORY, siFolder},
      {"readme.TXT", 0, 0, siText},
      {".txt", SHGFI_USEFILEATTRIBUTES, 0, siText},
      {"/no/such/photo.jpeg", 0, 0, siPicture},
      {"setup.exe", 0, 0, siProgram},
      {"archive.xyz", 0, 0, siFile},
      {"", 0, 0, siFile},
      {"no extension", 0, 0, siFile},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(IconOf(c.Name.c_str(), SHGFI_SMALLICON | c.Flags, c.Attrs), c.Icon);
    EXPECT_EQ(IconOf(c.Name.c_str(), SHGFI_LARGEICON | c.Flags, c.Attrs), c.Icon);
  }
  EXPECT_EQ(IconOf(nullptr), siFile);
  std::filesystem::remove_all(dir);
}

TEST(SystemImageList, OneListPerSizeUsableWithImageListCalls) {
  SHFILEINFOA info;
  auto small = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("a.txt", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  auto large = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("b.bmp", 0, &info, sizeof(info), SHGFI_SYSICONINDEX));
  ASSERT_NE(small, nullptr);
  ASSERT_NE(large, nullptr);
  EXPECT_NE(small, large);
  EXPECT_EQ(small, reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("c", 0, nullptr, 0, SHGFI_SYSICONINDEX | SHGFI_SMALLICON)));
  int cx = 0, cy = 0;
  ASSERT_TRUE(ImageList_GetIconSize(small, &cx, &cy));
  EXPECT_EQ(cx, 16);
  EXPECT_EQ(cy, 16);
  ASSERT_TRUE(ImageList_GetIconSize(large, &cx, &cy));
  EXPECT_EQ(cx, 32);
  EXPECT_EQ(small->GetCount(), siCount);
  EXPECT_EQ(large->GetCount(), siCount);
  // Without the index flag the call answers nothing.
  EXPECT_EQ(SHGetFileInfoA("a.txt", 0, &info, sizeof(info), SHGFI_SMALLICON), 0u);

  // Icons draw with a transparent surround: the folder leaves its corner.
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateBitmap(32, 32, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT all{0, 0, 32, 32};
  HBRUSH white = CreateSolidBrush(0xFFFFFF);
  FillRect(dc, &all, white);
  EXPECT_TRUE(ImageList_Draw(large, siFolder, dc, 0, 0, ILD_TRANSPARENT));
  EXPECT_EQ(GetPixel(dc, 0, 0), 0xFFFFFFu);
  EXPECT_NE(GetPixel(dc, 16, 20), 0xFFFFFFu);
  EXPECT_FALSE(ImageList_Draw(large, siCount, dc, 0, 0, ILD_TRANSPARENT));
  SelectObject(dc, old);
  DeleteObject(white);
  DeleteObject(bmp);
  DeleteDC(dc);
}

TEST(ShellExecute, HookReceivesTheCallAndItsAnswerIsReturned) {
  std::string seenOp, seenFile;
  SetShellExecuteHook([&](HWND, const std::string& Op, const std::string& File, int) {
    seenOp = Op;
    seenFile = File;
    return reinterpret_cast<HINSTANCE>(std::intptr_t{33});
  });
  EXPECT_EQ(reinterpret_cast<std::intptr_t>(ShellExecuteA(nullptr, "open", "http://x.y/", nullptr, nullptr, 1)), 33);
  EXPECT_EQ(seenOp, "open");
  EXPECT_EQ(seenFile, "http://x.y/");
  SetShellExecuteHook(nullptr);
}

TEST(ShellExecute, RefusesAnEmptyNameAndOtherOperationsWithoutStartingAnything) {
  EXPECT_EQ(reinterpret_cast<std::intptr_t>(ShellExecuteA(nullptr, "open", "", nullptr, nullptr, 1)),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(reinterpret_cast<std::intptr_t>(ShellExecuteA(nullptr, "print", "a.txt", nullptr, nullptr, 1)),
            SE_ERR_ACCESSDENIED);
}

}  // namespace
