// The rich edit: notifications in order, typing and selection by keyboard
// and mouse, character formats through the messages, range rendering in
// twips, required-size requests, RTF through Lines and the clipboard.
#include <cstring>

#include "platform/forms/clipbrd.h"
#include "platform/comctrls/comctrls_richedit.h"
#include "platform/graphics/gdi.h"
#include "tests/platform/forms/test_controls_support.h"

namespace {

// Logs the reflected notifications as they reach the component.
class TLogRichEdit : public TRichEdit {
public:
  using TRichEdit::TRichEdit;
  void Dispatch(TMessage& M) override {
    if (M.Msg == CN_COMMAND && HIWORD(M.WParam) == EN_CHANGE) Log.push_back("EN_CHANGE");
    if (M.Msg == CN_NOTIFY) {
      auto* h = reinterpret_cast<const NMHDR*>(M.LParam);
      if (h->code == EN_SELCHANGE) {
        auto* s = reinterpret_cast<const SELCHANGE*>(h);
        Log.push_back("EN_SELCHANGE " + std::to_string(s->chrg.cpMin) + "-" + std::to_string(s->chrg.cpMax));
      }
      if (h->code == EN_REQUESTRESIZE) {
        const RECT& r = reinterpret_cast<const REQRESIZE*>(h)->rc;
        LastSize = TSize(r.right - r.left, r.bottom - r.top);
        Log.push_back("EN_REQUESTRESIZE");
      }
    }
    TRichEdit::Dispatch(M);
  }
  ::Lines Log;
  TSize LastSize;
};

class RichEditTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    Edit = new TLogRichEdit(Form);
    Edit->SetBounds(10, 10, 200, 100);
    Edit->SetParent(Form);
    ShowForm();
    Edit->SetFocus();
    PumpUntilIdle();
    Edit->Log.clear();
  }
  CHARRANGE Sel() {
    CHARRANGE r{-5, -5};
    Edit->Perform(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
    return r;
  }
  TLogRichEdit* Edit = nullptr;
};

