// The markup engine's objects and paint: form controls, pictures, system
// icons, and pixel probes of what the tags paint.
#include <cstdio>
#include <filesystem>

#include "grid/picturecontainer.h"
#include "platform/uxtheme/uxtheme.h"
#include "vzvhtmle_fixture.h"

namespace {

using Objects = HTMLCanvas;

constexpr TColor kRed = 0x0000FF;

TEST_F(Objects, CheckControlSelectedById) {
  InputID = "c1";
  THTMLDrawResults r = Draw("ab<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"16\">", TRect(0, 0, 200, 50),
                            [](THTMLDrawOptions& o) { o.CheckHotSpot = true; });
  EXPECT_TRUE(Result);
  EXPECT_EQ(r.Anchor, "ctrl");
  EXPECT_EQ(r.ControlRect, TRect(17, 0, 33, 16));
  EXPECT_EQ(r.ControlID, "c1");
  EXPECT_EQ(r.ControlValue, "TRUE");
  EXPECT_EQ(r.ControlType, "CHECK");
  EXPECT_EQ(r.XSize, 32);

  // Without WIDTH the tag is ignored: the outputs keep their start values.
  r = Draw("ab<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\">", TRect(0, 0, 200, 50),
           [](THTMLDrawOptions& o) { o.CheckHotSpot = true; });
  EXPECT_FALSE(Result);
  EXPECT_EQ(r.Anchor, "");
  EXPECT_EQ(r.ControlRect, TRect(0, 0, 0, 0));
  EXPECT_EQ(r.ControlValue, "");
  EXPECT_EQ(r.ControlType, "");
  EXPECT_EQ(r.XSize, 16);
}

TEST_F(Objects, ControlsUnderThePointAndTheirRectangles) {
  const AnsiString text =
      "<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"v&amp;w\" WIDTH=\"60\">"
      "<CONTROL TYPE=\"COMBO\" ID=\"k\" VALUE=\"x\" WIDTH=\"50\">"
      "<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"40\">"
      "<CONTROL TYPE=\"PASSWORD\" ID=\"p\" VALUE=\"Пароль\" WIDTH=\"60\">";
  THTMLDrawResults r = Draw(text, TRect(0, 0, 290, 100), [](THTMLDrawOptions& o) {
    o.XPos = 70;  // over the combo (61..111)
    o.YPos = 10;
  });
  EXPECT_TRUE(Result);
  EXPECT_EQ(r.ControlID, "k");
  EXPECT_EQ(r.ControlRect, TRect(61, 0, 111, 25));
  EXPECT_EQ(r.YSize, 25);  // the combo is the tallest
  auto frames = Painted("Rectangle");
  ASSERT_EQ(frames.size(), 3u);
  // Line height 25, base line 25: frames from base - 25 + 3 to base + 1.
  EXPECT_EQ(frames[0].Rect, (RECT{1, 3, 61, 26}));
  EXPECT_EQ(frames[0].PenColor, 0x808080u);
  EXPECT_EQ(frames[1].Rect, (RECT{61, 3, 111, 26}));
  auto glyphs = Painted("DrawFrameControl");
  ASSERT_EQ(glyphs.size(), 2u);
  EXPECT_EQ(glyphs[0].Rect, (RECT{92, 6, 108, 23}));
  EXPECT_EQ(glyphs[0].Flags, DFC_SCROLL | DFCS_SCROLLCOMBOBOX << 8);
  EXPECT_EQ(glyphs[1].Rect, (RECT{113, 5, 149, 25}));
  EXPECT_EQ(glyphs[1].Flags, DFC_BUTTON | DFCS_BUTTONPUSH << 8);
  EXPECT_EQ(DrawnText(), "[v&w][x][Go][******]");
  EXPECT_EQ(Pixel(1, 12), static_cast<TColor>(0x808080));  // the edit's frame

  // The pressed button while the mouse button is down over it.
  Draw(text, TRect(0, 0, 290, 100), [](THTMLDrawOptions& o) {
    o.XPos = 120;
    o.YPos = 10;
    o.Down = true;
  });
  glyphs = Painted("DrawFrameControl");
  ASSERT_EQ(glyphs.size(), 2u);
  EXPECT_EQ(glyphs[1].Flags, DFC_BUTTON | (DFCS_BUTTONPUSH | DFCS_PUSHED) << 8);
}

TEST_F(Objects, ImageListPictures) {
  TImageList images;
  TBitmap red;
  red.SetSize(16, 16);
  red.GetCanvas()->GetBrush()->SetColor(kRed);
  red.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
  images.Add(&red, nullptr);

  THTMLDrawResults r = Draw("<A HREF=\"u1\"><IMG SRC=\"IDX:0\"></A>", TRect(0, 0, 200, 50), [&](THTMLDrawOptions& o) {
    o.Images = &images;
    o.XPos = 9;
    o.YPos = 8;
  });
  EXPECT_TRUE(Result);
  EXPECT_EQ(r.Anchor, "u1");
  EXPECT_EQ(r.XSize, 16);
  EXPECT_EQ(Pixel(5, 5), kRed);

  struct Case {
    const char* Text;
    bool WithList;
  } none[] = {{"<IMG SRC=\"IDX:99\">", true}, {"<IMG SRC=\"IDX:-1\">", true}, {"<IMG SRC=\"IDX:0\">", false},
              {"<IMG SRC=\"IDX:x\">", true},  {"<IMG>", true},              {"<IMG SRC=\"nothing\">", true}};
  for (const Case& c : none) {
    SCOPED_TRACE(c.Text);
    r = Draw(c.Text, TRect(0, 0, 200, 50), [&](THTMLDrawOptions& o) { o.Images = c.WithList ? &images : nullptr; });
    EXPECT_EQ(r.XSize, 0);
    EXPECT_TRUE(Painted("DrawIconEx").empty());
  }
}

TEST_F(Objects, SystemIcons) {
  auto dir = std::filesystem::temp_directory_path() / "Yunt_Mixed.Dir";
  std::filesystem::create_directories(dir);
  auto centre = [&](const AnsiString& src) {
    C->GetBrush()->SetColor(clWhite);
    C->FillRect(TRect(0, 0, 300, 200));
    C->GetBrush()->SetStyle(bsClear);
    THTMLDrawResults r = Draw("<IMG SRC=\"" + src + "\">", TRect(0, 0, 200, 50));
    EXPECT_EQ(r.XSize, src[0] == 'S' ? 16 : 32) << src;
    return Pixel(9, 10);
  };
  const TColor folder = centre("SSYS:" + dir.string());  // opened as written, mixed case and all
  const TColor text = centre("SSYS:readme.txt");
  const TColor file = centre("SSYS:data.qqq");
  EXPECT_EQ(file, clWhite);
  EXPECT_NE(text, clWhite);
  EXPECT_NE(folder, clWhite);
  EXPECT_NE(folder, text);
  centre("LSYS:readme.txt");
  EXPECT_EQ(centre("SSYS:2"), text);  // a number is the icon itself
  THTMLDrawResults r = Draw("<IMG SRC=\"SSYS:99\">", TRect(0, 0, 200, 50));
  EXPECT_EQ(r.XSize, 0);
  std::filesystem::remove_all(dir);
}

TEST_F(Objects, ContainerAndCachePictures) {
  TBitmap blue;
  blue.SetSize(4, 3);
  blue.GetCanvas()->GetBrush()->SetColor(0xFF0000);
  blue.GetCanvas()->FillRect(TRect(0, 0, 4, 3));
  auto png = std::filesystem::temp_directory_path() / "yunt_html_pic.png";
  ASSERT_TRUE(GdiSaveBitmapPNG(blue.GetHandle(), png.string()));
  TPictureContainer container;
  container.AddPicture("Logo")->LoadFromFile(png.string());
  THTMLPictureCache cache;

  THTMLDrawResults r = Draw("<IMG SRC=\"logo\">", TRect(0, 0, 200, 50), [&](THTMLDrawOptions& o) { o.PicContainer = &container; });
  EXPECT_EQ(r.XSize, 4);
  EXPECT_EQ(Pixel(2, 14), static_cast<TColor>(0xFF0000));
  r = Draw("<IMG SRC=\"logo\" WIDTH=\"10\" HEIGHT=\"20\">", TRect(0, 0, 200, 50), [&](THTMLDrawOptions& o) { o.PicContainer = &container; });
  EXPECT_EQ(r.XSize, 10);
  EXPECT_EQ(r.YSize, 20);
  r = Draw("<BODY BACKGROUND=\"logo\">x", TRect(0, 0, 200, 50), [&](THTMLDrawOptions& o) { o.PicContainer = &container; });
  EXPECT_EQ(Pixel(150, 40), static_cast<TColor>(0xFF0000));
  EXPECT_EQ(Pixel(250, 40), clWhite);  // clipped to the rectangle

  // A URL goes through the cache once; it loads nothing yet, so takes no room.
  for (int k = 0; k < 2; ++k) {
    r = Draw("<IMG SRC=\"http://host/Pic.png\">", TRect(0, 0, 200, 50), [&](THTMLDrawOptions& o) { o.PicCache = &cache; });
    EXPECT_EQ(r.XSize, 0);
  }
  EXPECT_EQ(cache.Count(), 1);
  EXPECT_NE(cache.FindPicture("HTTP://HOST/PIC.PNG"), nullptr);
  // Nil cache and container.
  r = Draw("<IMG SRC=\"http://host/a.png\"><IMG SRC=\"logo\"><BODY BACKGROUND=\"logo\">", TRect(0, 0, 200, 50));
  EXPECT_EQ(r.XSize, 0);
  std::filesystem::remove(png);
}

TEST_F(Objects, PixelProbes) {
  auto clear = [&] {
    C->GetBrush()->SetColor(clWhite);
    C->FillRect(TRect(0, 0, 300, 200));
    C->GetBrush()->SetStyle(bsClear);
  };
  // Glyph boxes run from 1 px into the cell, 2 px narrower than the advance.
  Draw("a", TRect(0, 0, 200, 50));
  EXPECT_EQ(Pixel(7, 8), clBlack);
  EXPECT_EQ(Pixel(8, 8), clWhite);
  clear();
  Draw("<b>a</b>", TRect(0, 0, 200, 50));
  EXPECT_EQ(Pixel(8, 8), clBlack);
  clear();
  Draw("<FONT COLOR=\"clRed\">a</FONT>", TRect(0, 0, 200, 50));
  EXPECT_EQ(Pixel(4, 8), kRed);
  clear();
  Draw("a<HR>b", TRect(0, 0, 200, 50));
  EXPECT_EQ(Pixel(150, 17), clBlack);
  EXPECT_EQ(Pixel(150, 16), clWhite);
  EXPECT_EQ(Pixel(250, 17), clWhite);
  clear();
  Draw("<BODY BGCOLOR=\"clYellow\">a", TRect(0, 0, 200, 50));
  EXPECT_EQ(Pixel(150, 40), static_cast<TColor>(0x00FFFF));
  EXPECT_EQ(Pixel(4, 8), clBlack);
  clear();
  Draw("<BODY BGCOLOR=\"yellow\">a", TRect(0, 0, 200, 50));  // neither a "CL" name nor "#"
  EXPECT_EQ(Pixel(150, 40), clWhite);
  clear();
  Draw("<UL><LI>x", TRect(0, 0, 200, 50));
  int ink = 0;
  for (int y = 16; y < 32; ++y)
    for (int x = 1; x < 13; ++x) ink += Pixel(x, y) != clWhite;
  EXPECT_GT(ink, 0);  // the bullet
  clear();
  Draw("<P BGCOLOR=\"#00FF00\">a</P>b", TRect(0, 0, 200, 50));
  EXPECT_EQ(Pixel(150, 8), static_cast<TColor>(0x00FF00));
  EXPECT_EQ(Pixel(150, 24), clWhite);
  clear();
  Draw("<HI>a</HI>", TRect(0, 0, 200, 50));
  EXPECT_EQ(Pixel(1, 8), ColorToRGB(clHighlight));
  clear();
  Draw("<SHAD>a</SHAD>", TRect(0, 0, 200, 50), [](THTMLDrawOptions& o) {
    o.ShadowOffset = 2;
    o.ShadowColor = kRed;
  });
  EXPECT_EQ(Pixel(9, 8), kRed);
  EXPECT_EQ(Pixel(4, 8), clBlack);
}

}  // namespace

