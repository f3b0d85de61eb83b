// The visual properties file: Name=Value lines (CR LF) of the grid's
// colours, fonts, looks and option-object settings, and ChangeScale.
#include <functional>
#include <map>
#include <vector>

#include "grid/background.h"
#include "grid/exchange/textfile.h"
#include "grid/viduzozezuvodu.h"
#include "platform/graphics/gdi.h"
#include "platform/rtl/classes_strings.h"
#include "platform/rtl/sysutils.h"

namespace {

// One line of the file: its name, how the value is written and how a read
// value is applied (Absent: the file has no such line).
struct TVisualKey {
  AnsiString Name;
  std::function<AnsiString()> Get;
  std::function<void(const AnsiString& Value, bool Absent)> Set;
};

AnsiString BoolText(bool V) { return V ? "true" : "false"; }
bool TextBool(const AnsiString& V) { return UpperCase(V) == "TRUE"; }
TColor TextColor(const AnsiString& V) { return V.empty() ? clNone : StringToColor(V); }

const char* const StyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

AnsiString StyleText(TFontStyles S) {
  AnsiString T;
  for (int I = 0; I < 4; ++I)
    if (S.Contains(static_cast<TFontStyle>(I))) T += (T.empty() ? "" : ",") + AnsiString(StyleNames[I]);
  return T;
}

TFontStyles TextStyle(const AnsiString& V) {
  TFontStyles S;
  for (int I = 0; I < 4; ++I)
    if (V.find(StyleNames[I]) != AnsiString::npos) S << static_cast<TFontStyle>(I);
  return S;
}

// The identifier that matches without regard to case, or -1.
int IdentIndex(const std::vector<const char*>& Names, const AnsiString& V) {
  for (std::size_t I = 0; I < Names.size(); ++I)
    if (!V.empty() && SameText(V, Names[I])) return static_cast<int>(I);
  return -1;
}

class TVisualTable {
public:
  void Color(const AnsiString& Name, std::function<TColor()> Get, std::function<void(TColor)> Set) {
    Keys.push_back({Name, [Get] { return ColorToString(Get()); },
                    [Set](const AnsiString& V, bool) { Set(TextColor(V)); }});
  }
  void Bool(const AnsiString& Name, std::function<bool()> Get, std::function<void(bool)> Set) {
    Keys.push_back({Name, [Get] { return BoolText(Get()); }, [Set](const AnsiString& V, bool) { Set(TextBool(V)); }});
  }
  void Int(const AnsiString& Name, std::function<int()> Get, std::function<void(int)> Set) {
    Keys.push_back({Name, [Get] { return IntToStr(Get()); }, [Set](const AnsiString& V, bool) { Set(StrToInt(V)); }});
  }
  void Font(const AnsiString& Name, TFont* F) {
    Color(Name + ".Color", [F] { return F->GetColor(); }, [F](TColor V) { F->SetColor(V); });
    Keys.push_back({Name + ".Style", [F] { return StyleText(F->GetStyle()); },
                    [F](const AnsiString& V, bool) { F->SetStyle(TextStyle(V)); }});
    Int(Name + ".Size", [F] { return F->GetSize(); }, [F](int V) { F->SetSize(V); });
    Keys.push_back({Name + ".Name", [F] { return F->GetName(); }, [F](const AnsiString& V, bool) { F->SetName(V); }});
  }
  template <class E>
  void Enum(const AnsiString& Name, std::vector<const char*> Names, std::function<E()> Get,
            std::function<void(E)> Set) {
    Keys.push_back({Name,
                    [Names, Get] {
                      auto I = static_cast<std::size_t>(Get());
                      return I < Names.size() ? AnsiString(Names[I]) : AnsiString();
                    },
                    [Names, Set](const AnsiString& V, bool) {
                      int I = IdentIndex(Names, V);
                      if (I >= 0) Set(static_cast<E>(I));
                    }});
  }
  std::vector<TVisualKey> Keys;
};

TVisualTable BuildTable(VIduZozezuVodu& G) {
  TVisualTable T;
  TBaseGrid* B = &G;
  T.Color("Color", [B] { return B->GetColor(); }, [B](TColor V) { B->SetColor(V); });
  T.Color("HintColor", [&G] { return G.HintColor; }, [&G](TColor V) { G.HintColor = V; });
  T.Color("SelectionColor", [&G] { return G.SelectionColor; }, [&G](TColor V) { G.SelectionColor = V; });
  T.Color("SelectionColorTo", [&G] { return G.SelectionColorTo; }, [&G](TColor V) { G.SelectionColorTo = V; });
  T.Color("SelectionMirrorColor", [&G] { return G.SelectionMirrorColor; },
          [&G](TColor V) { G.SelectionMirrorColor = V; });
  T.Color("SelectionMirrorColorTo", [&G] { return G.SelectionMirrorColorTo; },
          [&G](TColor V) { G.SelectionMirrorColorTo = V; });
  T.Color("SelectionTextColor", [&G] { return G.SelectionTextColor; }, [&G](TColor V) { G.SelectionTextColor = V; });
  T.Color("URLColor", [&G] { return G.GetURLColor(); }, [&G](TColor V) { G.SetURLColor(V); });
  T.Bool("URLShow", [&G] { return G.GetURLShow(); }, [&G](bool V) { G.SetURLShow(V); });
  T.Color("ScrollColor", [&G] { return G.ScrollColor; }, [&G](TColor V) { G.ScrollColor = V; });
  T.Color("ActiveRowColor", [&G] { return G.GetActiveRowColor(); }, [&G](TColor V) { G.SetActiveRowColor(V); });
  T.Bool("ActiveRowShow", [&G] { return G.GetActiveRowShow(); }, [&G](bool V) { G.SetActiveRowShow(V); });
  T.Bool("ActiveCellShow", [&G] { return G.GetActiveCellShow(); }, [&G](bool V) { G.SetActiveCellShow(V); });
  T.Font("Font", G.GetFont());
  T.Color("ActiveCellColor", [&G] { return G.GetActiveCellColor(); }, [&G](TColor V) { G.SetActiveCellColor(V); });
  T.Color("ActiveCellColorTo", [&G] { return G.ActiveCellColorTo; }, [&G](TColor V) { G.ActiveCellColorTo = V; });
  T.Font("ActiveCellFont", G.GetActiveCellFont());
  T.Font("FixedFont", G.GetFixedFont());
  TBalloonSettings* BS = G.GetBalloon();
  T.Color("Balloon.BackgroundColor", [BS] { return BS->BackgroundColor; }, [BS](TColor V) { BS->BackgroundColor = V; });
  T.Color("Balloon.TextColor", [BS] { return BS->TextColor; }, [BS](TColor V) { BS->TextColor = V; });
  T.Int("Balloon.Transparency", [BS] { return static_cast<int>(BS->Transparency); },
        [BS](int V) { BS->Transparency = static_cast<std::uint8_t>(V); });
  TBands* Bd = G.GetBands();
  T.Color("Bands.PrimaryColor", [Bd] { return Bd->GetPrimaryColor(); }, [Bd](TColor V) { Bd->SetPrimaryColor(V); });
  T.Color("Bands.SecondaryColor", [Bd] { return Bd->GetSecondaryColor(); },
          [Bd](TColor V) { Bd->SetSecondaryColor(V); });
  T.Bool("Bands.Active", [Bd] { return Bd->GetActive(); }, [Bd](bool V) { Bd->SetActive(V); });
  TSortSettings* SS = G.GetSortSettings();
  T.Color("SortSettings.IndexColor", [SS] { return SS->IndexColor; }, [SS](TColor V) { SS->IndexColor = V; });
  TFloatingFooter* FF = G.GetFloatingFooter();
  T.Color("FloatingFooter.Color", [FF] { return FF->Color; }, [FF](TColor V) { FF->SetColor(V); });
  TControlLook* CL = G.GetControlLook();
  T.Int("ControlLook.CheckSize", [CL] { return CL->GetCheckSize(); }, [CL](int V) { CL->SetCheckSize(V); });
  T.Color("ControlLook.Color", [CL] { return CL->GetColor(); }, [CL](TColor V) { CL->SetColor(V); });
  T.Color("ControlLook.CommentColor", [CL] { return CL->GetCommentColor(); },
          [CL](TColor V) { CL->SetCommentColor(V); });
  T.Enum<TCellControlStyle>(
      "ControlLook.ControlStyle", {"csClassic", "csFlat", "csWinXP", "csBevel", "csZyt", "csGlyph", "csTheme"},
      [CL] { return CL->GetControlStyle(); }, [CL](TCellControlStyle V) { CL->SetControlStyle(V); });
  T.Color("ControlLook.FixedGradientFrom", [CL] { return CL->GetFixedGradientFrom(); },
          [CL](TColor V) { CL->SetFixedGradientFrom(V); });
  T.Color("ControlLook.FixedGradientTo", [CL] { return CL->GetFixedGradientTo(); },
          [CL](TColor V) { CL->SetFixedGradientTo(V); });
  T.Int("ControlLook.RadioSize", [CL] { return CL->GetRadioSize(); }, [CL](int V) { CL->SetRadioSize(V); });
  T.Bool("ControlLook.FlatButton", [CL] { return CL->GetFlatButton(); }, [CL](bool V) { CL->SetFlatButton(V); });
  T.Color("ControlLook.ProgressBorderColor", [CL] { return CL->ProgressBorderColor; },
          [CL](TColor V) { CL->ProgressBorderColor = V; });
  T.Bool("ControlLook.ProgressXP", [CL] { return CL->GetProgressXP(); }, [CL](bool V) { CL->SetProgressXP(V); });
  // glCustom has no identifier: its line is empty and reads as no change.
  T.Enum<TGridLook>("Look",
                    {"glStandard", "glSoft", "glClassic", "glZyt", "glXP", "glListView", "glVista", "glWin7",
                     "glOffice2007"},
                    [&G] { return G.GetLook(); }, [&G](TGridLook V) { G.SetLook(V); });
  TSearchFooter* SF = G.GetSearchFooter();
  T.Color("SearchFooter.Color", [SF] { return SF->GetColor(); }, [SF](TColor V) { SF->SetColor(V); });
  T.Color("SearchFooter.ColorTo", [SF] { return SF->GetColorTo(); }, [SF](TColor V) { SF->SetColorTo(V); });
  TGrouping* GR = G.GetGrouping();
  T.Color("Grouping.HeaderColor", [GR] { return GR->HeaderColor; }, [GR](TColor V) { GR->HeaderColor = V; });
  T.Color("Grouping.HeaderColorTo", [GR] { return GR->HeaderColorTo; }, [GR](TColor V) { GR->HeaderColorTo = V; });
  T.Color("Grouping.HeaderTextColor", [GR] { return GR->HeaderTextColor; },
          [GR](TColor V) { GR->HeaderTextColor = V; });
  T.Bool("Grouping.HeaderUnderline", [GR] { return GR->HeaderUnderline; }, [GR](bool V) { GR->HeaderUnderline = V; });
  T.Color("Grouping.HeaderLineColor", [GR] { return GR->HeaderLineColor; },
          [GR](TColor V) { GR->HeaderLineColor = V; });
  T.Int("Grouping.HeaderLineWidth", [GR] { return GR->HeaderLineWidth; }, [GR](int V) { GR->HeaderLineWidth = V; });
  T.Color("Grouping.SummaryColor", [GR] { return GR->SummaryColor; }, [GR](TColor V) { GR->SummaryColor = V; });
  T.Color("Grouping.SummaryColorTo", [GR] { return GR->SummaryColorTo; }, [GR](TColor V) { GR->SummaryColorTo = V; });
  T.Color("Grouping.SummaryTextColor", [GR] { return GR->SummaryTextColor; },
          [GR](TColor V) { GR->SummaryTextColor = V; });
  T.Bool("Grouping.SummaryLine", [GR] { return GR->SummaryLine; }, [GR](bool V) { GR->SummaryLine = V; });
  T.Color("Grouping.SummaryLineColor", [GR] { return GR->SummaryLineColor; },
          [GR](TColor V) { GR->SummaryLineColor = V; });
  T.Int("Grouping.SummaryLineWidth", [GR] { return GR->SummaryLineWidth; }, [GR](int V) { GR->SummaryLineWidth = V; });
  T.Color("GridLineColor", [B] { return B->GetGridLineColor(); }, [B](TColor V) { B->SetGridLineColor(V); });
  T.Color("GridFixedLineColor", [B] { return B->GetGridFixedLineColor(); },
          [B](TColor V) { B->SetGridFixedLineColor(V); });
  TBackGround* BG = G.GetBackGround();
  T.Int("BackGround.Top", [BG] { return BG->GetTop(); }, [BG](int V) { BG->SetTop(V); });
  T.Int("BackGround.Left", [BG] { return BG->GetLeft(); }, [BG](int V) { BG->SetLeft(V); });
  T.Enum<TBackGroundDisplay>(
      "BackGround.Display", {"bdTile", "bdFixed", "bdGradientHorz", "bdGradientVert"},
      [BG] { return BG->GetDisplay(); }, [BG](TBackGroundDisplay V) { BG->SetDisplay(V); });
  T.Enum<TBackGroundCells>("BackGround.Cells", {"bcNormal", "bcFixed", "bcAll"}, [BG] { return BG->GetCells(); },
                           [BG](TBackGroundCells V) { BG->SetCells(V); });
  T.Color("BackGround.Color", [BG] { return BG->GetColor(); }, [BG](TColor V) { BG->SetColor(V); });
  T.Color("BackGround.ColorTo", [BG] { return BG->GetColorTo(); }, [BG](TColor V) { BG->SetColorTo(V); });
  return T;
}

AnsiString LowerKey(const AnsiString& S) {
  AnsiString K = S;
  for (char& C : K)
    if (C >= 'A' && C <= 'Z') C = static_cast<char>(C - 'A' + 'a');
  return K;
}

}  // namespace