TEST_F(RichEditTest, NotificationsFollowEachEditInOrder) {
  struct Case {
    const char* Name;
    std::function<void(TLogRichEdit*)> Act;
    ::Lines Expected;
  };
  const std::vector<Case> cases = {
      {"typing", [](TLogRichEdit*) { TestTypeText("ab"); },
       {"EN_REQUESTRESIZE", "EN_CHANGE", "EN_SELCHANGE 1-1", "EN_REQUESTRESIZE", "EN_CHANGE", "EN_SELCHANGE 2-2"}},
      {"shift+left", [](TLogRichEdit*) { TestKeyPress(VK_LEFT, tsShift); }, {"EN_SELCHANGE 1-2"}},
      {"exsetsel",
       [](TLogRichEdit* e) {
         CHARRANGE r{0, -1};
         e->Perform(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
       },
       {"EN_SELCHANGE 0-2"}},
      {"same selection again",
       [](TLogRichEdit* e) {
         CHARRANGE r{0, 2};
         e->Perform(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
       },
       {}},
      {"bold selection", [](TLogRichEdit* e) { e->SelAttributes()->SetStyle({fsBold}); },
       {"EN_REQUESTRESIZE", "EN_CHANGE"}},
      {"lines add", [](TLogRichEdit* e) { e->Lines()->Add("x"); },
       {"EN_REQUESTRESIZE", "EN_CHANGE"}},
      {"masked off",
       [](TLogRichEdit* e) {
         e->Perform(EM_SETEVENTMASK, 0, ENM_NONE);
         TestTypeText("q");
       },
       {}},
  };
  for (const Case& c : cases) {
    Edit->Log.clear();
    c.Act(Edit);
    PumpUntilIdle();
    EXPECT_EQ(c.Expected, Edit->Log) << c.Name;
  }
}

TEST_F(RichEditTest, TypingSelectionAndReadOnlyByKeyboardAndMouse) {
  int changes = 0;
  Edit->OnChange = [&](TObject*) { ++changes; };
  TestTypeText("Привет");
  TestKeyPress(VK_RETURN);
  TestTypeText("мир");
  PumpUntilIdle();
  EXPECT_EQ("Привет\r\nмир", Edit->GetText());
  EXPECT_EQ(2, Edit->Lines()->GetCount());
  EXPECT_EQ(10, changes);
  TestKeyPress(VK_HOME, tsShift);
  PumpUntilIdle();
  EXPECT_EQ("мир", Edit->GetSelText());
  TestKeyPress(VK_UP);  // caret at the line start goes up to column 0
  TestKeyPress(VK_END, tsShift);
  PumpUntilIdle();
  EXPECT_EQ("Привет", Edit->GetSelText());
  TestKeyPress(VK_BACK);
  PumpUntilIdle();
  EXPECT_EQ("\r\nмир", Edit->GetText());

  // A click at the far right of the second line puts the caret at its end.
  POINT far = ClientPointToScreen(Edit->GetHandle(), 190, 1 + 1);
  TestClick(far);
  PumpUntilIdle();
  EXPECT_EQ(0, Sel().cpMin);  // first (empty) line
  POINTL p{};
  Edit->Perform(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), 1);
  TestClick(ClientPointToScreen(Edit->GetHandle(), 190, p.y + 2));
  PumpUntilIdle();
  EXPECT_EQ(4, Sel().cpMin);
  EXPECT_EQ(4, Sel().cpMax);
  TestDoubleClick(ClientPointToScreen(Edit->GetHandle(), 10, p.y + 2));
  PumpUntilIdle();
  EXPECT_EQ("мир", Edit->GetSelText());
  AdvanceTestClock(1000);  // no double click from here on
  TestMouseDown(ClientPointToScreen(Edit->GetHandle(), 190, p.y + 2));
  POINTL i{};  // the left edge of "и"
  Edit->Perform(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&i), 2);  // a paragraph break is one character
  TestMouseUp(ClientPointToScreen(Edit->GetHandle(), i.x + 1, i.y + 2));
  PumpUntilIdle();
  EXPECT_EQ("ир", Edit->GetSelText());

  Edit->SetReadOnly(true);
  TestTypeText("z");
  TestKeyPress(VK_DELETE);
  PumpUntilIdle();
  EXPECT_EQ("\r\nмир", Edit->GetText());
}

