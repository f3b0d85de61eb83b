// The framework's drawing classes on top of the GDI layer: fonts, pens,
// brushes, the canvas, and the graphic classes (bitmaps, icons, pictures,
// image lists). JPEG images are in jpeg.h.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/rtl/classes.h"
#include "platform/graphics/gdi.h"
#include "platform/graphics/graphics_color.h"

// ---- Font, pen and brush --------------------------------------------------
enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// A set of font styles: s << fsBold adds, s >> fsBold removes.
class TFontStyles {
public:
  TFontStyles() = default;
  TFontStyles(std::initializer_list<TFontStyle> l) {
    for (TFontStyle s : l) *this << s;
  }
  TFontStyles& operator<<(TFontStyle s) {
    FBits |= Bit(s);
    return *this;
  }
  TFontStyles& operator>>(TFontStyle s) {
    FBits &= static_cast<Byte>(~Bit(s));
    return *this;
  }
  bool Contains(TFontStyle s) const { return (FBits & Bit(s)) != 0; }
  bool Empty() const { return FBits == 0; }
  void Clear() { FBits = 0; }
  TFontStyles operator+(TFontStyles o) const { return FromBits(FBits | o.FBits); }
  TFontStyles operator-(TFontStyles o) const { return FromBits(FBits & ~o.FBits); }
  TFontStyles operator*(TFontStyles o) const { return FromBits(FBits & o.FBits); }
  bool operator==(const TFontStyles& o) const { return FBits == o.FBits; }
  Byte Bits() const { return FBits; }
  static TFontStyles FromBits(int b) {
    TFontStyles s;
    s.FBits = static_cast<Byte>(b & 0x0F);
    return s;
  }

private:
  static Byte Bit(TFontStyle s) { return static_cast<Byte>(1u << static_cast<unsigned>(s)); }
  Byte FBits = 0;
};

enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = Byte;
using TFontName = AnsiString;

// Base of fonts, pens and brushes: OnChange fires after every change.
class TGraphicsObject : public TPersistent {
public:
  TNotifyEvent OnChange;

protected:
  virtual void Changed();
};

class TFont : public TGraphicsObject {
public:
  TFont();
  ~TFont() override;
  void Assign(TPersistent* Source) override;

  // The platform's defaults: "MS Sans Serif", 8 points (Height -11 at 96
  // pixels per inch), clWindowText, DEFAULT_CHARSET.
  AnsiString GetName() const { return FName; }
  void SetName(const AnsiString& Value);
  // Size in points; Height in pixels (negative: character height without
  // internal leading).
  int GetSize() const;
  void SetSize(int Value);
  int GetHeight() const { return FHeight; }
  void SetHeight(int Value);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  TFontStyles GetStyle() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  TFontCharset GetCharset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  TFontPitch GetPitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  // Angle of the text in tenths of a degree, counter-clockwise.
  int GetOrientation() const { return FOrientation; }
  void SetOrientation(int Value);
  int GetPixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int Value) { FPixelsPerInch = Value; }

  // The font handle, made on first use and kept until a property changes.
  HFONT GetHandle();
  // Takes the attributes of a font handle (the handle stays the caller's).
  void SetHandle(HFONT Value);

protected:
  void Changed() override;

private:
  AnsiString FName = "MS Sans Serif";
  int FHeight = -11;
  TColor FColor = clWindowText;
  TFontStyles FStyle;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TFontPitch FPitch = fpDefault;
  int FOrientation = 0;
  int FPixelsPerInch = 96;
  HFONT FHandle = nullptr;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

