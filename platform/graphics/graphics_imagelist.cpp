// TImageList: equal-sized images with transparency masks.
#include <cstring>

#include "platform/graphics/gdi_internal.h"
#include "platform/graphics/graphics.h"

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}
TImageList::~TImageList() { Clear(); }

void TImageList::SetWidth(int Value) {
  if (Value <= 0 || Value == FWidth) return;
  FWidth = Value;
  Clear();
}
void TImageList::SetHeight(int Value) {
  if (Value <= 0 || Value == FHeight) return;
  FHeight = Value;
  Clear();
}

void TImageList::Clear() {
  bool had = !FImages.empty();
  for (HICON i : FImages) DestroyIcon(i);
  FImages.clear();
  if (had && OnChange) OnChange(this);
}

void TImageList::Delete(int Index) {
  if (Index < 0 || Index >= GetCount()) throw EInvalidOperation("Invalid ImageList Index");
  DestroyIcon(FImages[static_cast<std::size_t>(Index)]);
  FImages.erase(FImages.begin() + Index);
  if (OnChange) OnChange(this);
}

int TImageList::AddPieces(HBITMAP color, const std::vector<bool>& mask, int w, int h) {
  // An image wider than the list is cut into several.
  int first = GetCount();
  int pieces = std::max(1, w / FWidth);
  for (int p = 0; p < pieces; ++p) {
    std::vector<std::uint32_t> px(static_cast<std::size_t>(FWidth) * FHeight, 0xFF000000u);
    std::vector<bool> op(px.size(), false);
    for (int y = 0; y < std::min(h, FHeight); ++y)
      for (int x = 0; x < FWidth; ++x) {
        int sx = p * FWidth + x;
        if (sx >= w) continue;
        std::size_t i = static_cast<std::size_t>(y) * FWidth + x;
        px[i] = color->Row(y)[sx];
        op[i] = mask[static_cast<std::size_t>(y) * w + sx];
      }
    FImages.push_back(gdi::NewIcon(FWidth, FHeight, px, std::move(op)));
  }
  if (OnChange) OnChange(this);
  return first;
}

int TImageList::Add(TBitmap* Image, TBitmap* Mask) {
  if (!Image || Image->GetEmpty()) return -1;
  HBITMAP c = Image->GetHandle();
  int w = Image->GetWidth(), h = Image->GetHeight();
  std::vector<bool> op(static_cast<std::size_t>(w) * h, true);
  if (Mask && !Mask->GetEmpty()) {
    HBITMAP m = Mask->GetHandle();
    for (int y = 0; y < std::min(h, m->Height); ++y)
      for (int x = 0; x < std::min(w, m->Width); ++x) op[static_cast<std::size_t>(y) * w + x] = (m->Row(y)[x] & 0xFFFFFF) == 0;
  }
  return AddPieces(c, op, w, h);
}

int TImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  if (!Image || Image->GetEmpty()) return -1;
  HBITMAP c = Image->GetHandle();
  int w = Image->GetWidth(), h = Image->GetHeight();
  if (MaskColor == clDefault) MaskColor = Image->GetTransparentColor();
  COLORREF key = ColorToRGB(MaskColor) & 0xFFFFFF;
  std::vector<bool> op(static_cast<std::size_t>(w) * h, true);
  if (MaskColor != clNone)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) op[static_cast<std::size_t>(y) * w + x] = gdi::FromDev(c->Row(y)[x]) != key;
  return AddPieces(c, op, w, h);
}

int TImageList::AddIcon(TIcon* Icon) {
  if (!Icon || Icon->GetEmpty()) return -1;
  HICON s = Icon->GetHandle();
  return AddPieces(s->Color, s->Opaque, s->Width, s->Height);
}

void TImageList::GetBitmap(int Index, TBitmap* Image) {
  if (!Image || Index < 0 || Index >= GetCount()) return;
  HICON s = FImages[static_cast<std::size_t>(Index)];
  Image->SetSize(FWidth, FHeight);
  for (int y = 0; y < FHeight; ++y) std::memcpy(Image->ScanLine(y), s->Color->Row(y), 4u * FWidth);
  Image->SetModified(true);
}

void TImageList::Draw(HDC dc, int X, int Y, int Index, bool Enabled) {
  if (Index < 0 || Index >= GetCount() || !gdi::IsLiveDC(dc)) return;
  HICON s = FImages[static_cast<std::size_t>(Index)];
  if (Enabled) {
    DrawIconEx(dc, X, Y, s, 0, 0, 0, nullptr, DI_NORMAL);
    return;
  }
  // Disabled: the dark pixels embossed, highlight below-right, shadow on top.
  COLORREF hi = GetSysColor(COLOR_BTNHIGHLIGHT), sh = GetSysColor(COLOR_BTNSHADOW);
  auto dark = [&](int x, int y) {
    if (!s->Opaque[static_cast<std::size_t>(y) * s->Width + x]) return false;
    std::uint32_t p = s->Color->Row(y)[x];
    return ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 3 * 192;
  };
  for (int y = 0; y < s->Height; ++y)
    for (int x = 0; x < s->Width; ++x)
      if (dark(x, y)) SetPixel(dc, X + x + 1, Y + y + 1, hi);
  for (int y = 0; y < s->Height; ++y)
    for (int x = 0; x < s->Width; ++x)
      if (dark(x, y)) SetPixel(dc, X + x, Y + y, sh);
}

void TImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
  if (Canvas) Draw(Canvas->GetHandle(), X, Y, Index, Enabled);
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT) {
  if (!list || index < 0 || index >= list->GetCount()) return FALSE;
  list->Draw(dc, x, y, index, true);
  return TRUE;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
  if (!list) return FALSE;
  if (cx) *cx = list->GetWidth();
  if (cy) *cy = list->GetHeight();
  return TRUE;
}