TEST_F(RichEditTest, CharFormatMessagesWithScopesAndMixedMasks) {
  Edit->Lines()->SetTextStr("abcdef");
  CHARRANGE r{0, 3};
  Edit->Perform(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
  CHARFORMAT2 cf{};
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_BOLD | CFM_COLOR | CFM_SIZE;
  cf.dwEffects = CFE_BOLD;
  cf.crTextColor = 0x0000FF;
  cf.yHeight = 240;
  EXPECT_EQ(1, Edit->Perform(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)));

  // Raise "d" by 40 twips with the short record and only the offset mask.
  r = {3, 4};
  Edit->Perform(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
  CHARFORMAT small{};
  small.cbSize = sizeof small;
  small.dwMask = CFM_OFFSET;
  small.yOffset = 40;
  EXPECT_EQ(1, Edit->Perform(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&small)));
  CHARFORMAT got{};
  got.cbSize = sizeof got;
  Edit->Perform(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&got));
  EXPECT_EQ(40, got.yOffset);
  EXPECT_FALSE(got.dwEffects & CFE_BOLD);

  struct Case {
    CHARRANGE Range;
    DWORD Shared, Mixed;
    bool Bold;
  };
  for (const Case& c : {Case{{0, 3}, CFM_BOLD | CFM_COLOR | CFM_SIZE | CFM_FACE, 0, true},
                        Case{{0, 6}, CFM_FACE, CFM_BOLD | CFM_COLOR | CFM_SIZE | CFM_OFFSET, true},
                        Case{{4, 6}, CFM_ALL_RICH, 0, false}}) {
    Edit->Perform(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&c.Range));
    CHARFORMAT2 g{};
    g.cbSize = sizeof g;
    DWORD mask = static_cast<DWORD>(Edit->Perform(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&g)));
    EXPECT_EQ(mask, g.dwMask);
    EXPECT_EQ(c.Shared, mask & c.Shared) << c.Range.cpMin << "-" << c.Range.cpMax;
    EXPECT_EQ(0u, mask & c.Mixed) << c.Range.cpMin << "-" << c.Range.cpMax;
    EXPECT_EQ(c.Bold, (g.dwEffects & CFE_BOLD) != 0);
  }
  EXPECT_EQ(TColor(0x0000FF), Edit->GetDocument()->FormatAt(1).Color);
  EXPECT_EQ(12, Edit->GetDocument()->FormatAt(1).GetSize());

  // The default format, then all text; a record that is too short is refused.
  CHARFORMAT face{};
  face.cbSize = sizeof face;
  face.dwMask = CFM_FACE | CFM_ITALIC;
  face.dwEffects = CFE_ITALIC;
  std::strcpy(face.szFaceName, "Arial");
  EXPECT_EQ(1, Edit->Perform(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&face)));
  EXPECT_EQ("Arial", Edit->DefAttributes()->GetName());
  EXPECT_EQ("MS Sans Serif", Edit->GetDocument()->FormatAt(1).Name);
  EXPECT_EQ(1, Edit->Perform(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&face)));
  for (int pos : {1, 6}) {
    EXPECT_EQ("Arial", Edit->GetDocument()->FormatAt(pos).Name);
    EXPECT_TRUE(Edit->GetDocument()->FormatAt(pos).Style.Contains(fsItalic));
  }
  EXPECT_TRUE(Edit->GetDocument()->FormatAt(1).Style.Contains(fsBold));  // not in the mask: kept
  CHARFORMAT bad = face;
  bad.cbSize = 8;
  EXPECT_EQ(0, Edit->Perform(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&bad)));
  EXPECT_EQ(0, Edit->Perform(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&bad)));
  EXPECT_EQ(0, Edit->Perform(EM_SETCHARFORMAT, SCF_ALL, 0));
}

TEST_F(RichEditTest, FormatRangeDrawsInTwipsAndReturnsTheNextCharacter) {
  TBitmap bmp;
  bmp.SetSize(300, 200);
  TCanvas* canvas = bmp.GetCanvas();
  canvas->GetBrush()->SetColor(clWhite);
  canvas->FillRect(TRect(0, 0, 300, 200));
  HDC dc = canvas->GetHandle();
  const int ppi = GetDeviceCaps(dc, LOGPIXELSY);
  auto twips = [&](int px) { return static_cast<LONG>(px * 1440 / ppi); };
  Edit->Lines()->SetTextStr("one\ntwo\nthree");
  Edit->DefAttributes()->SetColor(clBlack);
  CHARRANGE all{0, -1};
  Edit->Perform(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
  Edit->SelAttributes()->SetColor(clRed);
  Edit->SelAttributes()->SetSize(10);

  FORMATRANGE fr{};
  fr.hdc = fr.hdcTarget = dc;
  fr.rc = {twips(100), twips(50), twips(250), twips(190)};
  fr.rcPage = {0, 0, twips(300), twips(200)};
  fr.chrg = {0, -1};
  EXPECT_EQ(13, Edit->Perform(EM_FORMATRANGE, 0, reinterpret_cast<LPARAM>(&fr)));  // measuring only
  EXPECT_EQ(TColor(0xFFFFFF), ColorToRGB(canvas->GetPixels(110, 55)));
  EXPECT_EQ(13, Edit->Perform(EM_FORMATRANGE, 1, reinterpret_cast<LPARAM>(&fr)));
  EXPECT_EQ(0, Edit->Perform(EM_FORMATRANGE, 0, 0));  // frees the cache
  int red = 0, outside = 0;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 300; ++x) {
      TColor c = ColorToRGB(canvas->GetPixels(x, y));
      bool in = x >= 100 && x < 250 && y >= 50 && y < 190;
      if (c == TColor(0x0000FF) && in) ++red;
      if (c != TColor(0xFFFFFF) && !in) ++outside;
    }
  EXPECT_GT(red, 10);
  EXPECT_EQ(0, outside);

  // A box one line high takes the first line only; the next page starts there.
  fr.rc = {0, 0, twips(200), twips(20)};
  int next = static_cast<int>(Edit->Perform(EM_FORMATRANGE, 0, reinterpret_cast<LPARAM>(&fr)));
  EXPECT_EQ(4, next);
  fr.chrg = {next, -1};
  EXPECT_EQ(8, Edit->Perform(EM_FORMATRANGE, 0, reinterpret_cast<LPARAM>(&fr)));
  fr.hdc = fr.hdcTarget = nullptr;
  EXPECT_EQ(0, Edit->Perform(EM_FORMATRANGE, 1, reinterpret_cast<LPARAM>(&fr)));
}

