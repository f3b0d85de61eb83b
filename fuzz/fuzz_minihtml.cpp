// Fuzz target of the mini-HTML engine: the input is drawn, measured and
// hit-tested on an offscreen canvas and fed to every text function.
//
// Input: byte 0 holds option bits, byte 1 and 2 the hit point; the rest is
// the marked-up text. Round trips that must hold are checked.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/picture_limit.h"
#include "grid/picturecontainer.h"
#include "grid/vzvhtmle.h"
#include "platform/graphics/gdi_testfont.h"

namespace {

struct TWorld {
  TBitmap Bmp;
  TImageList Images;
  TPictureContainer Container;
  THTMLPictureCache Cache;
  TWorld() {
    Bmp.SetSize(160, 80);
    TBitmap icon;
    icon.SetSize(16, 16);
    icon.GetCanvas()->GetBrush()->SetColor(0x00FF00);
    icon.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
    Images.Add(&icon, nullptr);
    Container.AddPicture("logo");
  }
};

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

TWorld* World() {
  static TWorld* world = new TWorld;
  return world;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // The first use of a real face sets up the font machinery, which takes
  // far longer than any input: do it before the clock runs.
  TCanvas* c = World()->Bmp.GetCanvas();
  c->GetFont()->SetName("Arial");
  THTMLDrawOptions o;
  o.Canvas = c;
  o.Text = "<R A=\"45\">x</R><UL><LI>y";
  o.Rect = TRect(0, 0, 100, 50);
  THTMLDrawResults r;
  HTMLDraw(o, r);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  TWorld* world = World();
  if (Size < 3) return 0;
  const std::uint8_t flags = Data[0];
  const int px = Data[1] % 170, py = Data[2] % 90;
  const AnsiString text(reinterpret_cast<const char*>(Data + 3), Size - 3);

  TCanvas* c = world->Bmp.GetCanvas();
  // Real glyphs for one input in eight (they are slow); the test face else.
  c->GetFont()->SetName((flags & 0xE0) == 0xE0 ? "Arial" : kTestFixedFontName);
  c->GetFont()->SetSize(8);
  c->GetFont()->SetStyle({});
  c->GetBrush()->SetColor(clWhite);
  c->FillRect(TRect(0, 0, 160, 80));

  THTMLDrawOptions o;
  o.Canvas = c;
  o.Text = text;
  o.Rect = TRect(2, 2, 150, 75);
  o.Images = flags & 0x01 ? &world->Images : nullptr;
  o.PicContainer = flags & 0x02 ? &world->Container : nullptr;
  o.PicCache = flags & 0x04 ? &world->Cache : nullptr;
  o.WordWrap = (flags & 0x08) == 0;
  o.Print = (flags & 0x10) != 0;
  o.Selected = (flags & 0x20) != 0;
  o.HoverStyle = (flags & 0x40) != 0;
  o.Blink = (flags & 0x01) != 0;
  o.XPos = px;
  o.YPos = py;
  o.FocusLink = flags & 3;
  o.HoverLink = (flags >> 2) & 3;
  o.ShadowOffset = 1;
  for (int mode = 0; mode < 3; ++mode) {
    o.CheckHeight = mode == 0;
    o.CheckHotSpot = mode == 1;
    THTMLDrawResults r;
    r.ControlID = "c1";
    HTMLDraw(o, r);
    Check(r.XSize >= 0 && r.YSize >= 0 && r.HyperLinks >= 0);
  }
  world->Cache.ClearPictures();

  // Text functions; a piece of the input is the search text and control ID.
  const AnsiString piece = text.substr(0, Size % 4);
  HTMLStrip(text);
  AnsiString lit = HiLight(text, piece, "hi", flags & 1);
  UnHiLight(lit, "hi");
  Check(RestoreMarkup(FixMarkup(text)) == text);
  FixNonBreaking(text);
  HasHTMLControl(text);
  GetNextControlID(text, piece);
  ClearRadioControls(text);
  AnsiString v;
  GetControlValue(text, piece, v);
  GetControlProp(text, piece);
  GetControlMaxLen(text, piece);
  AnsiString s = text;
  SetControlValue(s, piece, text);
  // Any value written into a well-formed control reads back unchanged.
  AnsiString id;
  for (char ch : piece)
    if (ch != '"' && ch != '>' && ch != '<') id += ch;
  AnsiString form = "x<CONTROL TYPE=\"EDIT\" ID=\"" + id + "\" WIDTH=\"40\">y";
  Check(SetControlValue(form, id, text));
  Check(GetControlValue(form, id, v) && v == text);
  return 0;
}
