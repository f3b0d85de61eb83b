// Our RTF reader and writer for rich text documents: the subset the system
// writes and everyday RTF files contain (font and colour tables, character
// styles, sizes, colours, paragraph alignment, Unicode and code-page
// escapes); other destinations are skipped.
#pragma once

#include <string>

#include "platform/richtext/richtext_document.h"

// Replaces the document's content with the RTF in Data (raw bytes). Never
// throws: on malformed input (unbalanced or excess braces, truncated escapes,
// a missing header) it keeps everything read so far and returns false.
bool RtfRead(TRichTextDocument& Document, const std::string& Data);

// The document as RTF (ASCII only: other characters go out as \uN with a
// code-page fallback).
std::string RtfWrite(const TRichTextDocument& Document);

// True when Data starts (after blanks) with "{\rtf".
bool RtfIsRtf(const std::string& Data);

// Loading as the rich edit control's Lines do: RTF when the data is RTF and
// PlainText is off, otherwise UTF-8 plain text in the default format.
// Returns false only when RTF did not parse completely.
bool RichLoadFromString(TRichTextDocument& Document, const std::string& Data, bool PlainText = false);
bool RichLoadFromStream(TRichTextDocument& Document, TStream* Stream, bool PlainText = false);
// RTF, or UTF-8 plain text with CR LF line ends when PlainText.
void RichSaveToStream(const TRichTextDocument& Document, TStream* Stream, bool PlainText = false);