TEST_F(RichEditTest, RequestResizeReportsTheContentSize) {
  TSize last;
  int requests = 0;
  Edit->OnResizeRequest = [&](TObject*, const TRect& r) {
    last = TSize(r.right - r.left, r.bottom - r.top);
    ++requests;
  };
  Edit->SetWordWrap(false);
  Edit->Lines()->SetTextStr("short");
  TSize one = last;
  EXPECT_GT(one.cx, 0);
  EXPECT_GT(one.cy, 0);
  Edit->Lines()->Add("a much longer second line of text");
  EXPECT_GT(last.cx, one.cx);
  EXPECT_GE(last.cy, 2 * one.cy - 1);
  // A line added and deleted leaves the size it had; EM_REQUESTRESIZE asks again.
  TSize two = last;
  Edit->Lines()->Add("x");
  Edit->Lines()->Delete(2);
  EXPECT_EQ(two.cx, last.cx);
  EXPECT_EQ(two.cy, last.cy);
  requests = 0;
  Edit->Perform(EM_REQUESTRESIZE, 0, 0);
  EXPECT_EQ(1, requests);
  Edit->Perform(EM_SETEVENTMASK, 0, ENM_CHANGE);
  Edit->Perform(EM_REQUESTRESIZE, 0, 0);
  EXPECT_EQ(1, requests);

  // With word wrap the long line breaks inside the width and grows in height.
  Edit->Perform(EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE);
  Edit->SetWordWrap(true);
  Edit->Perform(EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE);
  Edit->SetWidth(60);
  Edit->Perform(EM_REQUESTRESIZE, 0, 0);
  EXPECT_LE(last.cx, 60);
  EXPECT_GT(last.cy, two.cy);
}

TEST_F(RichEditTest, LinesLoadAndSaveRtfUnlessPlainText) {
  const AnsiString rtf =
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
      "\\f0\\fs20 plain \\b\\cf1 bold\\b0\\par \\u1055?\\'e0}";
  TStringStream in(rtf);
  Edit->Lines()->LoadFromStream(&in);
  ASSERT_EQ(2, Edit->Lines()->GetCount());
  EXPECT_EQ("plain bold", Edit->Lines()->Get(0));
  EXPECT_EQ("П\u00e0", Edit->Lines()->Get(1));
  Edit->SetSelStart(7);
  EXPECT_TRUE(Edit->SelAttributes()->GetStyle().Contains(fsBold));
  EXPECT_EQ(TColor(0x0000FF), Edit->SelAttributes()->GetColor());
  EXPECT_EQ("Arial", Edit->SelAttributes()->GetName());

  // Saved RTF read into a second control gives the same runs.
  TStringStream out;
  Edit->Lines()->SaveToStream(&out);
  EXPECT_EQ(0u, out.DataString().find("{\\rtf"));
  auto* copy = new TRichEdit(Form);
  copy->SetParent(Form);
  TStringStream back(out.DataString());
  copy->Lines()->LoadFromStream(&back);
  const auto& a = Edit->GetDocument()->GetRuns();
  const auto& b = copy->GetDocument()->GetRuns();
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].Length, b[i].Length);
    EXPECT_TRUE(a[i].Format == b[i].Format) << i;
  }

  // Malformed RTF keeps what was read; PlainText takes the bytes as text.
  TStringStream broken("{\\rtf1 kept \\b text");
  Edit->Lines()->LoadFromStream(&broken);
  EXPECT_EQ("kept text", Edit->GetText());
  Edit->SetPlainText(true);
  TStringStream raw(rtf);
  Edit->Lines()->LoadFromStream(&raw);
  EXPECT_EQ(rtf, Edit->Lines()->Get(0));
  TStringStream plainOut;
  Edit->Lines()->Clear();
  Edit->Lines()->Add("a");
  Edit->Lines()->Add("b");
  Edit->Lines()->SaveToStream(&plainOut);
  EXPECT_EQ(0u, plainOut.DataString().find("a\r\nb"));
  EXPECT_THROW(Edit->Lines()->Get(2), EStringListError);

  // Plain text takes the control's font.
  Edit->GetFont()->SetName("Arial");
  Edit->GetFont()->SetSize(12);
  Edit->Lines()->SetTextStr("x");
  EXPECT_EQ("Arial", Edit->GetDocument()->FormatAt(0).Name);
  EXPECT_EQ(12, Edit->GetDocument()->FormatAt(0).GetSize());
}

