#include "platform/richtext/richtext_document.h"

#include <algorithm>

#include "platform/rtl/codepages.h"

namespace {

int Len(const WideString& S) { return static_cast<int>(S.size()); }

// UTF-8 plain text: paragraph and line breaks become CR LF.
AnsiString PlainText(const WideString& Raw) {
  WideString out;
  out.reserve(Raw.size());
  for (char16_t c : Raw) {
    if (c == RichParaBreak || c == RichLineBreak)
      out += u"\r\n";
    else
      out += c;
  }
  return WideToUtf8(out);
}

}  // namespace

// ---- content ------------------------------------------------------------------

TRichParaFormat TRichTextDocument::GetParaFormat(int Para) const {
  if (Para < 0 || Para >= GetParagraphCount()) return TRichParaFormat{};
  return FParas[static_cast<std::size_t>(Para)];
}

int TRichTextDocument::ParagraphOf(int Pos) const {
  Pos = Clamp(Pos);
  return static_cast<int>(std::count(FText.begin(), FText.begin() + Pos, RichParaBreak));
}

int TRichTextDocument::ParagraphStart(int Para) const {
  if (Para <= 0) return 0;
  int seen = 0;
  for (int i = 0; i < GetCharCount(); ++i)
    if (FText[static_cast<std::size_t>(i)] == RichParaBreak && ++seen == Para) return i + 1;
  return GetCharCount();
}

int TRichTextDocument::ParagraphEnd(int Para) const {
  std::size_t p = FText.find(RichParaBreak, static_cast<std::size_t>(ParagraphStart(Para)));
  return p == WideString::npos ? GetCharCount() : static_cast<int>(p);
}

void TRichTextDocument::Assign(const WideString& Text, const std::vector<TRichRun>& Runs,
                               const std::vector<TRichParaFormat>& Paras) {
  FText = Text;
  FRuns.clear();
  int covered = 0;
  for (const TRichRun& r : Runs) {
    int n = std::min(r.Length, GetCharCount() - covered);
    if (n <= 0) continue;
    FRuns.push_back({n, r.Format});
    covered += n;
  }
  if (covered < GetCharCount()) FRuns.push_back({GetCharCount() - covered, FDefault});
  std::size_t paras = static_cast<std::size_t>(std::count(FText.begin(), FText.end(), RichParaBreak)) + 1;
  FParas = Paras;
  FParas.resize(paras);
  FCaretFormat.reset();
  Normalize();
  Changed();
}

void TRichTextDocument::Clear() { Assign(WideString(), {}, {}); }

AnsiString TRichTextDocument::GetText() const { return PlainText(FText); }

WideString TRichTextDocument::ToRaw(const AnsiString& Value) {
  WideString w = Utf8ToWide(Value);
  WideString out;
  out.reserve(w.size());
  for (std::size_t i = 0; i < w.size(); ++i) {
    if (w[i] == u'\r') {
      if (i + 1 < w.size() && w[i + 1] == u'\n') ++i;
      out += RichParaBreak;
    } else if (w[i] == u'\n') {
      out += RichParaBreak;
    } else {
      out += w[i];
    }
  }
  return out;
}

void TRichTextDocument::SetText(const AnsiString& Value) {
  WideString raw = ToRaw(Value);
  Assign(raw, {{Len(raw), FDefault}}, {});
}

// ---- editing --------------------------------------------------------------------

int TRichTextDocument::Clamp(int Pos) const { return std::clamp(Pos, 0, GetCharCount()); }

std::size_t TRichTextDocument::SplitAt(int Pos) {
  int start = 0;
  for (std::size_t i = 0; i < FRuns.size(); ++i) {
    if (start == Pos) return i;
    int end = start + FRuns[i].Length;
    if (Pos < end) {
      TRichRun tail{end - Pos, FRuns[i].Format};
      FRuns[i].Length = Pos - start;
      FRuns.insert(FRuns.begin() + static_cast<std::ptrdiff_t>(i) + 1, tail);
      return i + 1;
    }
    start = end;
  }
  return FRuns.size();
}

void TRichTextDocument::Normalize() {
  std::vector<TRichRun> out;
  out.reserve(FRuns.size());
  for (TRichRun& r : FRuns) {
    if (r.Length <= 0) continue;
    if (!out.empty() && out.back().Format == r.Format)
      out.back().Length += r.Length;
    else
      out.push_back(std::move(r));
  }
  FRuns = std::move(out);
}

