// Rich hint content and the style interface.
#include <gtest/gtest.h>

#include "controls/zythintinfo.h"
#include "controls/zytstyleif.h"
#include "gdip_images.h"
#include "platform/rtl/classes_filer.h"

namespace {

void Fill(DIzoRaruZire& h) {
  h.SetTitle("Заголовок");
  h.GetNotes()->Add("first");
  h.GetNotes()->Add("second");
  h.SetShowHelp(true);
  TMemoryStream ms;
  const auto png = PngBytes(3, 2, 0xFF00FF00);
  ms.WriteBuffer(png.data(), static_cast<int>(png.size()));
  h.GetPicture()->LoadFromStream(&ms);
  h.WideTitle = u"wide";
  h.WideNotes = u"notes";
}

TEST(DIzoRaruZire, AssignMakesEqualButSeparateCopies) {
  DIzoRaruZire a, b;
  Fill(a);
  b.Assign(&a);
  EXPECT_EQ("Заголовок", b.GetTitle());
  EXPECT_EQ(a.GetNotes()->GetText(), b.GetNotes()->GetText());
  EXPECT_TRUE(b.GetShowHelp());
  EXPECT_EQ(3, b.GetPicture()->GetWidth());
  EXPECT_EQ(u"wide", b.WideTitle);
  EXPECT_EQ(u"notes", b.WideNotes);
  a.GetNotes()->Add("third");
  a.GetPicture()->Assign(nullptr);
  EXPECT_EQ(2, b.GetNotes()->Count());
  EXPECT_FALSE(b.GetPicture()->GetEmpty());
  EXPECT_NE(a.GetNotes(), b.GetNotes());
}

TEST(DIzoRaruZire, OtherSourcesChangeNothing) {
  DIzoRaruZire h;
  Fill(h);
  TStringList other;
  other.Add("x");
  h.Assign(&other);
  h.Assign(nullptr);
  h.Assign(&h);
  EXPECT_EQ("Заголовок", h.GetTitle());
  EXPECT_EQ(2, h.GetNotes()->Count());
  EXPECT_TRUE(h.GetShowHelp());
  EXPECT_EQ(3, h.GetPicture()->GetWidth());
}

TEST(DIzoRaruZire, SettersCopy) {
  DIzoRaruZire h;
  TStringList lines;
  lines.Add("a");
  h.SetNotes(&lines);
  lines.Add("b");
  EXPECT_EQ(1, h.GetNotes()->Count());
  TGDIPPicture pic;
  TMemoryStream ms;
  const auto gif = GifBytes();
  ms.WriteBuffer(gif.data(), static_cast<int>(gif.size()));
  pic.LoadFromStream(&ms);
  h.SetPicture(&pic);
  pic.Assign(nullptr);
  EXPECT_EQ(1, h.GetPicture()->GetWidth());
}

TEST(DIzoRaruZire, StreamsItsPublishedPropertiesAndBack) {
  DIzoRaruZire a, b;
  Fill(a);
  TMemoryStream form;
  TWriter w(&form);
  w.WriteProperties(&a);
  w.WriteListEnd();
  form.SetPosition(0);
  TReader r(&form);
  r.ReadProperties(&b);
  EXPECT_EQ("Заголовок", b.GetTitle());
  EXPECT_EQ(a.GetNotes()->GetText(), b.GetNotes()->GetText());
  EXPECT_TRUE(b.GetShowHelp());
  EXPECT_TRUE(b.GetPicture()->GetImageSizes());
  EXPECT_EQ(3, b.GetPicture()->GetWidth());
  EXPECT_TRUE(b.WideTitle.empty());  // the wide texts are not streamed
  // Defaults write nothing.
  DIzoRaruZire empty;
  TMemoryStream none;
  TWriter w2(&none);
  w2.WriteProperties(&empty);
  EXPECT_EQ(0, none.Size());
}

// A component that takes style presets, as the grid and the glow button do.
class TStyledFake : public TComponent, public IZytStyle {
public:
  using TComponent::TComponent;
  HRESULT QueryInterface(const TGUID& IID, void** Obj) override {
    if (!Obj) return E_POINTER;
    *Obj = nullptr;
    if (IID == IID_IZytStyle) *Obj = static_cast<IZytStyle*>(this);
    else if (IID == IID_IInterface) *Obj = static_cast<IInterface*>(this);
    return *Obj ? S_OK : E_NOINTERFACE;
  }
  // Components are freed by their owners, not by counting.
  ULONG AddRef() override { return static_cast<ULONG>(-1); }
  ULONG Release() override { return static_cast<ULONG>(-1); }
  void SetComponentStyle(TZytStyle AStyle) override { Style = AStyle; }
  TZytStyle Style = tsCustom;
};

TEST(ZytStyle, PresetsReachAComponentThroughItsInterface) {
  TStyledFake styled(nullptr);
  auto intf = ZytStyleOf(&styled);
  ASSERT_TRUE(intf);
  intf->SetComponentStyle(tsWindows7);
  EXPECT_EQ(tsWindows7, styled.Style);
  TComponent plain(nullptr);
  EXPECT_FALSE(ZytStyleOf(&plain));
  EXPECT_FALSE(ZytStyleOf(nullptr));
  EXPECT_EQ(0, tsOffice2003Blue);
  EXPECT_EQ(8, tsCustom);
  EXPECT_EQ(12, tsTerminal);
  EXPECT_EQ(0x11AC2DDCu, IID_IZytStyle.D1);
  EXPECT_EQ(0x1Bu, IID_IZytStyle.D4[7]);
}

}  // namespace