TEST_F(RichEditTest, ClipboardCarriesRtfAndText) {
  Edit->Lines()->SetTextStr("xx bold yy");
  Edit->Perform(EM_SETSEL, 3, 7);
  Edit->SelAttributes()->SetStyle({fsBold});
  Edit->CopyToClipboard();
  EXPECT_EQ("bold", Clipboard()->GetAsText());
  EXPECT_TRUE(Clipboard()->HasFormat(RegisterClipboardFormatA("Rich Text Format")));

  auto* other = new TRichEdit(Form);
  other->SetParent(Form);
  other->Lines()->SetTextStr("<>");
  other->SetSelStart(1);
  other->PasteFromClipboard();
  EXPECT_EQ("<bold>", other->GetText());
  EXPECT_EQ(5, other->GetSelStart());  // the caret after the pasted text
  other->SetSelStart(2);
  EXPECT_TRUE(other->SelAttributes()->GetStyle().Contains(fsBold));
  other->SetSelStart(6);
  EXPECT_FALSE(other->SelAttributes()->GetStyle().Contains(fsBold));

  // Plain text from another program: line breaks become paragraphs.
  Clipboard()->SetAsText("1\r\n2");
  Edit->Perform(EM_SETSEL, 0, -1);
  Edit->CutToClipboard();
  EXPECT_EQ("", Edit->GetText());
  EXPECT_EQ("xx bold yy", Clipboard()->GetAsText());
  Clipboard()->SetAsText("1\r\n2");
  Edit->PasteFromClipboard();
  EXPECT_EQ(2, Edit->Lines()->GetCount());
  EXPECT_EQ("1\r\n2", Edit->GetText());
}

}  // namespace

namespace {

TEST_F(RichEditTest, PaintsRunsInTheirColoursAndTheSelectionInverted) {
  Edit->Lines()->SetTextStr("ЖЖЖ");
  Edit->SelectAll();
  Edit->SelAttributes()->SetColor(clRed);
  Edit->SelAttributes()->SetSize(14);
  auto count = [&](TColor colour) {
    TBitmap bmp;
    PumpUntilIdle();
    SnapshotControl(Edit, &bmp);
    int n = 0;
    for (int y = 0; y < bmp.GetHeight(); ++y)
      for (int x = 0; x < bmp.GetWidth(); ++x)
        if (ColorToRGB(bmp.Canvas()->GetPixels(x, y)) == static_cast<COLORREF>(colour)) ++n;
    return n;
  };
  EXPECT_EQ(0, count(clRed));  // selected and focused: shown inverted
  EXPECT_GT(count(TColor(0xFFFF00)), 10);
  Edit->SetSelStart(0);
  EXPECT_GT(count(clRed), 10);
  EXPECT_EQ(0, count(TColor(0xFFFF00)));
}

}  // namespace