class TPen : public TGraphicsObject {
public:
  TPen() = default;
  ~TPen() override;
  void Assign(TPersistent* Source) override;
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  int GetWidth() const { return FWidth; }
  void SetWidth(int Value);
  TPenStyle GetStyle() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  TPenMode GetMode() const { return FMode; }
  void SetMode(TPenMode Value);
  HPEN GetHandle();
  // The R2_* pen mode for Mode.
  int Rop2() const;

protected:
  void Changed() override;

private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
  HPEN FHandle = nullptr;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
  TBrush() = default;
  ~TBrush() override;
  void Assign(TPersistent* Source) override;
  TColor GetColor() const { return FColor; }
  // Setting a colour makes a clear brush solid, as on the platform.
  void SetColor(TColor Value);
  TBrushStyle GetStyle() const { return FStyle; }
  void SetStyle(TBrushStyle Value);
  HBRUSH GetHandle();

protected:
  void Changed() override;

private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  HBRUSH FHandle = nullptr;
};

// ---- Canvas ---------------------------------------------------------------
class TGraphic;
class TBitmap;

inline constexpr DWORD cmBlackness = BLACKNESS;
inline constexpr DWORD cmDstInvert = DSTINVERT;
inline constexpr DWORD cmMergeCopy = MERGECOPY;
inline constexpr DWORD cmMergePaint = MERGEPAINT;
inline constexpr DWORD cmNotSrcCopy = NOTSRCCOPY;
inline constexpr DWORD cmNotSrcErase = NOTSRCERASE;
inline constexpr DWORD cmPatCopy = PATCOPY;
inline constexpr DWORD cmPatInvert = PATINVERT;
inline constexpr DWORD cmPatPaint = PATPAINT;
inline constexpr DWORD cmSrcAnd = SRCAND;
inline constexpr DWORD cmSrcCopy = SRCCOPY;
inline constexpr DWORD cmSrcErase = SRCERASE;
inline constexpr DWORD cmSrcInvert = SRCINVERT;
inline constexpr DWORD cmSrcPaint = SRCPAINT;
inline constexpr DWORD cmWhiteness = WHITENESS;

enum TFillStyle { fsSurface, fsBorder };

// Draws on a device context with its own font, pen and brush, selecting
// them into the context only when they changed. A plain canvas does not own
// its handle; bitmap canvases do.
class TCanvas : public TPersistent {
public:
  TCanvas();
  ~TCanvas() override;

  HDC GetHandle();
  void SetHandle(HDC Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  TFont* GetFont() const { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TPen* GetPen() const { return FPen; }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  TBrush* GetBrush() const { return FBrush; }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
  DWORD GetCopyMode() const { return FCopyMode; }
  void SetCopyMode(DWORD Value) { FCopyMode = Value; }
  TPoint GetPenPos();
  void SetPenPos(const TPoint& Value) { MoveTo(Value.x, Value.y); }
  // The clip box in logical units.
  TRect GetClipRect();
  int GetTextFlags() const { return FTextFlags; }
  void SetTextFlags(int Value) { FTextFlags = Value; }

  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& R) { Rectangle(R.left, R.top, R.right, R.bottom); }
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const TRect& R) { Ellipse(R.left, R.top, R.right, R.bottom); }
  // Points counts the points.
  void Polygon(const TPoint* Points, int Count);
  void Polygon(const std::vector<TPoint>& Points) { Polygon(Points.data(), static_cast<int>(Points.size())); }
  void Polyline(const TPoint* Points, int Count);
  void Polyline(const std::vector<TPoint>& Points) { Polyline(Points.data(), static_cast<int>(Points.size())); }
  void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void FillRect(const TRect& R);
  void FrameRect(const TRect& R);
  void DrawFocusRect(const TRect& R);

  // Text: the font's colour; the brush's colour behind it unless the brush
  // is clear.
  void TextOut(int X, int Y, const AnsiString& Text);
  void TextOut(int X, int Y, const WideString& Text);
  void TextRect(const TRect& R, int X, int Y, const AnsiString& Text);
  void TextRect(const TRect& R, int X, int Y, const WideString& Text);
  int TextWidth(const AnsiString& Text);
  int TextWidth(const WideString& Text);
  int TextHeight(const AnsiString& Text);
  TSize TextExtent(const AnsiString& Text);
  TSize TextExtent(const WideString& Text);

