// A picture kept as the bytes of its image file and drawn through the
// platform's picture loader, with frame stepping for animated GIFs; and the
// do-nothing loader thread of pictures named by URL.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/graphics/graphics.h"
#include "platform/graphics/graphics_ole.h"
#include "platform/rtl/classes.h"
#include "platform/rtl/threads.h"

using TDownLoadErrorEvent = std::function<void(TObject* Sender, const AnsiString& Err)>;
using TDownLoadCancelEvent = std::function<void(TObject* Sender, bool& Cancel)>;
using TDownLoadProgressEvent = std::function<void(TObject* Sender, std::uint64_t Pos, std::uint64_t Total)>;

// Where GIF frames start: offsets of a graphic control extension directly
// followed by an image descriptor whose bytes all lie inside the data.
std::vector<std::size_t> ScanGIFFrames(const std::uint8_t* Data, std::size_t Size);
// The bytes of a GIF whose first image is frame Frame (1-based) of the
// given frames: everything from the first frame's extension up to the
// chosen one's is left out.
std::vector<std::uint8_t> CutGIFFrame(const std::uint8_t* Data, std::size_t Size,
                                      const std::vector<std::size_t>& Frames, int Frame);

class THTMLPicture : public TGraphic {
public:
  THTMLPicture();
  ~THTMLPicture() override;
  THTMLPicture(const THTMLPicture&) = delete;
  THTMLPicture& operator=(const THTMLPicture&) = delete;

  void Assign(TPersistent* Source) override;
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  bool GetEmpty() const override;
  int GetHeight() const override;
  int GetWidth() const override;
  // The raw bytes, as a form streams them.
  void ReadData(TStream* Stream) { LoadFromStream(Stream); }
  void WriteData(TStream* Stream) { SaveToStream(Stream); }
  // The size comes from the image.
  void SetHeight(int) override {}
  void SetWidth(int) override {}
  // Errors leave the picture empty instead of being raised.
  void LoadFromFile(const AnsiString& FileName) override;
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  void LoadFromClipboardFormat(unsigned, std::uintptr_t, std::uintptr_t) {}
  void SaveToClipboardFormat(unsigned&, std::uintptr_t&, std::uintptr_t&) {}

  // RT_RCDATA resources of the program.
  void LoadFromResourceName(HINSTANCE Instance, const AnsiString& ResName);
  void LoadFromResourceID(HINSTANCE Instance, int ResID);
  // "RES://name" and "FILE://path" load at once; any other URL is handed to
  // the loader thread (which loads nothing) or, when not asynchronous, only
  // remembered.
  void LoadFromURL(const AnsiString& URL);

  // The animation area when known, else the picture's size.
  int GetMaxWidth() const;
  int GetMaxHeight() const;
  int GetFrameXPos() const { return FFrameXPos; }
  int GetFrameYPos() const { return FFrameYPos; }
  // Frames of a GIF; -1 for other files.
  int GetFrameCount();
  bool IsGIFFile() const;
  // Delay of frame n in hundredths of a second; -1 without such a frame.
  int GetFrameTime(int n);
  int GetFrame() const { return FFrame; }
  void SetFrame(int Value);
  void FrameNext();
  void FramePrev();
  // One animation tick of 100 ms; true when the frame changed.
  bool Step();

  void DownLoadCancel(bool& Cancel);
  void DownLoadComplete();
  void DownLoadError(const AnsiString& Err);
  void DownLoadProgress(std::uint64_t Pos, std::uint64_t Total);

  bool GetStretch() const { return FStretch; }
  void SetStretch(bool Value) { FStretch = Value; }
  bool GetAsynch() const { return FAsynch; }
  void SetAsynch(bool Value) { FAsynch = Value; }
  bool GetBusy() const { return FBusy; }
  // The resolution the pixel size is computed for.
  void SetResolution(int X, int Y) {
    FLogPixX = X;
    FLogPixY = Y;
  }
  const std::vector<std::uint8_t>& GetData() const { return FData; }

  AnsiString SourceURL;
  AnsiString PendingURL;
  TNotifyEvent OnFrameChange;
  TDownLoadErrorEvent OnDownLoadError;
  TNotifyEvent OnDownLoadComplete;
  TDownLoadCancelEvent OnDownLoadCancel;
  TDownLoadProgressEvent OnDownLoadProgress;

private:
  // Takes new bytes: frame 1, counts and clock cleared, frames found.
  void TakeData(std::vector<std::uint8_t> Data);
  void ResetAnimation();
  void ReleasePicture();
  // Builds the loaded picture from the current frame's bytes.
  void LoadPicture();

  std::vector<std::uint8_t> FData;
  std::vector<std::size_t> FFrames;
  bool FIsEmpty = true;
  IPicture* FPicture = nullptr;
  int FLogPixX = 96, FLogPixY = 96;
  bool FStretch = false;
  bool FAsynch = true;
  bool FBusy = false;
  int FFrame = 1;
  int FFrameCount = -1;
  int FTickCount = -1;
  int FNextCount = -1;
  int FFrameXPos = 0, FFrameYPos = 0;
  int FAnimMaxX = 0, FAnimMaxY = 0;
};

// The background loader of a picture named by URL: here it loads nothing.
class TDownLoadThread : public TThread {
public:
  explicit TDownLoadThread(THTMLPicture* Picture);

protected:
  void Execute() override {}

private:
  // Kept for a loader that would fill it; this one touches nothing.
  [[maybe_unused]] THTMLPicture* FPicture;
};