void TRichTextDocument::Changed() {
  if (OnChange) OnChange(this);
}

void TRichTextDocument::Insert(int Pos, const WideString& Text, const TRichCharFormat& Format) {
  if (Text.empty()) return;
  Pos = Clamp(Pos);
  int para = ParagraphOf(Pos);
  auto breaks = std::count(Text.begin(), Text.end(), RichParaBreak);
  // New paragraphs continue the look of the one they were split from.
  FParas.insert(FParas.begin() + para + 1, static_cast<std::size_t>(breaks), FParas[static_cast<std::size_t>(para)]);
  std::size_t at = SplitAt(Pos);
  FRuns.insert(FRuns.begin() + static_cast<std::ptrdiff_t>(at), TRichRun{Len(Text), Format});
  FText.insert(static_cast<std::size_t>(Pos), Text);
  Normalize();
  Changed();
}

void TRichTextDocument::Delete(int Pos, int Count) {
  Pos = Clamp(Pos);
  int end = Clamp(Count < 0 ? GetCharCount() : Pos + std::min(Count, GetCharCount()));
  if (end <= Pos) return;
  int para = ParagraphOf(Pos);
  auto breaks = std::count(FText.begin() + Pos, FText.begin() + end, RichParaBreak);
  // A joined paragraph keeps the format of its first part.
  FParas.erase(FParas.begin() + para + 1, FParas.begin() + para + 1 + breaks);
  std::size_t from = SplitAt(Pos);
  std::size_t to = SplitAt(end);
  FRuns.erase(FRuns.begin() + static_cast<std::ptrdiff_t>(from), FRuns.begin() + static_cast<std::ptrdiff_t>(to));
  FText.erase(static_cast<std::size_t>(Pos), static_cast<std::size_t>(end - Pos));
  Normalize();
  Changed();
}

TRichCharFormat TRichTextDocument::FormatAt(int Pos) const {
  if (FRuns.empty()) return FDefault;
  Pos = Clamp(Pos);
  // At a paragraph start the text typed joins the paragraph, not the break.
  bool paraStart = Pos == 0 || (FText[static_cast<std::size_t>(Pos - 1)] == RichParaBreak && Pos < GetCharCount());
  int ch = paraStart ? Pos : Pos - 1;
  int start = 0;
  for (const TRichRun& r : FRuns) {
    if (ch < start + r.Length) return r.Format;
    start += r.Length;
  }
  return FRuns.back().Format;
}

void TRichTextDocument::SetCharFormat(int Pos, int Count, const TRichCharFormat& Format, DWORD Mask) {
  Pos = Clamp(Pos);
  int end = Clamp(Count < 0 ? GetCharCount() : Pos + std::min(Count, GetCharCount()));
  if (end <= Pos) return;
  std::size_t from = SplitAt(Pos);
  std::size_t to = SplitAt(end);
  for (std::size_t i = from; i < to; ++i) FRuns[i].Format.ApplyMasked(Format, Mask);
  Normalize();
  Changed();
}

DWORD TRichTextDocument::GetCharFormat(int Pos, int Count, TRichCharFormat& Format) const {
  Pos = Clamp(Pos);
  int end = Clamp(Count < 0 ? GetCharCount() : Pos + std::min(Count, GetCharCount()));
  if (end <= Pos) {
    Format = FormatAt(Pos);
    return CFM_ALL_RICH;
  }
  DWORD mask = CFM_ALL_RICH;
  bool first = true;
  int start = 0;
  for (const TRichRun& r : FRuns) {
    int runEnd = start + r.Length;
    if (runEnd > Pos && start < end) {
      if (first) {
        Format = r.Format;
        first = false;
      } else {
        mask &= Format.SameMask(r.Format);
      }
    }
    start = runEnd;
  }
  return mask;
}

void TRichTextDocument::SetParaFormat(int Pos, int Count, const TRichParaFormat& Format) {
  Pos = Clamp(Pos);
  int end = Clamp(Count < 0 ? GetCharCount() : Pos + std::max(0, std::min(Count, GetCharCount())));
  int last = ParagraphOf(end > Pos ? end - 1 : Pos);
  for (int p = ParagraphOf(Pos); p <= last; ++p) FParas[static_cast<std::size_t>(p)] = Format;
  Changed();
}

void TRichTextDocument::SetDefaultFormat(const TRichCharFormat& Format, DWORD Mask) {
  FDefault.ApplyMasked(Format, Mask);
}

