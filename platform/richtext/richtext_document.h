// The rich text document behind the rich edit control: UTF-16 text split in
// paragraphs, character format runs covering it, one paragraph format per
// paragraph, a default format, and the selection the control edits through.
//
// Positions count UTF-16 units of the stored text, where a paragraph break
// is one character (RichParaBreak) and a line break inside a paragraph is
// RichLineBreak. The plain text (GetText) shows both as CR LF.
#pragma once

#include <optional>
#include <vector>

#include "platform/richtext/richtext_format.h"

struct TRichRun {
  int Length = 0;
  TRichCharFormat Format;
};

class TRichTextDocument : public TObject {
public:
  TRichTextDocument() = default;

  // ---- content -------------------------------------------------------------
  const WideString& GetRawText() const { return FText; }
  int GetCharCount() const { return static_cast<int>(FText.size()); }
  // Runs cover the text exactly; neighbours always differ in format.
  const std::vector<TRichRun>& GetRuns() const { return FRuns; }
  // One more than the number of paragraph breaks (an empty text has one).
  int GetParagraphCount() const { return static_cast<int>(FParas.size()); }
  TRichParaFormat GetParaFormat(int Para) const;
  int ParagraphOf(int Pos) const;
  int ParagraphStart(int Para) const;
  // Position of the paragraph's break (or the text end for the last one).
  int ParagraphEnd(int Para) const;

  // Replaces everything; runs are taken as given (zero-length runs are
  // dropped, a shortfall takes the default format, an excess is cut) and the
  // paragraph formats are padded or cut to the paragraph count.
  void Assign(const WideString& Text, const std::vector<TRichRun>& Runs,
              const std::vector<TRichParaFormat>& Paras);
  void Clear();

  // UTF-8 plain text, paragraphs separated by CR LF. Setting it replaces the
  // document with text in the default format; CR LF, CR and LF each end a
  // paragraph.
  AnsiString GetText() const;
  void SetText(const AnsiString& Value);

  // ---- editing -------------------------------------------------------------
  void Insert(int Pos, const WideString& Text, const TRichCharFormat& Format);
  void Delete(int Pos, int Count);
  // The format typed text takes at Pos: that of the character before it;
  // at a paragraph start, that of the paragraph's first character; the
  // default in an empty text.
  TRichCharFormat FormatAt(int Pos) const;
  void SetCharFormat(int Pos, int Count, const TRichCharFormat& Format, DWORD Mask);
  // Format of the range's first character and the mask of the attributes
  // every character of the range shares (the rest are mixed). An empty range
  // gives FormatAt(Pos) with a full mask.
  DWORD GetCharFormat(int Pos, int Count, TRichCharFormat& Format) const;
  // Sets the format of every paragraph the range touches.
  void SetParaFormat(int Pos, int Count, const TRichParaFormat& Format);

  const TRichCharFormat& GetDefaultFormat() const { return FDefault; }
  // The default format applies to text set as a whole (SetText, Clear, plain
  // loads) and to text typed into an empty document.
  void SetDefaultFormat(const TRichCharFormat& Format, DWORD Mask = CFM_ALL_RICH);

  // ---- selection -----------------------------------------------------------
  // Kept inside the text whatever edits happen.
  int GetSelStart() const;
  void SetSelStart(int Value);
  int GetSelLength() const;
  void SetSelLength(int Value);
  // Start and length in one step; a negative length selects to the end.
  void SetSel(int Start, int Length);
  AnsiString GetSelText() const;
  WideString GetSelWideText() const;
  // Replaces the selection; the new text takes the format of the first
  // selected character (at a caret: FormatAt, or the format last set at that
  // caret). The caret ends after the new text.
  void SetSelText(const AnsiString& Value);
  void SetSelWideText(const WideString& Value);
  DWORD GetSelCharFormat(TRichCharFormat& Format) const;
  // At a caret the format is remembered for the next typed text.
  void SetSelCharFormat(const TRichCharFormat& Format, DWORD Mask);

  // ---- lines (paragraphs, as the control's Lines shows them) ----------------
  // An empty text has no lines; a final paragraph break adds none.
  int GetLineCount() const;
  AnsiString GetLine(int Index) const;  // EListError when out of range
  void SetLine(int Index, const AnsiString& Value);
  void InsertLine(int Index, const AnsiString& Value);  // Index may be the count
  void DeleteLine(int Index);

  TNotifyEvent OnChange;

private:
  int Clamp(int Pos) const;
  // Splits the run holding Pos so that a run starts there; returns its index.
  std::size_t SplitAt(int Pos);
  void Normalize();
  void Changed();
  // A paragraph break for every CR LF, CR or LF.
  static WideString ToRaw(const AnsiString& Value);
  void CheckLine(int Index) const;

  WideString FText;
  std::vector<TRichRun> FRuns;
  std::vector<TRichParaFormat> FParas{TRichParaFormat{}};
  TRichCharFormat FDefault;
  int FSelStart = 0;
  int FSelLength = 0;
  std::optional<TRichCharFormat> FCaretFormat;  // set at a caret, for typing
};