namespace {

// A value written by SetControlValue reads back through the drawing intact:
// entities inside tags are left to the control reader.
TEST_F(Objects, RewrittenControlValueReadsBackWhenDrawn) {
  AnsiString text = "<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"\" WIDTH=\"100\">";
  ASSERT_TRUE(SetControlValue(text, "e", "say \"hi\" & <go>"));
  InputID = "e";
  THTMLDrawResults r = Draw(text, TRect(0, 0, 200, 50), [](THTMLDrawOptions& o) { o.CheckHotSpot = true; });
  EXPECT_EQ(r.ControlValue, "say \"hi\" & <go>");
  Draw(text, TRect(0, 0, 200, 50));
  EXPECT_EQ(DrawnText(), "[say \"hi\" & <go>]");
}

}  // namespace

namespace {

// With themes reported active the frames take the themed colour; the theme
// opens no data here, so the glyphs keep their classic look.
TEST_F(Objects, ThemedFramesFallBackToClassicGlyphs) {
  SetTestThemeActive(true, u"NormalColor");
  Draw("<CONTROL TYPE=\"COMBO\" ID=\"k\" VALUE=\"x\" WIDTH=\"50\">", TRect(0, 0, 200, 50));
  SetTestThemeActive(false);
  auto frames = Painted("Rectangle");
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].PenColor, 0xB99D7Fu);
  EXPECT_EQ(Painted("DrawFrameControl").size(), 1u);
}

}  // namespace

