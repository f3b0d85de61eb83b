// Appearance writers and references to other components.
#include <gtest/gtest.h>

#include "grid/picturecontainer.h"
#include "grid/viduzozezuvodu.h"
#include "grid/vzvcheck.h"
#include "platform/windows/winkernel_testing.h"

namespace {

class CountingGrid : public VIduZozezuVodu {
public:
  using VIduZozezuVodu::VIduZozezuVodu;
  void Invalidate() override {
    ++Repaints;
    VIduZozezuVodu::Invalidate();
  }
  int Repaints = 0;
};

TEST(Appearance, SelectionColoursRepaintOnlyWhenChanged) {
  TestResetKernel();
  CountingGrid G(nullptr);
  G.Repaints = 0;
  G.SetSelectionColor(G.SelectionColor);
  EXPECT_EQ(G.Repaints, 0);
  G.SetSelectionColor(clRed);
  G.SetSelectionMirrorColorTo(clBlue);
  EXPECT_EQ(G.Repaints, 2);
  EXPECT_EQ(G.SelectionColor, clRed);
  EXPECT_EQ(G.SelectionMirrorColorTo, clBlue);
  // The active cell's second colour repaints whatever it was.
  G.SetActiveCellColorTo(G.ActiveCellColorTo);
  EXPECT_EQ(G.Repaints, 3);
}

TEST(Appearance, ReferencesDropComponentsFreedFirst) {
  TestResetKernel();
  VIduZozezuVodu G(nullptr);
  auto* Pictures = new TPictureContainer(nullptr);
  auto* Checker = new VIduZozezuVoduCheck(nullptr);
  auto* Images = new TImageList(nullptr);
  G.SetPictureContainer(Pictures);
  G.SetCellChecker(Checker);
  G.SetGridImages(Images);
  delete Pictures;
  delete Checker;
  delete Images;
  EXPECT_EQ(G.GetPictureContainer(), nullptr);
  EXPECT_EQ(G.GetCellChecker(), nullptr);
  EXPECT_EQ(G.GetGridImages(), nullptr);
  // Freed after the grid, nothing refers back to it.
  auto* Later = new TPictureContainer(nullptr);
  {
    VIduZozezuVodu Other(nullptr);
    Other.SetPictureContainer(Later);
  }
  delete Later;
}

}  // namespace
