// The program's bitmap and cursor images, drawn when they are loaded.
// Glyph bitmaps have a fuchsia background (the bottom-left pixel, so
// transparent drawing leaves it out); the spin glyphs use olive, as their
// users expect.
#include <cstring>
#include <string>
#include <vector>

#include "platform/graphics/gdi_internal.h"
#include "platform/graphics/graphics.h"
#include "platform/graphics/resources.h"

namespace {
constexpr COLORREF kKey = RGB(255, 0, 255);

// A small drawing surface for building one image.
class TImage {
public:
  TImage(int w, int h, COLORREF bg) : W(w), H(h) {
    HDC screen = GetDC(nullptr);
    Bmp = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    Dc = CreateCompatibleDC(nullptr);
    Old = SelectObject(Dc, Bmp);
    Fill(0, 0, w, h, bg);
  }
  ~TImage() {
    SelectObject(Dc, Old);
    DeleteDC(Dc);
    if (Bmp) DeleteObject(Bmp);
  }
  HBITMAP Take() {
    SelectObject(Dc, Old);
    HBITMAP b = Bmp;
    Bmp = nullptr;
    return b;
  }
  void Px(int x, int y, COLORREF c) { SetPixel(Dc, x, y, c); }
  void Fill(int l, int t, int r, int b, COLORREF c) {
    HBRUSH br = CreateSolidBrush(c);
    RECT rc{l, t, r, b};
    FillRect(Dc, &rc, br);
    DeleteObject(br);
  }
  void Frame(int l, int t, int r, int b, COLORREF c) {
    HBRUSH br = CreateSolidBrush(c);
    RECT rc{l, t, r, b};
    FrameRect(Dc, &rc, br);
    DeleteObject(br);
  }
  // A line including both end points.
  void Line(int x0, int y0, int x1, int y1, COLORREF c) {
    HPEN p = CreatePen(PS_SOLID, 1, c);
    HGDIOBJ o = SelectObject(Dc, p);
    MoveToEx(Dc, x0, y0, nullptr);
    LineTo(Dc, x1, y1);
    SetPixel(Dc, x1, y1, c);
    SelectObject(Dc, o);
    DeleteObject(p);
  }
  void Circle(int l, int t, int r, int b, COLORREF pen, COLORREF fill) {
    HPEN p = CreatePen(PS_SOLID, 1, pen);
    HBRUSH br = CreateSolidBrush(fill);
    HGDIOBJ op = SelectObject(Dc, p), ob = SelectObject(Dc, br);
    Ellipse(Dc, l, t, r, b);
    SelectObject(Dc, op);
    SelectObject(Dc, ob);
    DeleteObject(p);
    DeleteObject(br);
  }
  // A triangle pointing up (dir 0), down (1), left (2) or right (3) with its
  // base `base` pixels wide (odd) and its tip at the given point.
  void Tri(int tipX, int tipY, int base, int dir, COLORREF c) {
    for (int i = 0; i <= base / 2; ++i) {
      int len = 2 * i + 1;
      switch (dir) {
        case 0: Fill(tipX - i, tipY + i, tipX - i + len, tipY + i + 1, c); break;
        case 1: Fill(tipX - i, tipY - i, tipX - i + len, tipY - i + 1, c); break;
        case 2: Fill(tipX + i, tipY - i, tipX + i + 1, tipY - i + len, c); break;
        default: Fill(tipX - i, tipY - i, tipX - i + 1, tipY - i + len, c); break;
      }
    }
  }
  // Pixel art: one string per row, colours by letter, other letters skip.
  void Art(int ox, int oy, const std::vector<const char*>& rows) {
    for (std::size_t y = 0; y < rows.size(); ++y)
      for (std::size_t x = 0; rows[y][x]; ++x) {
        COLORREF c;
        if (Colour(rows[y][x], c)) Px(ox + static_cast<int>(x), oy + static_cast<int>(y), c);
      }
  }
  static bool Colour(char ch, COLORREF& c) {
    switch (ch) {
      case 'k': c = RGB(0, 0, 0); return true;
      case 'w': c = RGB(255, 255, 255); return true;
      case 'g': c = RGB(128, 128, 128); return true;
      case 's': c = RGB(192, 192, 192); return true;
      case 'b': c = RGB(0, 0, 128); return true;
      case 'B': c = RGB(49, 106, 197); return true;
      case 'r': c = RGB(192, 0, 0); return true;
      case 'G': c = RGB(0, 128, 0); return true;
      case 'y': c = RGB(255, 255, 0); return true;
      case 'Y': c = RGB(128, 128, 0); return true;
      default: return false;
    }
  }
  int W, H;
  HDC Dc;
  HBITMAP Bmp;
  HGDIOBJ Old;
};

// ---- Check boxes and radio buttons ----------------------------------------
// Variant: checked, disabled.
HBITMAP CheckBox(int size, bool xp, bool checked, bool disabled) {
  TImage im(size, size, kKey);
  int box = 13, o = (size - box) / 2;
  COLORREF border = xp ? (disabled ? RGB(202, 200, 187) : RGB(28, 81, 128)) : (disabled ? RGB(160, 160, 160) : RGB(64, 64, 64));
  COLORREF face = disabled ? RGB(236, 236, 230) : RGB(255, 255, 255);
  COLORREF mark = disabled ? RGB(160, 160, 160) : (xp ? RGB(33, 161, 33) : RGB(0, 0, 0));
  im.Fill(o, o, o + box, o + box, face);
  im.Frame(o, o, o + box, o + box, border);
  if (checked) {
    static const int top[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int c = 0; c < 7; ++c) im.Fill(o + 3 + c, o + 3 + top[c], o + 4 + c, o + 6 + top[c], mark);
  }
  return im.Take();
}

HBITMAP Radio(bool xp, bool checked, bool disabled) {
  TImage im(16, 16, kKey);
  COLORREF border = xp ? (disabled ? RGB(202, 200, 187) : RGB(28, 81, 128)) : (disabled ? RGB(160, 160, 160) : RGB(64, 64, 64));
  COLORREF face = disabled ? RGB(236, 236, 230) : RGB(255, 255, 255);
  COLORREF dot = disabled ? RGB(160, 160, 160) : (xp ? RGB(33, 161, 33) : RGB(0, 0, 0));
  im.Circle(2, 2, 15, 15, border, face);
  if (checked) im.Circle(6, 6, 11, 11, dot, dot);
  return im.Take();
}

// ---- Nodes, panel buttons, glyphs -----------------------------------------
HBITMAP Node(int size, bool contracted) {
  TImage im(size, size, kKey);
  int box = size == 9 ? 9 : 11, o = (size - box) / 2;
  im.Fill(o, o, o + box, o + box, RGB(255, 255, 255));
  im.Frame(o, o, o + box, o + box, RGB(128, 128, 128));
  int mid = o + box / 2;
  im.Line(o + 2, mid, o + box - 3, mid, RGB(0, 0, 0));
  if (contracted) im.Line(mid, o + 2, mid, o + box - 3, RGB(0, 0, 0));
  // Rounded corners, which also leave the key colour bottom-left.
  for (int cx : {o, o + box - 1})
    for (int cy : {o, o + box - 1}) im.Px(cx, cy, kKey);
  return im.Take();
}

HBITMAP Close(int state) {  // 0 normal, 1 hot, 2 down
  TImage im(14, 14, kKey);
  if (state == 1) {
    im.Fill(0, 0, 14, 14, RGB(255, 255, 255));
    im.Frame(0, 0, 14, 14, RGB(128, 128, 128));
  } else if (state == 2) {
    im.Fill(0, 0, 14, 14, RGB(192, 192, 192));
    im.Frame(0, 0, 14, 14, RGB(64, 64, 64));
  }
  // Keep the bottom-left pixel the key colour so the glyph stays
  // transparent around its frame.
  im.Px(0, 13, kKey);
  int d = state == 2 ? 1 : 0;
  for (int i = 0; i < 7; ++i) {
    im.Fill(3 + i + d, 3 + i + d, 5 + i + d, 4 + i + d, RGB(0, 0, 0));
    im.Fill(9 - i + d, 3 + i + d, 11 - i + d, 4 + i + d, RGB(0, 0, 0));
  }
  return im.Take();
}

HBITMAP ArrowGlyph(int dir, bool disabled) {
  TImage im(16, 16, kKey);
  COLORREF c = disabled ? RGB(128, 128, 128) : RGB(0, 0, 128);
  if (disabled) {
    if (dir == 0)
      im.Tri(8, 5, 9, 0, RGB(255, 255, 255));
    else
      im.Tri(8, 11, 9, 1, RGB(255, 255, 255));
  }
  if (dir == 0)
    im.Tri(7, 4, 9, 0, c);
  else
    im.Tri(7, 10, 9, 1, c);
  // The shaft.
  if (dir == 0)
    im.Fill(6, 9, 9, 13, c);
  else
    im.Fill(6, 2, 9, 6, c);
  return im.Take();
}

HBITMAP Highlight(bool disabled) {
  TImage im(16, 16, kKey);
  COLORREF marker = disabled ? RGB(192, 192, 192) : RGB(255, 255, 0);
  COLORREF ink = disabled ? RGB(128, 128, 128) : RGB(0, 0, 0);
  im.Fill(1, 9, 15, 14, marker);
  // A capital "A" over the marker stroke.
  im.Line(4, 12, 8, 2, ink);
  im.Line(8, 2, 12, 12, ink);
  im.Line(6, 8, 10, 8, ink);
  return im.Take();
}

HBITMAP Filter() {
  TImage im(16, 16, kKey);
  im.Art(0, 0, {
      "................",
      ".kkkkkkkkkkkkkk.",
      ".kwwwwwwwwwwwwk.",
      "..kwwwwwwwwwwk..",
      "...kwwwwwwwwk...",
      "....kwwwwwwk....",
      ".....kwwwwk.....",
      "......kwwk......",
      "......kwwk......",
      "......kwwk......",
      "......kwwk......",
      "......kwwk......",
      "......kwwk......",
      ".......kkk......",
      "................",
      "................",
  });
  return im.Take();
}

HBITMAP Spin(bool up) {
  TImage im(9, 6, RGB(128, 128, 0));
  // 7 pixels wide at the base, 4 rows high, centred.
  if (up)
    im.Tri(4, 1, 7, 0, RGB(0, 0, 0));
  else
    im.Tri(4, 4, 7, 1, RGB(0, 0, 0));
  return im.Take();
}

// Origin marks of wheel panning: a circle with arrows in the allowed
// directions.
HBITMAP PanOrigin(bool vertical, bool horizontal) {
  TImage im(28, 28, kKey);
  im.Circle(1, 1, 27, 27, RGB(0, 0, 0), RGB(255, 255, 255));
  im.Circle(12, 12, 16, 16, RGB(0, 0, 0), RGB(0, 0, 0));
  if (vertical) {
    im.Tri(13, 4, 7, 0, RGB(0, 0, 0));
    im.Tri(13, 23, 7, 1, RGB(0, 0, 0));
  }
  if (horizontal) {
    im.Tri(4, 13, 7, 2, RGB(0, 0, 0));
    im.Tri(23, 13, 7, 3, RGB(0, 0, 0));
  }
  return im.Take();
}

// ---- Navigator glyphs -----------------------------------------------------
HBITMAP DbGlyph(const char* kind, bool disabled) {
  TImage im(16, 16, kKey);
  COLORREF c = disabled ? RGB(128, 128, 128) : RGB(0, 0, 0);
  COLORREF hi = RGB(255, 255, 255);
  std::string k = kind;
  auto shadowTri = [&](int x, int y, int base, int dir) {
    if (disabled) im.Tri(x + 1, y + 1, base, dir, hi);
    im.Tri(x, y, base, dir, c);
  };
  auto shadowFill = [&](int l, int t, int r, int b) {
    if (disabled) im.Fill(l + 1, t + 1, r + 1, b + 1, hi);
    im.Fill(l, t, r, b, c);
  };
  if (k == "FIRST") {
    shadowFill(4, 4, 6, 12);
    shadowTri(7, 8, 9, 2);
  } else if (k == "PRIOR") {
    shadowTri(6, 8, 9, 2);
  } else if (k == "NEXT") {
    shadowTri(10, 8, 9, 3);
  } else if (k == "LAST") {
    shadowTri(9, 8, 9, 3);
    shadowFill(10, 4, 12, 12);
  } else if (k == "INSERT") {
    shadowFill(4, 7, 13, 9);
    shadowFill(7, 4, 9, 13);
  } else if (k == "DELETE") {
    shadowFill(4, 7, 13, 9);
  } else if (k == "EDIT") {
    // A pencil.
    COLORREF body = disabled ? RGB(128, 128, 128) : RGB(192, 128, 0);
    for (int i = 0; i < 8; ++i) im.Fill(5 + i, 11 - i, 7 + i, 13 - i, body);
    im.Fill(3, 12, 5, 14, c);
  } else if (k == "POST") {
    COLORREF ok = disabled ? RGB(128, 128, 128) : RGB(0, 128, 0);
    static const int top[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int x = 0; x < 7; ++x) im.Fill(4 + x, 5 + top[x], 5 + x, 8 + top[x], ok);
  } else if (k == "CANCEL") {
    COLORREF no = disabled ? RGB(128, 128, 128) : RGB(192, 0, 0);
    for (int i = 0; i < 8; ++i) {
      im.Fill(4 + i, 4 + i, 6 + i, 5 + i, no);
      im.Fill(10 - i, 4 + i, 12 - i, 5 + i, no);
    }
  } else {  // REFRESH: a circular arrow
    COLORREF cc = disabled ? RGB(128, 128, 128) : RGB(0, 0, 128);
    HPEN p = CreatePen(PS_SOLID, 2, cc);
    HGDIOBJ o = SelectObject(im.Dc, p);
    Arc(im.Dc, 3, 3, 13, 13, 13, 3, 13, 8);
    SelectObject(im.Dc, o);
    DeleteObject(p);
    im.Tri(12, 5, 5, 1, cc);
  }
  return im.Take();
}

// ---- Cursors --------------------------------------------------------------
// Cursors are 32 x 32; pixels of the key colour are transparent.
HCURSOR MakeCursor(const std::function<void(TImage&)>& draw, int hotX, int hotY) {
  TImage im(32, 32, kKey);
  draw(im);
  HBITMAP color = im.Take();
  std::vector<std::uint32_t> px(32 * 32);
  std::vector<bool> opaque(32 * 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      std::uint32_t p = color->Row(y)[x];
      px[static_cast<std::size_t>(y * 32 + x)] = p;
      opaque[static_cast<std::size_t>(y * 32 + x)] = (p & 0xFFFFFF) != 0xFF00FF;
    }
  DeleteObject(color);
  HICON c = gdi::NewIcon(32, 32, px, opaque);
  c->HotX = hotX;
  c->HotY = hotY;
  return c;
}

// An arrow from the centre towards (dx, dy) (each -1, 0 or 1).
void PanArrow(TImage& im, int dx, int dy) {
  im.Circle(12, 12, 20, 20, RGB(0, 0, 0), RGB(255, 255, 255));
  int tipX = 16 + dx * 12, tipY = 16 + dy * 12;
  int dir = dy < 0 ? 0 : dy > 0 ? 1 : dx < 0 ? 2 : 3;
  if (dx != 0 && dy != 0) {
    // Diagonals: a thick line and a small block tip.
    for (int i = 0; i < 9; ++i) im.Fill(16 + dx * i - 1, 16 + dy * i - 1, 16 + dx * i + 1, 16 + dy * i + 1, RGB(0, 0, 0));
    im.Fill(tipX - 2 - (dx > 0 ? 1 : 0), tipY - 2 - (dy > 0 ? 1 : 0), tipX + 2, tipY + 2, RGB(0, 0, 0));
    return;
  }
  im.Tri(tipX, tipY, 9, dir, RGB(0, 0, 0));
}

void SelectArrow(TImage& im, int dir) {  // 2 left-pointing (row), 1 down (column), 4 select-all
  if (dir == 4) {
    for (int i = 0; i < 10; ++i) im.Fill(4 + i, 4 + i, 6 + i, 6 + i, RGB(0, 0, 0));
    im.Tri(4, 4, 9, 0, RGB(0, 0, 0));
    return;
  }
  if (dir == 1) {
    im.Fill(15, 2, 18, 16, RGB(0, 0, 0));
    im.Tri(16, 22, 11, 1, RGB(0, 0, 0));
  } else {
    im.Fill(2, 15, 16, 18, RGB(0, 0, 0));
    im.Tri(22, 16, 11, 3, RGB(0, 0, 0));
  }
}
}  // namespace