void VIduZozezuVodu::SaveVisualProps(const AnsiString& FileName) {
  // The old file stays until the new one is complete.
  TFileReplacer File(FileName, "Cannot Create ");
  AnsiString Text;
  for (const TVisualKey& K : BuildTable(*this).Keys) Text += K.Name + "=" + K.Get() + "\r\n";
  File.Commit(Text);
}

void VIduZozezuVodu::LoadVisualProps(const AnsiString& FileName) {
  std::string Data;
  try {
    Data = ReadWholeFile(FileName);
  } catch (const EStreamError&) {
    throw Exception("Cannot open file " + FileName);
  }
  // Names match without regard to case; the first line of a name counts.
  TStringList Lines;
  Lines.SetText(Data);
  std::map<AnsiString, AnsiString> Values;
  for (int I = 0; I < Lines.GetCount(); ++I) {
    const AnsiString L = Lines.Get(I);
    auto P = L.find('=');
    if (P != AnsiString::npos) Values.emplace(LowerKey(L.substr(0, P)), L.substr(P + 1));
  }
  auto Apply = [&](const TVisualKey& K) {
    auto It = Values.find(LowerKey(K.Name));
    bool Absent = It == Values.end();
    K.Set(Absent ? AnsiString() : It->second, Absent);
  };
  std::vector<TVisualKey> Keys = BuildTable(*this).Keys;
  auto IsGridLine = [](const TVisualKey& K) { return K.Name == "GridLineColor" || K.Name == "GridFixedLineColor"; };
  struct TRepaint {
    VIduZozezuVodu* G;
    ~TRepaint() { G->Invalidate(); }
  } Repaint{this};
  // The grid lines come right after the search footer, before grouping.
  for (const TVisualKey& K : Keys) {
    if (IsGridLine(K)) continue;
    Apply(K);
    if (K.Name == "SearchFooter.ColorTo")
      for (const TVisualKey& L : Keys)
        if (IsGridLine(L)) Apply(L);
  }
}

void VIduZozezuVodu::ChangeScale(int M, int D) {
  TBaseGrid::ChangeScale(M, D);
  if (M == D || D == 0) return;
  FFixedFont->SetSize(MulDiv(FFixedFont->GetSize(), M, D));
  FActiveCellFont->SetSize(MulDiv(FActiveCellFont->GetSize(), M, D));
}
