// The pictures of the toolbar and the program icon, drawn in code so that
// they stay sharp at their small size. Reading buttons are green, writing
// buttons red; a clear fuchsia background is the transparent colour.
#include "app/sdimain_build.h"
#include "platform/graphics/graphics.h"

namespace {

constexpr TColor Transparent = clFuchsia;

void Clear(TCanvas* C, int Size) {
  C->GetBrush()->SetColor(Transparent);
  C->FillRect(TRect(0, 0, Size, Size));
}

// A rounded tile in Colour with a short white text on it.
void Tile(TCanvas* C, TColor Colour, const char* Text) {
  Clear(C, 16);
  C->GetPen()->SetColor(clBlack);
  C->GetBrush()->SetColor(Colour);
  C->Rectangle(0, 1, 16, 15);
  C->GetBrush()->SetStyle(bsClear);
  C->GetFont()->SetName("Arial");
  C->GetFont()->SetHeight(-10);
  TFontStyles bold;
  bold << fsBold;
  C->GetFont()->SetStyle(bold);
  C->GetFont()->SetColor(clWhite);
  TSize size = C->TextExtent(Text);
  C->TextOut((16 - size.cx) / 2, (16 - size.cy) / 2, Text);
  C->GetBrush()->SetStyle(bsSolid);
}

// A clock face with a coloured rim.
void Clock(TCanvas* C, TColor Rim) {
  Clear(C, 16);
  C->GetPen()->SetColor(Rim);
  C->GetPen()->SetWidth(2);
  C->GetBrush()->SetColor(clWhite);
  C->Ellipse(1, 1, 15, 15);
  C->GetPen()->SetWidth(1);
  C->GetPen()->SetColor(clBlack);
  C->MoveTo(8, 8);
  C->LineTo(8, 3);
  C->MoveTo(8, 8);
  C->LineTo(12, 8);
}

// A key, for the login by number and password.
void Key(TCanvas* C) {
  Clear(C, 16);
  C->GetPen()->SetColor(clBlack);
  C->GetBrush()->SetColor(clYellow);
  C->Ellipse(1, 4, 8, 11);
  C->Rectangle(7, 6, 15, 9);
  C->Rectangle(11, 8, 13, 12);
  C->Rectangle(13, 8, 15, 11);
}

// Two plugs joined by a cable, for the local connection.
void Plug(TCanvas* C) {
  Clear(C, 16);
  C->GetPen()->SetColor(clBlack);
  C->GetBrush()->SetColor(clGreen);
  C->Rectangle(1, 5, 6, 11);
  C->Rectangle(10, 5, 15, 11);
  C->MoveTo(6, 8);
  C->LineTo(10, 8);
}

}  // namespace

void DrawToolBarImages(TImageList* List) {
  List->SetWidth(16);
  List->SetHeight(16);
  const TColor read = clGreen, write = clMaroon;
  auto add = [&](auto Draw) {
    TBitmap b;
    b.SetSize(16, 16);
    Draw(b.Canvas());
    List->AddMasked(&b, Transparent);
  };
  add([](TCanvas* c) { Plug(c); });                              // local connection
  add([](TCanvas* c) { Key(c); });                               // number and password
  add([&](TCanvas* c) { Clock(c, read); });                      // read clock
  add([&](TCanvas* c) { Clock(c, clRed); });                     // write clock
  add([&](TCanvas* c) { Tile(c, clOlive, "A"); });               // active energy
  add([&](TCanvas* c) { Tile(c, clTeal, "R"); });                // reactive energy
  add([&](TCanvas* c) { Tile(c, clBlue, "30"); });               // 30-minute active profile
  add([&](TCanvas* c) { Tile(c, clTeal, "30"); });               // 30-minute reactive profile
  add([&](TCanvas* c) { Tile(c, clBlue, "pA"); });               // variable-period active
  add([&](TCanvas* c) { Tile(c, clTeal, "pR"); });               // variable-period reactive
  add([&](TCanvas* c) { Tile(c, read, "T"); });                  // read tariffs
  add([&](TCanvas* c) { Tile(c, write, "T"); });                 // write tariffs
  add([&](TCanvas* c) { Tile(c, clPurple, "!"); });              // event log
  add([&](TCanvas* c) { Tile(c, read, "L"); });                  // read limits
  add([&](TCanvas* c) { Tile(c, write, "L"); });                 // write limits
}

void DrawProgramIcon(TBitmap* Bitmap) {
  Bitmap->SetSize(32, 32);
  TCanvas* c = Bitmap->Canvas();
  c->GetBrush()->SetColor(clBtnFace);
  c->FillRect(TRect(0, 0, 32, 32));
  c->GetPen()->SetColor(clBlack);
  c->GetBrush()->SetColor(clSilver);
  c->Rectangle(3, 1, 29, 31);         // the meter's case
  c->GetBrush()->SetColor(0x60A060);  // its display
  c->Rectangle(6, 5, 26, 14);
  c->GetPen()->SetColor(clBlack);
  for (int x = 8; x < 24; x += 4) {
    c->MoveTo(x, 7);
    c->LineTo(x + 2, 7);
    c->LineTo(x + 2, 12);
    c->LineTo(x, 12);
  }
  c->GetBrush()->SetColor(clNavy);
  c->Rectangle(10, 20, 22, 26);       // terminal cover
}