// ---- selection ------------------------------------------------------------------

int TRichTextDocument::GetSelStart() const { return Clamp(FSelStart); }

void TRichTextDocument::SetSelStart(int Value) { SetSel(Value, 0); }

int TRichTextDocument::GetSelLength() const {
  return std::clamp(FSelLength, 0, GetCharCount() - GetSelStart());
}

void TRichTextDocument::SetSelLength(int Value) { SetSel(GetSelStart(), Value); }

void TRichTextDocument::SetSel(int Start, int Length) {
  FSelStart = Clamp(Start);
  FSelLength = Length < 0 ? GetCharCount() - FSelStart : std::min(Length, GetCharCount() - FSelStart);
  FCaretFormat.reset();
}

WideString TRichTextDocument::GetSelWideText() const {
  return FText.substr(static_cast<std::size_t>(GetSelStart()), static_cast<std::size_t>(GetSelLength()));
}

AnsiString TRichTextDocument::GetSelText() const { return PlainText(GetSelWideText()); }

void TRichTextDocument::SetSelWideText(const WideString& Value) {
  int start = GetSelStart();
  int len = GetSelLength();
  TRichCharFormat fmt = FCaretFormat ? *FCaretFormat
                        : len > 0    ? FormatAt(start + 1)
                                     : FormatAt(start);
  Delete(start, len);
  Insert(start, Value, fmt);
  FSelStart = start + Len(Value);
  FSelLength = 0;
  FCaretFormat.reset();
}

void TRichTextDocument::SetSelText(const AnsiString& Value) { SetSelWideText(ToRaw(Value)); }

DWORD TRichTextDocument::GetSelCharFormat(TRichCharFormat& Format) const {
  if (GetSelLength() == 0 && FCaretFormat) {
    Format = *FCaretFormat;
    return CFM_ALL_RICH;
  }
  return GetCharFormat(GetSelStart(), GetSelLength(), Format);
}

void TRichTextDocument::SetSelCharFormat(const TRichCharFormat& Format, DWORD Mask) {
  if (GetSelLength() == 0) {
    TRichCharFormat f = FCaretFormat ? *FCaretFormat : FormatAt(GetSelStart());
    f.ApplyMasked(Format, Mask);
    FCaretFormat = f;
    return;
  }
  SetCharFormat(GetSelStart(), GetSelLength(), Format, Mask);
}

// ---- lines ----------------------------------------------------------------------

int TRichTextDocument::GetLineCount() const {
  if (FText.empty()) return 0;
  return GetParagraphCount() - (FText.back() == RichParaBreak ? 1 : 0);
}

void TRichTextDocument::CheckLine(int Index) const {
  if (Index < 0 || Index >= GetLineCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

AnsiString TRichTextDocument::GetLine(int Index) const {
  CheckLine(Index);
  int start = ParagraphStart(Index);
  return WideToUtf8(FText.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(ParagraphEnd(Index) - start)));
}

void TRichTextDocument::SetLine(int Index, const AnsiString& Value) {
  CheckLine(Index);
  int start = ParagraphStart(Index);
  TRichCharFormat fmt = FormatAt(start + 1);
  Delete(start, ParagraphEnd(Index) - start);
  Insert(start, ToRaw(Value), fmt);
}

void TRichTextDocument::InsertLine(int Index, const AnsiString& Value) {
  int count = GetLineCount();
  if (Index < 0 || Index > count) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  WideString raw = ToRaw(Value);
  if (Index < count) {
    int start = ParagraphStart(Index);
    Insert(start, raw + RichParaBreak, FormatAt(start + 1));
  } else if (FText.empty()) {
    Insert(0, raw.empty() ? WideString(1, RichParaBreak) : raw, FormatAt(0));
  } else if (FText.back() == RichParaBreak) {
    Insert(GetCharCount(), raw + RichParaBreak, FormatAt(GetCharCount()));
  } else {
    Insert(GetCharCount(), RichParaBreak + raw, FormatAt(GetCharCount()));
  }
}

void TRichTextDocument::DeleteLine(int Index) {
  CheckLine(Index);
  int start = ParagraphStart(Index);
  int end = ParagraphEnd(Index);
  if (end < GetCharCount())
    Delete(start, end + 1 - start);  // with its paragraph break
  else if (start > 0)
    Delete(start - 1, end - start + 1);  // the last line takes the break before it
  else
    Delete(0, end);
}