namespace {

TEST_F(RichEditTest, UndoTakesBackTheLastUserChangeAndCodeChangesForgetIt) {
  TestTypeText("abc");
  PumpUntilIdle();
  EXPECT_TRUE(Edit->CanUndo());
  Edit->Undo();  // the run of typing is one change
  EXPECT_EQ("", Edit->GetText());
  Edit->Undo();  // undoing the undo redoes
  EXPECT_EQ("abc", Edit->GetText());
  EXPECT_EQ(3, Sel().cpMin);

  // A cut of formatted text comes back with its format, by Ctrl+Z too.
  Edit->Perform(EM_SETSEL, 1, 2);
  Edit->SelAttributes()->SetStyle({fsBold});  // from code: forgets
  EXPECT_FALSE(Edit->CanUndo());
  Edit->Perform(EM_SETSEL, 0, 3);
  TestKeyPress(VK_DELETE);
  PumpUntilIdle();
  EXPECT_EQ("", Edit->GetText());
  TestKeyPress('Z', tsCtrl);
  PumpUntilIdle();
  EXPECT_EQ("abc", Edit->GetText());
  Edit->Perform(EM_SETSEL, 1, 2);
  EXPECT_TRUE(Edit->SelAttributes()->GetStyle().Contains(fsBold));

  struct TCase {
    const char* Name;
    std::function<void()> Act;
    bool CanUndo;
  } cases[] = {
      {"moving the caret ends a run of typing, not the undo", [] { TestKeyPress(VK_LEFT); }, true},
      {"replace from code asked undoable", [this] { Edit->Perform(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x")); }, true},
      {"replace from code not undoable", [this] { Edit->Perform(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("y")); }, false},
      {"typing", [] { TestTypeText("q"); }, true},
      {"Lines", [this] { Edit->Lines()->Add("more"); }, false},
      {"typing again", [] { TestTypeText("w"); }, true},
      {"text set", [this] { Edit->SetText("new"); }, false},
      {"typing once more", [] { TestTypeText("e"); }, true},
      {"emptied", [this] { Edit->ClearUndo(); }, false},
  };
  for (const TCase& c : cases) {
    c.Act();
    PumpUntilIdle();
    EXPECT_EQ(c.CanUndo, Edit->CanUndo()) << c.Name;
  }
  EXPECT_EQ(FALSE, Edit->Perform(EM_UNDO, 0, 0));
  EXPECT_EQ("enew", Edit->GetText());

  // Paragraph alignment set by message is a user change as well.
  PARAFORMAT pf{};
  pf.cbSize = sizeof pf;
  pf.dwMask = PFM_ALIGNMENT;
  pf.wAlignment = PFA_CENTER;
  EXPECT_EQ(1, Edit->Perform(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf)));
  EXPECT_EQ(taCenter, Edit->Paragraph()->GetAlignment());
  Edit->Undo();
  EXPECT_EQ(taLeftJustify, Edit->Paragraph()->GetAlignment());
}

TEST_F(RichEditTest, MaxLengthCutsTypingAndPastingButNotTextFromCode) {
  ::Lines notes;
  Form->SetWindowProc([&notes, old = Form->GetWindowProc()](TMessage& M) {
    if (M.Msg == WM_COMMAND && HIWORD(M.WParam) == EN_MAXTEXT) notes.push_back("EN_MAXTEXT");
    old(M);
  });
  EXPECT_EQ(RichEditNoLimit, Edit->Perform(EM_GETLIMITTEXT, 0, 0));  // MaxLength 0: no limit
  Edit->SetMaxLength(5);
  EXPECT_EQ(5, Edit->Perform(EM_GETLIMITTEXT, 0, 0));
  TestTypeText("abcdefg");
  PumpUntilIdle();
  EXPECT_EQ("abcde", Edit->GetText());
  EXPECT_EQ(2u, notes.size());
  Edit->Perform(EM_SETSEL, 1, 3);  // two selected: room for two
  Clipboard()->SetAsText("WXYZ");
  Edit->PasteFromClipboard();
  EXPECT_EQ("aWXde", Edit->GetText());
  Edit->Lines()->SetTextStr("longer than five");
  EXPECT_EQ("longer than five", Edit->GetText());
  Edit->Perform(EM_EXLIMITTEXT, 0, 0);
  EXPECT_EQ(65536, Edit->Perform(EM_GETLIMITTEXT, 0, 0));
  // A new window keeps the limit.
  Edit->SetMaxLength(7);
  Edit->SetScrollBars(ssVertical);
  EXPECT_EQ(7, Edit->Perform(EM_GETLIMITTEXT, 0, 0));
}

TEST_F(RichEditTest, ScrollBarsMoveTheViewAndFollowTheCaret) {
  Edit->SetScrollBars(ssBoth);
  Edit->SetWordWrap(false);
  HWND h = Edit->Handle();
  EXPECT_FALSE(GetWindowLongA(h, GWL_STYLE) & WS_VSCROLL);  // nothing to scroll yet
  AnsiString text;
  for (int i = 0; i < 40; ++i) text += "line " + std::to_string(i) + "\n";
  Edit->Lines()->SetTextStr(text);
  PumpUntilIdle();
  EXPECT_TRUE(GetWindowLongA(h, GWL_STYLE) & WS_VSCROLL);
  SCROLLINFO si{};
  si.fMask = SIF_ALL;
  GetScrollInfo(h, SB_VERT, &si);
  EXPECT_EQ(40, si.nMax);  // 41 lines with the empty last one
  const int page = static_cast<int>(si.nPage);
  EXPECT_GT(page, 1);
  EXPECT_LT(page, 40);

  struct TCase {
    UINT Msg;
    WPARAM W;
    int Top;
  } cases[] = {
      {WM_VSCROLL, SB_LINEDOWN, 1},
      {WM_VSCROLL, SB_PAGEDOWN, 1 + page},
      {WM_VSCROLL, SB_LINEUP, page},
      {WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 20), 20},
      {WM_VSCROLL, SB_BOTTOM, 41 - page},
      {WM_VSCROLL, SB_LINEDOWN, 41 - page},  // the last line stays at the bottom
      {WM_VSCROLL, SB_TOP, 0},
      {WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 3},
  };
  for (const TCase& c : cases) {
    SendMessageA(h, c.Msg, c.W, 0);
    EXPECT_EQ(c.Top, Edit->Perform(EM_GETFIRSTVISIBLELINE, 0, 0)) << c.Msg << " " << c.W;
    EXPECT_EQ(c.Top, GetScrollPos(h, SB_VERT));
  }
  // The caret at the end brings the last lines into view.
  TestKeyPress(VK_END, tsCtrl);
  PumpUntilIdle();
  EXPECT_EQ(41 - page, Edit->Perform(EM_GETFIRSTVISIBLELINE, 0, 0));
  POINTL p{};
  Edit->Perform(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), Edit->GetDocument()->GetCharCount());
  EXPECT_GE(p.y, 0);
  EXPECT_LT(p.y, Edit->GetClientHeight());

  // Without word wrap a long line scrolls sideways with the caret.
  Edit->Lines()->SetTextStr(AnsiString(200, 'w'));
  TestKeyPress(VK_END);
  PumpUntilIdle();
  Edit->Perform(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), 0);
  EXPECT_LT(p.x, 0);
  EXPECT_GT(GetScrollPos(h, SB_HORZ), 0);
  SendMessageA(h, WM_HSCROLL, SB_LEFT, 0);
  Edit->Perform(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), 0);
  EXPECT_GE(p.x, 0);
  // The character under a point counts the scrolled part.
  SendMessageA(h, WM_HSCROLL, SB_RIGHT, 0);
  Edit->Perform(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), 150);
  POINTL at{p.x + 1, p.y + 1};
  EXPECT_EQ(150, Edit->Perform(EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&at)));
}

