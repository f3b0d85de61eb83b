// The markup engine's objects: form controls, pictures and the body
// background; the entry points.
#include <algorithm>

#include "grid/picturecontainer.h"
#include "grid/vzvhtmle_engine.h"
#include "grid/zytxpvs.h"
#include "platform/rtl/sysutils.h"
#include "platform/shell/shellapi.h"

namespace vzvhtml {

namespace {
constexpr int kMaxObject = 100000;  // object sizes beyond any screen or page

int Utf8Chars(const AnsiString& s) {
  int n = 0;
  for (unsigned char c : s) n += (c & 0xC0) != 0x80;
  return n;
}

// Draws a themed part when themes are on and the theme opens; false for the
// classic fallback.
bool DrawThemed(std::uintptr_t wnd, const char16_t* cls, HDC dc, int part, int state, const RECT& r) {
  if (!zytxpvs::ThemesActive() || !zytxpvs::OpenThemeData || !zytxpvs::DrawThemeBackground ||
      !zytxpvs::CloseThemeData)
    return false;
  HTHEME t = zytxpvs::OpenThemeData(reinterpret_cast<HWND>(wnd), cls);
  if (!t) return false;
  bool ok = SUCCEEDED(zytxpvs::DrawThemeBackground(t, dc, part, state, &r, nullptr));
  zytxpvs::CloseThemeData(t);
  return ok;
}
}  // namespace

bool TEngine::PlaceObject(TPass Pass, TLineGeom& G, int W, int H) {
  if (Pass == TPass::Measure && LineWidth - X < W && W < LineWidth) return false;
  G.Height = std::max(G.Height, H);
  return true;
}

bool TEngine::HandleControl(TPass Pass, TFormatState& St, TLineGeom& G, std::string_view Tag) {
  TControlTag c;
  ReadControlAttributes(Tag.substr(std::min<std::size_t>(8, Tag.size())), c);
  int w = 0;
  if (!TagInt(c.Width, w)) return true;  // without a numeric WIDTH the control is skipped
  w = std::clamp(w, 0, kMaxObject);
  int h = GhHeight(St) + 6;
  if (c.Type == "BUTTON") h = 18;
  if (c.Type == "COMBO") h = 25;
  if (c.Type == "CHECK" || c.Type == "RADIO") w = h = 16;
  if (!PlaceObject(Pass, G, w, h)) return false;
  const int px = O.XPos - G.Left;
  const bool under = px > X && px < X + w && O.YPos > G.Top && O.YPos < G.Top + h;
  if (under || (O.CheckHotSpot && !InputID.empty() && c.ID == InputID)) {
    R.Anchor = "ctrl";
    R.ControlRect = TRect(G.Left + X, G.Top, G.Left + X + w, G.Top + h);
    R.ControlID = c.ID;
    R.ControlValue = c.Value;
    R.ControlType = c.Type;
    AltPicture = St.ImgCount;
    if (Pass == TPass::Second) Hit = true;
  }
  if (Painting(Pass)) DrawControl(St, G, c, G.Left + X, w);
  X += w;
  ++PlacedItems;
  PlacedEndsWithBlank = false;
  TrailingBlank = 0;
  return true;
}

void TEngine::DrawControl(const TFormatState& St, const TLineGeom& G, const TControlTag& C, int x, int w) {
  const int bottom = G.Base(), lh = G.Height;
  HPEN pen = CreatePen(PS_SOLID, 1, Themed ? 0xB99D7F : 0x808080);
  HGDIOBJ oldPen = SelectObject(DC, pen);
  HGDIOBJ oldBrush = SelectObject(DC, GetStockObject(NULL_BRUSH));
  Select(St);
  SetTextColor(DC, ColorToRGB(St.Font.Color));
  SetBkMode(DC, TRANSPARENT);
  const UINT textFlags = DT_SINGLELINE | DT_BOTTOM | DT_NOPREFIX;
  const AnsiString& t = C.Type;
  if (t == "EDIT" || t == "MASK" || t == "PASSWORD" || t == "COMBO") {
    Rectangle(DC, x, bottom - lh + 3, x + w, bottom + 1);
    AnsiString shown = t == "PASSWORD" ? AnsiString(static_cast<std::size_t>(Utf8Chars(C.Value)), '*') : C.Value;
    if (t == "COMBO") {
      RECT v{x + 2, bottom - lh + 6, x + w - 17, bottom};
      DrawTextA(DC, shown.c_str(), static_cast<int>(shown.size()), &v, textFlags);
      RECT b{x + w - 19, bottom - lh + 6, x + w - 3, bottom - 2};
      const bool in = O.XPos > x - 2 && O.XPos < x - 2 + w && O.YPos > bottom - 2 - 25 && O.YPos < bottom - 2;
      if (!DrawThemed(O.WinHandle, u"combobox", DC, 1, in ? 2 : 1, b)) DrawFrameControl(DC, &b, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
    } else {
      RECT v{x + 2, bottom - lh + 4, x + w, bottom};
      DrawTextA(DC, shown.c_str(), static_cast<int>(shown.size()), &v, textFlags);
    }
  } else if (t == "CHECK" || t == "RADIO") {
    const bool checked = UpperAscii(C.Value) == "TRUE";
    const bool check = t == "CHECK";
    RECT b = check ? RECT{x + 2, bottom - 15, x + 15, bottom} : RECT{x + 2, bottom - 14, x + 14, bottom};
    if (!DrawThemed(O.WinHandle, u"button", DC, check ? 3 : 2, checked ? 5 : 1, b))
      DrawFrameControl(DC, &b, DFC_BUTTON,
                       (check ? DFCS_BUTTONCHECK : DFCS_BUTTONRADIO) | DFCS_FLAT | (checked ? DFCS_CHECKED : 0));
  } else if (t == "BUTTON") {
    RECT b{x + 2, bottom - 20, x + w - 2, bottom};
    const bool in = O.XPos > x && O.XPos < x + w && O.YPos > G.Top && O.YPos < G.Top + 24;
    if (!DrawThemed(O.WinHandle, u"button", DC, 1, O.Down && in ? 3 : in ? 2 : 1, b))
      DrawFrameControl(DC, &b, DFC_BUTTON, DFCS_BUTTONPUSH | (O.Down && in ? DFCS_PUSHED : 0));
    RECT v = b;
    InflateRect(&v, -2, -2);
    DrawTextA(DC, C.Value.c_str(), static_cast<int>(C.Value.size()), &v, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
  }
  SelectObject(DC, oldBrush);
  SelectObject(DC, oldPen);
  DeleteObject(pen);
}

THTMLPicture* TEngine::FindPicture(const AnsiString& Written) {
  const AnsiString key = UpperAscii(Written);
  if (key.find(':') == npos) return O.PicContainer ? O.PicContainer->FindPicture(key) : nullptr;
  if (key.find("://") == npos || !O.PicCache) return nullptr;
  if (THTMLPicture* p = O.PicCache->FindPicture(key)) return p;
  THTMLPicture* p = O.PicCache->AddPicture();
  // Loaded at once, as written; the cache finds it by its key. A picture
  // that cannot be read stays in the cache empty and draws nothing.
  p->SetAsynch(false);
  try {
    p->LoadFromURL(Written);
  } catch (const Exception&) {
  }
  p->SourceURL = key;
  return p;
}

void TEngine::DrawListImage(TImageList* List, int Index, int x, int y, int w, int h) {
  if (O.Print) {
    TBitmap bmp;
    List->GetBitmap(Index, &bmp);
    PrintBitmap(O.Canvas, TRect(x, y, x + static_cast<int>(w * O.ResFactor), y + static_cast<int>(h * O.ResFactor)), &bmp);
  } else {
    ImageList_Draw(List, Index, DC, x, y, ILD_TRANSPARENT);
  }
}

bool TEngine::HandleImage(TPass Pass, TFormatState& St, TLineGeom& G, std::string_view Tag, std::string_view Up) {
  ++St.ImgCount;
  AnsiString src, alt;
  TagAttribute(Tag, Up, "SRC", src);
  if (TagAttribute(Tag, Up, "ALT", alt) && St.ImgCount == AltPicture) src = alt;
  const AnsiString key = UpperAscii(src);
  TImageList* list = nullptr;
  int index = -1, w = 0, h = 0;
  THTMLPicture* pic = nullptr;
  bool stretch = false;
  if (key.rfind("IDX:", 0) == 0) {
    int n = 0;
    if (O.Images && TagInt(key.substr(4), n) && n >= 0 && n < O.Images->GetCount()) {
      list = O.Images;
      index = n;
    }
  } else if (key.rfind("SSYS:", 0) == 0 || key.rfind("LSYS:", 0) == 0) {
    const AnsiString name = src.substr(5);
    const UINT size = key[0] == 'S' ? SHGFI_SMALLICON : SHGFI_LARGEICON;
    SHFILEINFOA info;
    int n = 0;
    DWORD_PTR sys;
    if (TagInt(name, n)) {
      sys = SHGetFileInfoA("", 0, &info, sizeof info, SHGFI_SYSICONINDEX | size);
    } else if (FileExists(name) || DirectoryExists(name)) {
      sys = SHGetFileInfoA(name.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | size);
      n = info.iIcon;
    } else {
      sys = SHGetFileInfoA(ExtractFileExt(name).c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                           SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | size);
      n = info.iIcon;
    }
    auto* sysList = reinterpret_cast<TImageList*>(sys);
    if (sysList && n >= 0 && n < sysList->GetCount()) {
      list = sysList;
      index = n;
    }
  } else {
    pic = FindPicture(src);
    if (pic && pic->GetEmpty()) pic = nullptr;
  }
  if (list) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list, &cx, &cy);
    w = MulDiv(cx, ResX, 96);
    h = MulDiv(cy, ResY, 96);
  } else if (pic) {
    AnsiString v;
    int pw = 0, ph = 0;
    stretch = TagAttribute(Tag, Up, "WIDTH", v) && TagInt(v, pw) && pw >= 1 && TagAttribute(Tag, Up, "HEIGHT", v) &&
              TagInt(v, ph) && ph >= 1;
    if (!stretch) {
      pw = pic->GetMaxWidth();
      ph = pic->GetMaxHeight();
    }
    w = MulDiv(std::clamp(pw, 0, kMaxObject), ResX, 96);
    h = MulDiv(std::clamp(ph, 0, kMaxObject), ResY, 96);
  } else {
    return true;  // nothing to show takes no room
  }
  if (!PlaceObject(Pass, G, w, h)) {
    --St.ImgCount;  // counted again on the next line
    return false;
  }
  AnsiString align;
  if (TagAttribute(Up, Up, "ALIGN", align)) {
    if (align.rfind("TOP", 0) == 0) G.Raise = G.Height - G.Gh;
    else if (align.rfind("MIDDLE", 0) == 0) G.Raise = (G.Height - G.Gh) / 2;
  }
  const int px = O.XPos - G.Left;
  if (St.InAnchor && px > X && px < X + w && O.YPos > G.Top && O.YPos < G.Top + h) {
    R.Anchor = St.Href;
    AltPicture = St.ImgCount;
    if (Pass == TPass::Second) Hit = true;
  }
  if (Painting(Pass)) {
    const int x = G.Left + X, y = G.Base() - h;
    if (list) {
      int cx = 0, cy = 0;
      ImageList_GetIconSize(list, &cx, &cy);
      DrawListImage(list, index, x, y, cx, cy);
    } else if (stretch) {
      const bool was = pic->GetStretch();
      pic->SetStretch(true);
      pic->Draw(O.Canvas, TRect(x, y, x + w, y + h));
      pic->SetStretch(was);
    } else {
      if (pic->GetFrameCount() > 1 && StartBrush != clNone) {
        FillColor(RECT{x, y, x + w, y + h}, StartBrush);
      }
      const int fx = x + pic->GetFrameXPos(), fy = y + pic->GetFrameYPos();
      pic->Draw(O.Canvas, TRect(fx, fy, fx + pic->GetWidth(), fy + pic->GetHeight()));
    }
    Selected = nullptr;  // the canvas may have selected its own objects
  }
  X += w;
  ++PlacedItems;
  PlacedEndsWithBlank = false;
  TrailingBlank = 0;
  return true;
}

void TEngine::HandleBody(TFormatState& St, std::string_view Tag, const AnsiString& Up) {
  AnsiString v;
  if (TagAttribute(Tag, Up, "BACKGROUND", v)) {
    THTMLPicture* pic = FindPicture(v);
    if (pic && !pic->GetEmpty() && pic->GetWidth() > 0 && pic->GetHeight() > 0) {
      const int sd = SaveDC(DC);
      IntersectClipRect(DC, O.Rect.left, O.Rect.top, O.Rect.right, O.Rect.bottom);
      for (int y = O.Rect.top; y < O.Rect.bottom; y += pic->GetHeight())
        for (int x = O.Rect.left; x < O.Rect.right; x += pic->GetWidth())
          pic->Draw(O.Canvas, TRect(x, y, x + pic->GetWidth(), y + pic->GetHeight()));
      RestoreDC(DC, sd);
      Selected = nullptr;
    }
  }
  if (TagAttribute(Up, Up, "BGCOLOR", v) && (v.find("CL") != npos || v.find('#') != npos)) {
    const TColor c = HTMLColorValue(v);
    FillColor(O.Rect, c);
    St.Brush = c;
  }
}

}  // namespace vzvhtml