void AddBuiltInResources(const std::function<void(const char*, std::function<HBITMAP()>)>& add,
                         const std::function<void(int, std::function<HCURSOR()>)>& addCursor) {
  // Check boxes and radio buttons: 1/5 checked, 2/6 unchecked, 3/7 checked
  // disabled, 4/8 unchecked disabled.
  static const char* chk[] = {"VZVCHK01", "VZVCHK02", "VZVCHK03", "VZVCHK04",
                              "VZVCHK05", "VZVCHK06", "VZVCHK07", "VZVCHK08"};
  static const char* rad[] = {"VZVRAD01", "VZVRAD02", "VZVRAD03", "VZVRAD04",
                              "VZVRAD05", "VZVRAD06", "VZVRAD07", "VZVRAD08"};
  for (int i = 0; i < 8; ++i) {
    bool xp = i >= 4, checked = i % 2 == 0, disabled = i % 4 >= 2;
    add(chk[i], [=] { return CheckBox(xp ? 16 : 20, xp, checked, disabled); });
    add(rad[i], [=] { return Radio(xp, checked, disabled); });
  }
  add("VZVLEAFOPEN", [] { return Node(16, false); });
  add("VZVLEAFCLOSE", [] { return Node(16, true); });
  add("XPNODEO", [] { return Node(9, false); });
  add("XPNODEC", [] { return Node(9, true); });
  add("VZVFILT", [] { return Filter(); });
  add("VZVCLOSE", [] { return Close(0); });
  add("VZVCLOSEH", [] { return Close(1); });
  add("VZVCLOSED", [] { return Close(2); });
  add("VZVARDOWN", [] { return ArrowGlyph(1, false); });
  add("VZVARDOWND", [] { return ArrowGlyph(1, true); });
  add("VZVARUP", [] { return ArrowGlyph(0, false); });
  add("VZVARUPD", [] { return ArrowGlyph(0, true); });
  add("VZVHI", [] { return Highlight(false); });
  add("VZVHID", [] { return Highlight(true); });
  add("VZVSPINUP", [] { return Spin(true); });
  add("VZVSPINDOWN", [] { return Spin(false); });
  add("INTLI1", [] { return PanOrigin(true, true); });
  add("INTLI2", [] { return PanOrigin(false, true); });
  add("INTLI3", [] { return PanOrigin(true, false); });
  static const char* db[] = {"FIRST", "PRIOR", "NEXT", "LAST", "INSERT", "DELETE", "EDIT", "POST", "CANCEL", "REFRESH"};
  static std::vector<std::string> names;
  if (names.empty())
    for (const char* k : db) {
      names.push_back(std::string("DBIMG") + k);
      names.push_back(std::string("DBIMG") + k + "D");
    }
  for (int i = 0; i < 10; ++i) {
    const char* kind = db[i];
    add(names[static_cast<std::size_t>(2 * i)].c_str(), [kind] { return DbGlyph(kind, false); });
    add(names[static_cast<std::size_t>(2 * i + 1)].c_str(), [kind] { return DbGlyph(kind, true); });
  }

  // Wheel panning: 8000 the neutral mark, 8001..8008 the directions
  // S, W, E, N, NE, NW, SE, SW (the order the grid's pan asks them in).
  addCursor(8000, [] {
    return MakeCursor([](TImage& im) {
      im.Circle(8, 8, 24, 24, RGB(0, 0, 0), RGB(255, 255, 255));
      im.Tri(16, 3, 7, 0, RGB(0, 0, 0));
      im.Tri(16, 28, 7, 1, RGB(0, 0, 0));
      im.Tri(3, 16, 7, 2, RGB(0, 0, 0));
      im.Tri(28, 16, 7, 3, RGB(0, 0, 0));
    }, 16, 16);
  });
  static const int dirs[8][2] = {{0, 1}, {-1, 0}, {1, 0}, {0, -1}, {1, -1}, {-1, -1}, {1, 1}, {-1, 1}};
  for (int i = 0; i < 8; ++i) {
    int dx = dirs[i][0], dy = dirs[i][1];
    addCursor(8001 + i, [dx, dy] { return MakeCursor([dx, dy](TImage& im) { PanArrow(im, dx, dy); }, 16, 16); });
  }
  addCursor(8010, [] { return MakeCursor([](TImage& im) { SelectArrow(im, 3); }, 22, 16); });
  addCursor(8011, [] { return MakeCursor([](TImage& im) { SelectArrow(im, 1); }, 16, 22); });
  addCursor(8012, [] { return MakeCursor([](TImage& im) { SelectArrow(im, 4); }, 4, 4); });
  addCursor(8014, [] {
    return MakeCursor([](TImage& im) {
      im.Fill(15, 4, 17, 28, RGB(0, 0, 0));
      im.Fill(4, 15, 28, 17, RGB(0, 0, 0));
      im.Frame(11, 11, 21, 21, RGB(0, 0, 0));
    }, 16, 16);
  });
}
