// Paste over a selection: a single value fills it, two values continue a
// date, integer or decimal series, other blocks repeat.
#include <functional>

#include "grid/radoriz.h"
#include "grid/viduzozezuvodu.h"
#include "platform/rtl/sysutils.h"

namespace {

bool HasChar(const AnsiString& S, char C) { return S.find(C) != AnsiString::npos; }

}  // namespace

void VIduZozezuVodu::PasteSelectionFromClipboard() {
  ImportNotification(isImportStart, -1);
  FPasteWholeGrid = false;
  CorrectSelection();
  const TGridRect S = GetSelectionEx();
  const Int64 K = Int64{S.Bottom - S.Top + 1} * (S.Right - S.Left + 1);
  int Cols = 0, Rows = 0;
  const int C0 = (GetOptions() & goRowSelect) ? GetFixedColsEx() : S.Left;
  const int Count = PasteFunc(C0, S.Top, Cols, Rows);
  // A block that already covers the selection (with or without the empty
  // line after a final line break) stays as pasted.
  if (FNavigation->AllowSmartClipboard && Count != K && Count - 1 != K) SmartPaste(S, Count, Cols, Rows);
  ImportNotification(isImportDone, -1);
  CellsLoaded();
}

void VIduZozezuVodu::SmartPaste(const TGridRect& S, int Count, int Cols, int Rows) {
  const bool Always = FNavigation->AllowClipboardAlways;
  auto InGrid = [&](int C, int R) { return C >= 0 && R >= 0 && C < GetColCount() && R < GetRowCount(); };
  auto Text = [&](int C, int R) { return InGrid(C, R) ? GetCellEx(RemapCol(C), R) : AnsiString(); };
  // Offers a value to the paste event (all cells but the top-left) and stores it.
  auto Put = [&](int C, int R, AnsiString V) {
    bool Allow = true;
    if ((C != S.Left || R != S.Top) && OnClipboardBeforePasteCell) OnClipboardBeforePasteCell(this, C, R, V, Allow);
    if (Allow) PasteInCell(C, R, V);
    return Allow;
  };
  const bool OneCell = S.Left == S.Right && S.Top == S.Bottom;

  if (Count == 1 && !OneCell) {
    PasteStart();
    const int TL = RemapCol(S.Left);
    for (int C = S.Left; C <= S.Right; ++C)
      for (int R = S.Top; R <= S.Bottom; ++R) {
        if (!Always && !IsEditable(RemapCol(C), R)) continue;
        AnsiString V;
        bool State = false;
        if (HasCheckBox(TL, S.Top) && GetCheckBoxState(TL, S.Top, State))
          V = State ? GetCheckTrue(TL, S.Top) : GetCheckFalse(TL, S.Top);
        else
          V = GetCellEx(TL, S.Top);
        if (Put(C, R, V)) PasteNotify(FClipTopLeft, TGridRect{C, R, C, R}, coCopy);
      }
    PasteDone();
  }

  const bool OneCol = S.Left == S.Right, OneRow = S.Top == S.Bottom;
  if (Count >= 2 && (OneCol || OneRow)) {
    const AnsiString A = Text(S.Left, S.Top);
    const AnsiString B = OneRow ? Text(S.Left + 1, S.Top) : Text(S.Left, S.Top + 1);
    // Visits the selection column by column; Value gives the text of the
    // cell visited and moves on, false ending the series.
    auto Series = [&](const std::function<bool(AnsiString&)>& Value) {
      for (int C = S.Left; C <= S.Right; ++C)
        for (int R = S.Top; R <= S.Bottom; ++R) {
          AnsiString V;
          if (!Value(V)) return;
          if (IsEditable(RemapCol(C), R)) Put(C, R, V);
        }
    };
    auto IsTimeish = [](const AnsiString& X) { return IsDateStr(X) || HasChar(X, TimeSeparator); };
    const bool Decimal = HasChar(A, DecimalSeparator) || HasChar(B, DecimalSeparator);
    int IA = 0, IB = 0;
    if (IsTimeish(A) && IsTimeish(B)) {
      TDateTime DA = 0, DB = 0;
      if (!TryStrToDateTime(A, DA) || !TryStrToDateTime(B, DB)) return;
      Word YA, MA, DAy, YB, MB, DBy;
      DecodeDate(DA, YA, MA, DAy);
      DecodeDate(DB, YB, MB, DBy);
      const int Years = YB - YA, Months = MB - MA, Days = DBy - DAy;
      const TDateTime Diff = DB - DA;
      const bool AsDate = HasChar(A, DateSeparator);
      TDateTime D = DA;
      bool Valid = true;
      Series([&](AnsiString& V) {
        if (!Valid) return false;
        V = AsDate ? DateToStr(D) : TimeToStr(D);
        try {
          D = GetNextDate(D, Years, Months, Days, Diff);
        } catch (const Exception&) {
          Valid = false;  // the next cell is not reached
        }
        return true;
      });
      return;
    }
    if (!Decimal && TryStrToInt(A, IA) && TryStrToInt(B, IB)) {
      Int64 V0 = IA;
      const Int64 Step = Int64{IB} - IA;
      Series([&](AnsiString& V) {
        V = IntToStr(V0);
        V0 += Step;
        return true;
      });
      return;
    }
    if (Decimal) {
      Extended FA = 0, FB = 0;
      if (!TryStrToFloat(A, FA) || !TryStrToFloat(B, FB)) return;
      const Extended Step = FB - FA;
      Extended F = FA;
      Series([&](AnsiString& V) {
        V = Format(FFloatFormat, {static_cast<double>(F)});
        F += Step;
        return true;
      });
      return;
    }
    // Anything else repeats the pasted block along the selection.
    auto Copy = [&](int FromC, int FromR, int C, int R) {
      if (InGrid(C, R) && IsEditable(RemapCol(C), R)) Put(C, R, Text(FromC, FromR));
    };
    if (OneCol) {
      for (int R = S.Top + Count - 1; R <= S.Bottom; ++R) Copy(S.Left, R - Count + 1, S.Left, R);
    } else if (S.Right >= S.Left + Count) {
      for (int C = S.Left + Count; C <= S.Right; ++C) Copy(C - Count, S.Top, C, S.Top);
    }
  }

  // Repeat a one-row or one-column block down and across the selection.
  if (S.Bottom > S.Top && S.Right > S.Left) {
    int C2 = 0, R2 = 0;
    if (Rows == 1)
      for (int R = S.Top + 1; R <= S.Bottom; ++R) {
        SetRow(R);
        PasteFunc(S.Left, R, C2, R2);
      }
    if (Cols == 1)
      for (int C = S.Left + 1; C <= S.Right; ++C) {
        SetCol(C);
        PasteFunc(C, S.Top, C2, R2);
      }
  }
}
