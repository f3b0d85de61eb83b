// Options of the search bar at the bottom of the grid. Changes that show
// fire OnChange; the grid listens to it.
#pragma once

#include "platform/graphics/graphics.h"
#include "platform/rtl/classes_component.h"

enum TSearchDirection { sdTopBottom, sdLeftRight };

class TSearchFooter : public TPersistent {
public:
  TSearchFooter();
  ~TSearchFooter() override;
  TSearchFooter(const TSearchFooter&) = delete;
  TSearchFooter& operator=(const TSearchFooter&) = delete;

  // Copies without firing OnChange; AutoSearch, SearchFixedCells and
  // AutoThemeAdapt stay.
  void Assign(TPersistent* Source) override;

  bool AutoSearch = true;
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) { Set(FColor, Value); }
  TColor GetColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value) { Set(FColorTo, Value); }
  AnsiString GetFindNextCaption() const { return FFindNextCaption; }
  void SetFindNextCaption(const AnsiString& Value) { Set(FFindNextCaption, Value); }
  AnsiString GetFindPrevCaption() const { return FFindPrevCaption; }
  void SetFindPrevCaption(const AnsiString& Value) { Set(FFindPrevCaption, Value); }
  TFont* GetFont() const { return FFont; }
  void SetFont(TFont* Value);
  AnsiString GetHighLightCaption() const { return FHighLightCaption; }
  void SetHighLightCaption(const AnsiString& Value) { Set(FHighLightCaption, Value); }
  AnsiString GetHintClose() const { return FHintClose; }
  void SetHintClose(const AnsiString& Value) { Set(FHintClose, Value); }
  AnsiString GetHintFindNext() const { return FHintFindNext; }
  void SetHintFindNext(const AnsiString& Value) { Set(FHintFindNext, Value); }
  AnsiString GetHintFindPrev() const { return FHintFindPrev; }
  void SetHintFindPrev(const AnsiString& Value) { Set(FHintFindPrev, Value); }
  AnsiString GetHintHighlight() const { return FHintHighlight; }
  void SetHintHighlight(const AnsiString& Value) { Set(FHintHighlight, Value); }
  AnsiString GetMatchCaseCaption() const { return FMatchCaseCaption; }
  void SetMatchCaseCaption(const AnsiString& Value) { Set(FMatchCaseCaption, Value); }
  bool SearchActiveColumnOnly = false;
  int SearchColumn = -1;
  bool SearchMatchStart = false;
  bool SearchFixedCells = false;
  TSearchDirection SearchDirection = sdTopBottom;
  bool GetShowClose() const { return FShowClose; }
  void SetShowClose(bool Value) { Set(FShowClose, Value); }
  bool GetShowFindNext() const { return FShowFindNext; }
  void SetShowFindNext(bool Value) { SetIfChanged(FShowFindNext, Value); }
  bool GetShowFindPrev() const { return FShowFindPrev; }
  void SetShowFindPrev(bool Value) { SetIfChanged(FShowFindPrev, Value); }
  bool GetShowHighLight() const { return FShowHighLight; }
  void SetShowHighLight(bool Value) { SetIfChanged(FShowHighLight, Value); }
  bool GetShowMatchCase() const { return FShowMatchCase; }
  void SetShowMatchCase(bool Value) { SetIfChanged(FShowMatchCase, Value); }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value) { SetIfChanged(FVisible, Value); }
  bool GetAutoThemeAdapt() const { return FAutoThemeAdapt; }
  void SetAutoThemeAdapt(bool Value) { Set(FAutoThemeAdapt, Value); }

  // The text of the last search.
  AnsiString LastSearch;
  TNotifyEvent OnChange;

protected:
  void Changed();

private:
  template <class T>
  void Set(T& Field, const T& Value) {
    Field = Value;
    Changed();
  }
  template <class T>
  void SetIfChanged(T& Field, const T& Value) {
    if (Field == Value) return;
    Set(Field, Value);
  }

  TColor FColor = 0xFFFFFF;
  TColor FColorTo = clBtnFace;
  AnsiString FFindNextCaption = "Find &next";
  AnsiString FFindPrevCaption = "Find &previous";
  TFont* FFont;
  AnsiString FHighLightCaption = "Highlight";
  AnsiString FHintClose = "Close";
  AnsiString FHintFindNext = "Find next occurence";
  AnsiString FHintFindPrev = "Find previous occurence";
  AnsiString FHintHighlight = "Highlight occurences";
  AnsiString FMatchCaseCaption = "Match case";
  bool FShowClose = true;
  bool FShowFindNext = true;
  bool FShowFindPrev = true;
  bool FShowHighLight = true;
  bool FShowMatchCase = true;
  bool FVisible = false;
  bool FAutoThemeAdapt = false;
};
