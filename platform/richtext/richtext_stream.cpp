// Loading and saving documents as the rich edit control's Lines do.
#include "platform/richtext/richtext_rtf.h"

bool RichLoadFromString(TRichTextDocument& Document, const std::string& Data, bool PlainText) {
  if (!PlainText && RtfIsRtf(Data)) return RtfRead(Document, Data);
  Document.SetText(Data);
  return true;
}

bool RichLoadFromStream(TRichTextDocument& Document, TStream* Stream, bool PlainText) {
  std::string data;
  char buffer[4096];
  for (int n; (n = Stream->Read(buffer, sizeof buffer)) > 0;) data.append(buffer, static_cast<std::size_t>(n));
  return RichLoadFromString(Document, data, PlainText);
}

void RichSaveToStream(const TRichTextDocument& Document, TStream* Stream, bool PlainText) {
  std::string data = PlainText ? Document.GetText() : RtfWrite(Document);
  if (!data.empty()) Stream->WriteBuffer(data.data(), static_cast<int>(data.size()));
}