TEST_F(RichEditTest, ParagraphAttributesCoverTheSelectedParagraphsAndTravelInRtf) {
  Edit->Lines()->SetTextStr("one\ntwo\nthree");
  Edit->Perform(EM_SETSEL, 5, 9);  // "wo" .. "th"
  Edit->Paragraph()->SetAlignment(taRightJustify);
  Edit->Paragraph()->SetRightIndent(3);
  PARAFORMAT pf{};
  pf.cbSize = sizeof pf;
  const DWORD all = PFM_ALIGNMENT | PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET;
  EXPECT_EQ(static_cast<LRESULT>(all), Edit->Perform(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf)));
  EXPECT_EQ(PFA_RIGHT, pf.wAlignment);
  EXPECT_EQ(60, pf.dxRightIndent);
  Edit->Perform(EM_SETSEL, 0, 5);  // mixed: the first paragraph differs
  EXPECT_EQ(static_cast<LRESULT>(PFM_STARTINDENT | PFM_OFFSET),
            Edit->Perform(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf)));
  EXPECT_EQ(PFA_LEFT, pf.wAlignment);  // the first paragraph's
  pf.cbSize = 4;  // too small a record is refused
  EXPECT_EQ(0, Edit->Perform(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf)));

  // Indents in points; a hanging first line keeps the others indented.
  Edit->Perform(EM_SETSEL, 0, 0);
  Edit->Paragraph()->SetFirstIndent(15);  // 300 twips: 20 pixels
  Edit->Paragraph()->SetLeftIndent(-15);
  EXPECT_EQ(15, Edit->Paragraph()->GetFirstIndent());
  EXPECT_EQ(-15, Edit->Paragraph()->GetLeftIndent());
  EXPECT_EQ(taRightJustify, Edit->GetDocument()->GetParaFormat(1).Alignment);  // others untouched
  POINTL first{};
  Edit->Perform(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), 0);
  EXPECT_EQ(1 + 20, first.x);  // the margin and the indent
  // The right-aligned line ends 3 points (4 pixels) before the right edge.
  POINTL end{};
  Edit->Perform(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&end), 13);
  EXPECT_EQ(Edit->GetClientWidth() - 1 - 4, end.x);

  TStringStream rtf("");
  Edit->Lines()->SaveToStream(&rtf);
  auto* other = new TRichEdit(Form);
  other->SetParent(Form);
  rtf.SetPosition(0);
  other->Lines()->LoadFromStream(&rtf);
  const TRichTextDocument* d = other->GetDocument();
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(d->GetParaFormat(i) == Edit->GetDocument()->GetParaFormat(i)) << i;
  EXPECT_EQ(300, d->GetParaFormat(0).StartIndent);
  EXPECT_EQ(-300, d->GetParaFormat(0).Offset);
}