  void Draw(int X, int Y, TGraphic* Graphic);
  void StretchDraw(const TRect& R, TGraphic* Graphic);
  void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
  // Copies part of a bitmap with the pixels of Color replaced by the brush
  // colour.
  void BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color);

  // Fills with the brush from (X, Y): up to pixels of Color (fsBorder) or
  // over the pixels of Color (fsSurface).
  void FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle);

  TColor GetPixels(int X, int Y);
  void SetPixels(int X, int Y, TColor Value);

  void Lock();
  void Unlock();
  bool TryLock();
  int GetLockCount() const { return FLockCount; }

  // Drops the selected objects, so the next drawing selects them again.
  void Refresh();

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

  // Selects pen, brush and font (and the text colours) into the context.
  void RequireState(bool pen, bool brush, bool font);

protected:
  virtual void CreateHandle() {}
  void Changing();
  void Changed();
  void DeselectHandles();

  HDC FHandle = nullptr;

private:
  TFont* FFont;
  TPen* FPen;
  TBrush* FBrush;
  DWORD FCopyMode = cmSrcCopy;
  int FTextFlags = 0;
  std::recursive_mutex FMutex;
  int FLockCount = 0;
  HGDIOBJ FOldPen = nullptr, FOldBrush = nullptr, FOldFont = nullptr;
  HPEN FSelPen = nullptr;
  HBRUSH FSelBrush = nullptr;
  HFONT FSelFont = nullptr;
  bool FPenDirty = true, FBrushDirty = true, FFontDirty = true;
};

// ---- Graphics -------------------------------------------------------------
// Base of the graphic classes. Draw is reached through TCanvas::Draw and
// StretchDraw.
class TGraphic : public TPersistent {
public:
  virtual bool GetEmpty() const = 0;
  bool Empty() const { return GetEmpty(); }
  virtual int GetWidth() const = 0;
  virtual int GetHeight() const = 0;
  virtual void SetWidth(int Value) = 0;
  virtual void SetHeight(int Value) = 0;
  bool GetTransparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);
  bool GetModified() const { return FModified; }
  void SetModified(bool Value);

  // Loading raises EInvalidGraphic for data it cannot read (never crashes).
  virtual void LoadFromStream(TStream* Stream) = 0;
  virtual void SaveToStream(TStream* Stream) = 0;
  virtual void LoadFromFile(const AnsiString& FileName);
  virtual void SaveToFile(const AnsiString& FileName);

  TNotifyEvent OnChange;

  virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;

protected:
  virtual void Changed();
  bool FTransparent = false;
  bool FModified = false;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

// A bitmap in 32-bit device format (whatever PixelFormat says; PixelFormat
// chooses the depth it is saved with). ScanLine gives rows of 32-bit BGRA
// pixels, top row 0.
class TBitmap : public TGraphic {
public:
  TBitmap();
  ~TBitmap() override;
  void Assign(TPersistent* Source) override;

  bool GetEmpty() const override;
  int GetWidth() const override { return FWidth; }
  int GetHeight() const override { return FHeight; }
  // Resizing keeps the pixels that stay inside; new pixels are white.
  void SetWidth(int Value) override { SetSize(Value, FHeight); }
  void SetHeight(int Value) override { SetSize(FWidth, Value); }
  void SetSize(int AWidth, int AHeight);
  TPixelFormat GetPixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat Value);
  bool GetMonochrome() const { return FPixelFormat == pf1bit; }
  void SetMonochrome(bool Value);
  // The platform default: the colour of the bottom-left pixel (tmAuto).
  TColor GetTransparentColor();
  void SetTransparentColor(TColor Value);
  TTransparentMode GetTransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode Value);

  TCanvas* GetCanvas();
  TCanvas* Canvas() { return GetCanvas(); }
  HBITMAP GetHandle();
  // Takes ownership of the bitmap handle.
  void SetHandle(HBITMAP Value);
  // Gives up the handle to the caller.
  HBITMAP ReleaseHandle();
  void* ScanLine(int Row);
  void Dormant() {}
  void FreeImage() {}

  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // The component stream's "Data": the bitmap file, left out while empty.
  void DefineProperties(TFiler* Filer) override;
  // A bitmap of the program's named resources (resources.h).
  void LoadFromResourceName(HINSTANCE Instance, const AnsiString& ResName);
  void LoadFromResourceID(HINSTANCE Instance, int ResID);

  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

