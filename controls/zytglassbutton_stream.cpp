// The glass button's own properties in the form stream. A property with a
// stored default is written only when it differs from it.
#include <optional>
#include <vector>

#include "controls/zytglassbutton.h"
#include "platform/rtl/classes_filer.h"

namespace ZytGlassButton {

namespace {

const std::vector<AnsiString> AntiAliasNames = {"aaNone", "aaClearType", "aaAntiAlias"};
const std::vector<AnsiString> SymbolNames = {"bsArrowLeft",   "bsArrowRight", "bsArrowUp",     "bsArrowDown",
                                             "bsPlay",        "bsPause",      "bsStop",        "bsFastForward",
                                             "bsForward",     "bsBackward",   "bsFastBackward", "bsSpeaker",
                                             "bsNoSpeaker",   "bsNone",       "bsRecord"};
const std::vector<AnsiString> DirectionNames = {"bdLeft", "bdRight"};
const std::vector<AnsiString> ShapeNames = {"btsRectangle", "btsCurvedRectangle"};
const std::vector<AnsiString> LayoutNames = {"blGlyphLeft",          "blGlyphTop",           "blGlyphRight",
                                             "blGlyphBottom",        "blGlyphLeftAdjusted",  "blGlyphRightAdjusted",
                                             "blGlyphTopAdjusted",   "blGlyphBottomAdjusted"};
const std::vector<AnsiString> HintPosNames = {
    "shpLeft",        "shpTop",          "shpRight",           "shpBottom",          "shpCenter",
    "shpAuto",        "shpTopLeft",      "shpTopRight",        "shpAboveTop",        "shpAboveTopLeft",
    "shpAboveTopRight", "shpBottomLeft", "shpBottomRight",     "shpBelowBottom",     "shpBelowBottomLeft",
    "shpBelowBottomRight", "shpBelowBottomCenter"};
const std::vector<AnsiString> StyleNames = {"tasButton", "tasCheck"};

// The value an identifier names; an unknown one is a read error.
int IndexOf(const std::vector<AnsiString>& Names, const AnsiString& Name) {
  for (std::size_t i = 0; i < Names.size(); ++i)
    if (Names[i] == Name) return static_cast<int>(i);
  throw EReadError("Invalid property value " + Name);
}

template <class E, class Get, class Set>
void DefineEnum(TFiler* F, const char* Name, const std::vector<AnsiString>& Names, Get get, Set set,
                std::optional<E> Default) {
  F->DefineProperty(
      Name, [&Names, set](TReader* R) { set(static_cast<E>(IndexOf(Names, R->ReadIdent()))); },
      [&Names, get](TWriter* W) { W->WriteIdent(Names.at(static_cast<std::size_t>(get()))); },
      !Default || get() != *Default);
}

template <class Get, class Set>
void DefineColor(TFiler* F, const char* Name, Get get, Set set, std::optional<TColor> Default = std::nullopt) {
  F->DefineProperty(
      Name, [set](TReader* R) { set(static_cast<TColor>(R->ReadInteger())); },
      [get](TWriter* W) { W->WriteInteger(static_cast<Int64>(get())); }, !Default || get() != *Default);
}

template <class Get, class Set>
void DefineBool(TFiler* F, const char* Name, Get get, Set set, bool Default) {
  F->DefineProperty(
      Name, [set](TReader* R) { set(R->ReadBoolean()); }, [get](TWriter* W) { W->WriteBoolean(get()); },
      get() != Default);
}

}  // namespace

void TZytCustomGlassButton::DefineProperties(TFiler* Filer) {
  TCustomControl::DefineProperties(Filer);
  Filer->DefineProperty(
      "Caption", [this](TReader* R) { SetCaption(R->ReadString()); },
      [this](TWriter* W) { W->WriteString(GetCaption()); }, !GetCaption().empty());
  DefineBool(Filer, "AllowAllUp", [this] { return FAllowAllUp; }, [this](bool V) { SetAllowAllUp(V); }, false);
  DefineEnum<TAntiAlias>(
      Filer, "AntiAlias", AntiAliasNames, [this] { return FAntiAlias; }, [this](TAntiAlias V) { SetAntiAlias(V); },
      aaClearType);
  DefineColor(Filer, "BackColor", [this] { return FBackColor; }, [this](TColor V) { SetBackColor(V); });
  DefineEnum<TBackGroundSymbol>(
      Filer, "BackGroundSymbol", SymbolNames, [this] { return FBackGroundSymbol; },
      [this](TBackGroundSymbol V) { SetBackGroundSymbol(V); }, bsNone);
  DefineColor(
      Filer, "BackGroundSymbolColor", [this] { return FBackGroundSymbolColor; },
      [this](TColor V) { SetBackGroundSymbolColor(V); }, clWhite);
  DefineEnum<TButtonDirection>(
      Filer, "ButtonDirection", DirectionNames, [this] { return FButtonDirection; },
      [this](TButtonDirection V) { SetButtonDirection(V); }, bdRight);
  DefineEnum<TButtonShape>(
      Filer, "ButtonShape", ShapeNames, [this] { return FButtonShape; },
      [this](TButtonShape V) { SetButtonShape(V); }, btsRectangle);
  Filer->DefineProperty(
      "CornerRadius", [this](TReader* R) { SetCornerRadius(R->ReadInteger()); },
      [this](TWriter* W) { W->WriteInteger(FCornerRadius); }, FCornerRadius != 4);
  // Read while loading, applied by Loaded.
  DefineBool(Filer, "Down", [this] { return FDown; }, [this](bool V) { SetDown(V); }, false);
  DefineBool(Filer, "Enabled", [this] { return GetEnabled(); }, [this](bool V) { SetEnabled(V); }, true);
  DefineColor(Filer, "ForeColor", [this] { return FForeColor; }, [this](TColor V) { SetForeColor(V); });
  DefineBool(
      Filer, "ForceTransparent", [this] { return FForceTransparent; }, [this](bool V) { SetForceTransparent(V); },
      false);
  DefineColor(Filer, "GlowColor", [this] { return FGlowColor; }, [this](TColor V) { SetGlowColor(V); });
  Filer->DefineProperty(
      "GroupIndex", [this](TReader* R) { SetGroupIndex(R->ReadInteger()); },
      [this](TWriter* W) { W->WriteInteger(FGroupIndex); }, FGroupIndex != 0);
  DefineColor(
      Filer, "InnerBorderColor", [this] { return FInnerBorderColor; }, [this](TColor V) { SetInnerBorderColor(V); });
  DefineEnum<TButtonLayout>(
      Filer, "Layout", LayoutNames, [this] { return FLayout; }, [this](TButtonLayout V) { SetLayout(V); },
      std::nullopt);
  Filer->DefineSubProperties("OfficeHint", FOfficeHint);
  DefineColor(
      Filer, "OuterBorderColor", [this] { return FOuterBorderColor; }, [this](TColor V) { SetOuterBorderColor(V); });
  Filer->DefineSubProperties("Picture", FIPicture);
  Filer->DefineSubProperties("PictureDown", FIPictureDown);
  Filer->DefineSubProperties("PictureDisabled", FIPictureDisabled);
  DefineColor(Filer, "ShineColor", [this] { return FShineColor; }, [this](TColor V) { SetShineColor(V); });
  Filer->DefineProperty(
      "ShortCutHint", [this](TReader* R) { FShortCutHint = R->ReadString(); },
      [this](TWriter* W) { W->WriteString(FShortCutHint); }, !FShortCutHint.empty());
  DefineEnum<TShortCutHintPos>(
      Filer, "ShortCutHintPos", HintPosNames, [this] { return FShortCutHintPos; },
      [this](TShortCutHintPos V) { FShortCutHintPos = V; }, shpTop);
  DefineBool(Filer, "ShowCaption", [this] { return FShowCaption; }, [this](bool V) { SetShowCaption(V); }, true);
  DefineBool(
      Filer, "ShowFocusRect", [this] { return FShowFocusRect; }, [this](bool V) { SetShowFocusRect(V); }, false);
  DefineEnum<TZytToolButtonStyle>(
      Filer, "Style", StyleNames, [this] { return FStyle; }, [this](TZytToolButtonStyle V) { SetStyle(V); },
      tasButton);
  // Written for information; reading ignores it.
  Filer->DefineProperty(
      "Version", [](TReader* R) { R->ReadString(); }, [this](TWriter* W) { W->WriteString(GetVersion()); }, true);
}

}  // namespace ZytGlassButton