TEST_F(RichEditTest, ClearBrushLeavesTheBackgroundAndRenderingIsTransparent) {
  Edit->Lines()->SetTextStr("text");
  Edit->SetSelStart(0);
  auto paint = [&] {
    TBitmap bmp;
    bmp.SetSize(200, 100);
    bmp.Canvas()->GetBrush()->SetColor(clYellow);
    bmp.Canvas()->FillRect(TRect(0, 0, 200, 100));
    Edit->PaintTo(bmp.Canvas(), 0, 0);
    return ColorToRGB(bmp.Canvas()->GetPixels(150, 80));
  };
  Edit->SetColor(clAqua);
  EXPECT_EQ(ColorToRGB(clAqua), paint());  // the control's colour through its brush
  Edit->Brush()->SetStyle(bsClear);
  EXPECT_EQ(ColorToRGB(clYellow), paint());

  // Rendering a range leaves the canvas between the letters alone.
  TBitmap bmp;
  bmp.SetSize(200, 100);
  bmp.Canvas()->GetBrush()->SetColor(clYellow);
  bmp.Canvas()->FillRect(TRect(0, 0, 200, 100));
  HDC dc = bmp.Canvas()->GetHandle();
  FORMATRANGE fr{};
  fr.hdc = fr.hdcTarget = dc;
  fr.rc = {0, 0, 1440 * 2, 1440};
  fr.rcPage = fr.rc;
  fr.chrg = {0, -1};
  EXPECT_EQ(4, Edit->Perform(EM_FORMATRANGE, 1, reinterpret_cast<LPARAM>(&fr)));
  int yellow = 0, other = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) (ColorToRGB(bmp.Canvas()->GetPixels(x, y)) == ColorToRGB(clYellow) ? yellow : other)++;
  EXPECT_GT(other, 10);  // the letters
  EXPECT_GT(yellow, other);
}

}  // namespace