protected:
  void Changed() override;

private:
  void NewImage(int w, int h);
  void FreeCanvasDC();
  HBITMAP FHandle = nullptr;
  int FWidth = 0, FHeight = 0;
  TPixelFormat FPixelFormat = pfDevice;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = tmAuto;
  TCanvas* FCanvas = nullptr;
  HDC FDC = nullptr;
  HGDIOBJ FOldBitmap = nullptr;
  friend class TBitmapCanvas;
};

// Device-independent copies of a bitmap, as printing code takes them: a
// BITMAPINFOHEADER (InfoHeaderSize bytes) and 32-bit bottom-up rows
// (ImageSize bytes). GetDIB fills caller memory of those sizes.
using HPALETTE = void*;
void GetDIBSizes(HBITMAP Bitmap, unsigned& InfoHeaderSize, unsigned& ImageSize);
bool GetDIB(HBITMAP Bitmap, HPALETTE Palette, void* BitmapInfo, void* Bits);

// Writes the bitmap as a PNG file (for tests and for looking at results).
bool SaveToPNG(TBitmap* Bitmap, const AnsiString& FileName);

// Icons and cursors: a colour image with a mask of transparent pixels.
struct TIconImage;
class TIcon : public TGraphic {
public:
  TIcon();
  ~TIcon() override;
  void Assign(TPersistent* Source) override;
  bool GetEmpty() const override;
  int GetWidth() const override;
  int GetHeight() const override;
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;
  // An ICO file: the entry nearest 32 x 32 (or the size asked for with
  // SetSize before loading) in any depth, DIB or PNG encoded.
  void LoadFromStream(TStream* Stream) override;
  // Writes a one-image ICO file (32-bit DIB with its mask).
  void SaveToStream(TStream* Stream) override;
  // The component stream's "Data": the icon file, left out while empty.
  void DefineProperties(TFiler* Filer) override;
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  HICON GetHandle();
  // Takes ownership of an icon handle.
  void SetHandle(HICON Value);
  HICON ReleaseHandle();

private:
  HICON FHandle = nullptr;
  int FWantW = 0, FWantH = 0;
};

// Icon handles (HICON, HCURSOR) hold an image and its mask.
inline constexpr UINT DI_MASK = 1;
inline constexpr UINT DI_IMAGE = 2;
inline constexpr UINT DI_NORMAL = 3;
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int w, int h, UINT step, HBRUSH flickerFree, UINT flags);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
BOOL DestroyIcon(HICON icon);
inline BOOL DestroyCursor(HCURSOR c) { return DestroyIcon(c); }
// Makes an icon from a colour bitmap and a mask bitmap (white = transparent);
// the bitmaps stay the caller's. Hot spot for cursors.
HICON CreateIconFromBitmaps(HBITMAP color, HBITMAP mask, int hotX = 0, int hotY = 0);
BOOL GetIconSize(HICON icon, int* w, int* h);
BOOL GetIconHotSpot(HICON icon, int* x, int* y);

// ---- Pictures -------------------------------------------------------------
using TGraphicClassFactory = std::function<TGraphic*()>;