bool HTMLDraw(const THTMLDrawOptions& Options, THTMLDrawResults& Results) {
  vzvhtml::TEngine e(Options, Results);
  return e.Run();
}

bool HTMLDrawEx(TCanvas* Canvas, const AnsiString& S, const TRect& FR, TImageList* FImages, int XPos, int YPos,
                int FocusLink, int HoverLink, int ShadowOffset, bool CheckHotSpot, bool CheckHeight, bool Print,
                bool Selected, bool Blink, bool HoverStyle, bool WordWrap, bool Down, double ResFactor,
                TColor URLColor, TColor HoverColor, TColor HoverFontColor, TColor ShadowColor,
                AnsiString& AnchorVal, AnsiString& StripVal, AnsiString& FocusAnchor, AnsiString& AnchorHint,
                int& XSize, int& YSize, int& HyperLinks, int& MouseLink, TRect& HoverRect, TRect& CtrlRect,
                AnsiString& CID, AnsiString& CV, AnsiString& CT, THTMLPictureCache* ic, TPictureContainer* pc,
                std::uintptr_t WinHandle) {
  THTMLDrawOptions o;
  o.Canvas = Canvas;
  o.Text = S;
  o.Rect = FR;
  o.Images = FImages;
  o.XPos = XPos;
  o.YPos = YPos;
  o.FocusLink = FocusLink;
  o.HoverLink = HoverLink;
  o.ShadowOffset = ShadowOffset;
  o.CheckHotSpot = CheckHotSpot;
  o.CheckHeight = CheckHeight;
  o.Print = Print;
  o.Selected = Selected;
  o.Blink = Blink;
  o.HoverStyle = HoverStyle;
  o.WordWrap = WordWrap;
  o.Down = Down;
  o.ResFactor = ResFactor;
  o.URLColor = URLColor;
  o.HoverColor = HoverColor;
  o.HoverFontColor = HoverFontColor;
  o.ShadowColor = ShadowColor;
  o.PicCache = ic;
  o.PicContainer = pc;
  o.WinHandle = WinHandle;
  THTMLDrawResults r;
  r.Anchor = AnchorVal;
  r.HoverRect = HoverRect;
  r.ControlID = CID;
  const bool result = HTMLDraw(o, r);
  AnchorVal = r.Anchor;
  StripVal = r.StrippedText;
  FocusAnchor = r.FocusAnchor;
  AnchorHint = r.AnchorHint;
  XSize = r.XSize;
  YSize = r.YSize;
  HyperLinks = r.HyperLinks;
  MouseLink = r.MouseLink;
  HoverRect = r.HoverRect;
  CtrlRect = r.ControlRect;
  CID = r.ControlID;
  CV = r.ControlValue;
  CT = r.ControlType;
  return result;
}

void PrintBitmap(TCanvas* Canvas, const TRect& DestRect, TBitmap* Bitmap) {
  if (!Canvas || !Bitmap || Bitmap->GetEmpty()) return;
  const int w = Bitmap->GetWidth(), h = Bitmap->GetHeight();
  std::vector<std::uint32_t> bits(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  for (int y = 0; y < h; ++y) {
    const auto* row = static_cast<const std::uint32_t*>(Bitmap->ScanLine(y));
    std::copy(row, row + w, bits.begin() + static_cast<std::ptrdiff_t>(y) * w);
  }
  BITMAPINFO info{};
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top row first
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  StretchDIBits(Canvas->GetHandle(), DestRect.left, DestRect.top, DestRect.Width(), DestRect.Height(), 0, 0, w, h,
                bits.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}
