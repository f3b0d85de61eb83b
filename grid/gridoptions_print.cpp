#include "grid/gridoptions2.h"

TPrintSettings::TPrintSettings(TBaseGrid*)
    : FFont(new TFont), FFixedFont(new TFont), FHeaderFont(new TFont), FFooterFont(new TFont),
      FTitleLines(new TStringList) {}

TPrintSettings::~TPrintSettings() {
  delete FFont;
  delete FFixedFont;
  delete FHeaderFont;
  delete FFooterFont;
  delete FTitleLines;
}

void TPrintSettings::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TPrintSettings*>(Source);
  if (!S) return TPersistent::Assign(Source);
  FooterSize = S->FooterSize;
  HeaderSize = S->HeaderSize;
  Time = S->Time;
  Date = S->Date;
  PageNr = S->PageNr;
  Title = S->Title;
  DateFormat = S->DateFormat;
  TitleText = S->TitleText;
  FTitleLines->Assign(S->FTitleLines);
  FFont->Assign(S->FFont);
  FFixedFont->Assign(S->FFixedFont);
  FHeaderFont->Assign(S->FHeaderFont);
  FFooterFont->Assign(S->FFooterFont);
  Borders = S->Borders;
  BorderStyle = S->BorderStyle;
  BorderColor = S->BorderColor;
  Centered = S->Centered;
  RepeatFixedRows = S->RepeatFixedRows;
  RepeatFixedCols = S->RepeatFixedCols;
  LeftSize = S->LeftSize;
  RightSize = S->RightSize;
  ColumnSpacing = S->ColumnSpacing;
  RowSpacing = S->RowSpacing;
  TitleSpacing = S->TitleSpacing;
  Orientation = S->Orientation;
  PagePrefix = S->PagePrefix;
  PageSuffix = S->PageSuffix;
  PageNumberOffset = S->PageNumberOffset;
  MaxPagesOffset = S->MaxPagesOffset;
  FixedWidth = S->FixedWidth;
  FixedHeight = S->FixedHeight;
  UseFixedHeight = S->UseFixedHeight;
  UseFixedWidth = S->UseFixedWidth;
  FitToPage = S->FitToPage;
  JobName = S->JobName;
  PageNumSep = S->PageNumSep;
  NoAutoSize = S->NoAutoSize;
  NoAutoSizeRow = S->NoAutoSizeRow;
  PrintGraphics = S->PrintGraphics;
  UseDisplayFont = S->UseDisplayFont;
  UseDefaultOrientation = S->UseDefaultOrientation;
}
