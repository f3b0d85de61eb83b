// Input-method commits: the focus window reads the committed text while it
// handles WM_IME_COMPOSITION; one it does not read becomes WM_CHARs.
#include "tests/platform/windows/test_winkernel_support.h"

#include "platform/windows/winime.h"

namespace {

class ImeTest : public KernelTest {
protected:
  void SetUp() override {
    KernelTest::SetUp();
    Wnd = Top("w", RECT{0, 0, 50, 20});
    Handlers[Wnd] = [this](UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
      if (m == WM_CHAR) Chars += static_cast<char16_t>(w);
      if (m != WM_IME_COMPOSITION || !ReadsIme) return std::nullopt;
      HIMC imc = ImmGetContext(Wnd);
      LONG bytes = ImmGetCompositionStringW(imc, GCS_RESULTSTR, nullptr, 0);
      std::u16string t(static_cast<std::size_t>(bytes / 2), u'\0');
      ImmGetCompositionStringW(imc, GCS_RESULTSTR, t.data(), static_cast<DWORD>(bytes));
      ImmReleaseContext(Wnd, imc);
      Read.push_back(t);
      return 0;
    };
    SetActiveWindow(Wnd);
    SetFocus(Wnd);
    PumpUntilIdle();
  }
  HWND Wnd = nullptr;
  bool ReadsIme = true;
  std::vector<std::u16string> Read;
  std::u16string Chars;
};

TEST_F(ImeTest, EachQueuedCommitReadsItsOwnText) {
  TestImeCommit("при");
  TestImeCommit("\xF0\x9F\x98\x80");  // one character outside the BMP: two units
  PumpUntilIdle();
  ASSERT_EQ(Read.size(), 2u);
  EXPECT_EQ(Read[0], u"при");
  EXPECT_EQ(Read[1], u"\U0001F600");
  EXPECT_TRUE(Chars.empty());
  EXPECT_EQ(ImmGetCompositionStringW(nullptr, GCS_RESULTSTR, nullptr, 0), IMM_ERROR_NODATA);
  EXPECT_EQ(ImmGetCompositionStringW(ImmGetContext(Wnd), GCS_COMPSTR, nullptr, 0), IMM_ERROR_NODATA);
}

TEST_F(ImeTest, AWindowThatDoesNotReadItGetsOneCharPerUnit) {
  ReadsIme = false;
  TestImeCommit("ab\xF0\x9F\x98\x80");
  PumpUntilIdle();
  EXPECT_EQ(Chars, u"ab\U0001F600");
}

}  // namespace