// Holds one graphic of any registered class; the class is chosen by file
// extension (bmp, ico, jpg/jpeg, png, gif are registered at start).
class TPicture : public TPersistent {
public:
  TPicture() = default;
  ~TPicture() override;
  void Assign(TPersistent* Source) override;
  TGraphic* GetGraphic() const { return FGraphic; }
  // Copies the graphic (nullptr clears).
  void SetGraphic(TGraphic* Value);
  // The graphic as a bitmap, replacing another kind by an empty bitmap.
  TBitmap* GetBitmap();
  TIcon* GetIcon();
  int GetWidth() const { return FGraphic ? FGraphic->GetWidth() : 0; }
  int GetHeight() const { return FGraphic ? FGraphic->GetHeight() : 0; }
  // EInvalidGraphic for an unknown extension or unreadable file.
  void LoadFromFile(const AnsiString& FileName);
  void SaveToFile(const AnsiString& FileName);
  // The component stream's "Data": the graphic's class name as a short
  // string, then its file bytes; left out without a graphic. Reading an
  // unknown class or unreadable image data raises EReadError.
  void DefineProperties(TFiler* Filer) override;

  static void RegisterFileFormat(const AnsiString& Extension, const AnsiString& Description,
                                 TGraphicClassFactory Factory);
  static void UnregisterFileFormat(const AnsiString& Extension);
  static bool SupportsExtension(const AnsiString& Extension);

  TNotifyEvent OnChange;

private:
  void Take(TGraphic* g);
  void Changed();
  TGraphic* FGraphic = nullptr;
};

// A graphic decoded by the platform's picture loader (PNG, GIF first frame,
// and whatever OleLoadPicture reads); held as a bitmap with an alpha mask.
class TLoadedImage : public TGraphic {
public:
  TLoadedImage();
  ~TLoadedImage() override;
  void Assign(TPersistent* Source) override;
  bool GetEmpty() const override;
  int GetWidth() const override;
  int GetHeight() const override;
  void SetWidth(int) override {}
  void SetHeight(int) override {}
  void LoadFromStream(TStream* Stream) override;
  // Writes the bytes it was loaded from.
  void SaveToStream(TStream* Stream) override;
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
  HICON FImage = nullptr;
  std::vector<Byte> FBytes;
};

// ---- Image lists ----------------------------------------------------------
enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };

class TImageList : public TComponent {
public:
  explicit TImageList(TComponent* AOwner = nullptr);
  ~TImageList() override;
  int GetWidth() const { return FWidth; }
  int GetHeight() const { return FHeight; }
  // Changing the size clears the list.
  void SetWidth(int Value);
  void SetHeight(int Value);
  int GetCount() const { return static_cast<int>(FImages.size()); }
  int Count() const { return GetCount(); }
  TColor GetBkColor() const { return FBkColor; }
  void SetBkColor(TColor Value) { FBkColor = Value; }

  // Adds the image (cut into Width-wide pieces when wider); Mask white =
  // transparent, nullptr = opaque. Returns the index of the first piece.
  int Add(TBitmap* Image, TBitmap* Mask);
  // Transparent where the image has MaskColor.
  int AddMasked(TBitmap* Image, TColor MaskColor);
  int AddIcon(TIcon* Icon);
  void Delete(int Index);
  void Clear();
  // Draws image Index; a disabled image is drawn embossed in the shadow and
  // highlight colours. An index out of range draws nothing.
  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
  void Draw(HDC dc, int X, int Y, int Index, bool Enabled = true);
  void GetBitmap(int Index, TBitmap* Image);

  TNotifyEvent OnChange;

private:
  int AddPieces(HBITMAP color, const std::vector<bool>& mask, int w, int h);
  int FWidth = 16, FHeight = 16;
  TColor FBkColor = clNone;
  std::vector<HICON> FImages;
};

using HIMAGELIST = TImageList*;
inline constexpr UINT ILD_NORMAL = 0;
inline constexpr UINT ILD_TRANSPARENT = 1;
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
