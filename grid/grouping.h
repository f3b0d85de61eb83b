// How grouped rows look: header and summary rows, their colours and lines,
// and the group count shown in headers. Writers only store.
#pragma once

#include "platform/graphics/graphics.h"
#include "platform/rtl/classes_component.h"

class TGrouping : public TPersistent {
public:
  // Copies the looks and the group count settings; not AutoSelectGroup, the
  // line colours and widths, or Summary.
  void Assign(TPersistent* Source) override {
    auto* S = dynamic_cast<TGrouping*>(Source);
    if (!S) {
      TPersistent::Assign(Source);
      return;
    }
    GroupCountFormat = S->GroupCountFormat;
    HeaderColor = S->HeaderColor;
    HeaderColorTo = S->HeaderColorTo;
    HeaderTextColor = S->HeaderTextColor;
    HeaderUnderline = S->HeaderUnderline;
    MergeHeader = S->MergeHeader;
    MergeSummary = S->MergeSummary;
    ShowGroupCount = S->ShowGroupCount;
    SummaryColor = S->SummaryColor;
    SummaryColorTo = S->SummaryColorTo;
    SummaryTextColor = S->SummaryTextColor;
    SummaryLine = S->SummaryLine;
  }

  bool AutoSelectGroup = false;
  AnsiString GroupCountFormat;
  TColor HeaderColor = clNone;
  TColor HeaderColorTo = clNone;
  TColor HeaderTextColor = clNone;
  bool HeaderUnderline = false;
  TColor HeaderLineColor = clBlue;
  int HeaderLineWidth = 2;
  bool MergeHeader = false;
  bool MergeSummary = false;
  bool ShowGroupCount = false;
  bool Summary = false;
  TColor SummaryColor = clNone;
  TColor SummaryColorTo = clNone;
  TColor SummaryTextColor = clNone;
  bool SummaryLine = false;
  TColor SummaryLineColor = clBlue;
  int SummaryLineWidth = 2;
};