namespace {

// The 38-parameter form passes everything through in its order, and keeps
// the caller's in-out values when nothing is found.
TEST_F(Objects, ThirtyEightParameterForm) {
  AnsiString anchor = "keep", strip, focus, hint, cid = "c9", cv = "x", ct = "y";
  int xs = -5, ys = -5, links = -5, mouse = -5;
  TRect hover(1, 2, 3, 4), ctrl(5, 6, 7, 8);
  GdiStartRecording(C->GetHandle());
  bool hit = HTMLDrawEx(C, "<A HREF=\"u1\">one</A> <A HREF=\"u2\" TITLE=\"T\">two</A>", TRect(0, 0, 200, 50), nullptr,
                        41, 8, -1, 0, 0, true, false, false, false, true, false, true, false, 1.0, clBlue, clNone,
                        clNone, clGray, anchor, strip, focus, hint, xs, ys, links, mouse, hover, ctrl, cid, cv, ct,
                        nullptr, nullptr, 0);
  GdiStopRecording(C->GetHandle());
  EXPECT_TRUE(hit);
  EXPECT_EQ(anchor, "u2");
  EXPECT_EQ(strip, "one two");
  EXPECT_EQ(hint, "T");
  EXPECT_EQ(xs, 56);
  EXPECT_EQ(ys, 16);
  EXPECT_EQ(links, 2);
  EXPECT_EQ(mouse, 2);
  EXPECT_EQ(hover, TRect(33, 0, 57, 16));
  EXPECT_EQ(ctrl, TRect(0, 0, 0, 0));
  EXPECT_EQ(cid, "c9");  // an input when hit testing only
  EXPECT_EQ(cv, "");
  EXPECT_EQ(ct, "");

  anchor = "keep";
  hit = HTMLDrawEx(C, "plain", TRect(0, 0, 200, 50), nullptr, 41, 8, -1, 0, 0, false, true, false, false, true, false,
                   true, false, 1.0, clBlue, clNone, clNone, clGray, anchor, strip, focus, hint, xs, ys, links, mouse,
                   hover, ctrl, cid, cv, ct, nullptr, nullptr, 0);
  EXPECT_FALSE(hit);
  EXPECT_EQ(anchor, "keep");
  EXPECT_EQ(hover, TRect(33, 0, 57, 16));
  EXPECT_EQ(cid, "");  // emptied unless hit testing only
  EXPECT_EQ(mouse, -1);
}

TEST_F(Objects, PrintedPicturesAreScaledBitmaps) {
  TImageList images;
  TBitmap red;
  red.SetSize(16, 16);
  red.GetCanvas()->GetBrush()->SetColor(kRed);
  red.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
  images.Add(&red, nullptr);
  THTMLDrawResults r = Draw("<IMG SRC=\"IDX:0\">", TRect(0, 0, 200, 50), [&](THTMLDrawOptions& o) {
    o.Images = &images;
    o.Print = true;
    o.ResFactor = 2.0;
  });
  EXPECT_EQ(r.XSize, 16);  // laid out at screen size
  auto blits = Painted("StretchDIBits");
  ASSERT_EQ(blits.size(), 1u);
  EXPECT_EQ(blits[0].Rect, (RECT{1, 0, 33, 32}));
  EXPECT_EQ(Pixel(30, 30), kRed);
}

}  // namespace
