// Cell pictures of the HTML table export: each one a JPEG file in the
// export folder's "images" subfolder, referenced from its cell.
#include <filesystem>
#include <memory>
#include <system_error>

#include "grid/exchange/html.h"
#include "grid/viduzozezuvodu.h"
#include "platform/graphics/jpeg.h"
#include "platform/rtl/sysutils.h"

std::string THTMLPictures::NextFile(std::string& Link) {
  if (!FFolderReady) {
    const AnsiString Dir = FFolder + "images";
    std::error_code Ec;
    if (!std::filesystem::is_directory(Dir, Ec)) {
      std::filesystem::create_directory(Dir, Ec);
      if (Ec) throw Exception("Cannot create " + Dir);
    }
    // Linked by absolute path: "file://" before a relative one would name
    // a host.
    if (!FFolder.empty() && FFolder[0] == '/') {
      FLinkBase = FFolder;
    } else {
      FLinkBase = (std::filesystem::current_path(Ec) / std::string(FFolder)).lexically_normal().string();
      if (FLinkBase.empty() || FLinkBase.back() != '/') FLinkBase += '/';
    }
    FFolderReady = true;
  }
  const std::string Name = "images/img" + std::to_string(FNext++) + ".jpg";
  Link = FLinkBase + Name;
  return FFolder + Name;
}

bool THTMLPictures::AddGraphic(std::string& Out, TGraphic* Graphic) {
  if (!Graphic || Graphic->GetEmpty() || Graphic->GetWidth() <= 0 || Graphic->GetHeight() <= 0) return false;
  std::string Link;
  const std::string File = NextFile(Link);
  if (auto* Jpeg = dynamic_cast<TJPEGImage*>(Graphic)) {
    Jpeg->SaveToFile(File);
  } else {
    TJPEGImage J;
    if (auto* Bmp = dynamic_cast<TBitmap*>(Graphic)) {
      J.Assign(Bmp);
    } else {
      TBitmap B;
      B.SetSize(Graphic->GetWidth(), Graphic->GetHeight());
      B.GetCanvas()->Draw(0, 0, Graphic);
      J.Assign(&B);
    }
    J.SaveToFile(File);
  }
  FD.AppendImage(Out, Link);
  return true;
}

bool THTMLPictures::AddImage(std::string& Out, TImageList* Images, int Index) {
  if (!Images || Index < 0 || Index >= Images->GetCount()) return false;
  TBitmap B;
  B.SetSize(Images->GetWidth(), Images->GetHeight());
  Images->Draw(B.GetCanvas(), 0, 0, Index);
  return AddGraphic(Out, &B);
}

void GetHTMLCellPictures(VIduZozezuVodu& G, THTMLPictures& P, int RealCol, int Row, THTMLCellPictures& Out) {
  TCellGraphic* CG = G.GetCellGraphic(RealCol, Row);
  if (!CG) return;
  TImageList* Images = G.GetGridImages();
  switch (CG->CellType) {
    case ctBitmap:
      P.AddGraphic(Out.After, dynamic_cast<TBitmap*>(CG->CellContent));
      break;
    case ctPicture:
      if (auto* Pic = dynamic_cast<TPicture*>(CG->CellContent)) P.AddGraphic(Out.After, Pic->GetGraphic());
      break;
    case ctImageList:
      P.AddImage(Out.Before, Images, CG->CellIndex);
      break;
    case ctDataImage: {
      // The text is the image index: shown as the picture alone.
      int Index = -1;
      if (Images && TryStrToInt(G.GetCells(RealCol, Row), Index) && P.AddImage(Out.Before, Images, Index))
        Out.TextShown = false;
      break;
    }
    case ctImages:
      if (auto* L = dynamic_cast<TIntList*>(CG->CellContent); L && Images)
        for (int I = 0; I < L->GetCount(); ++I) P.AddImage(Out.Before, Images, L->GetInteger(I));
      break;
    default:
      break;
  }
}
