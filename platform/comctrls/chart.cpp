// The line chart's series bookkeeping, scaling and painting.
#include "platform/comctrls/chart.h"

#include <algorithm>
#include <cmath>

#include "platform/rtl/sysutils.h"

// ---- Series -----------------------------------------------------------------------------------
TChartSeries::TChartSeries(TComponent* AOwner) : TComponent(AOwner) {}

TChartSeries::~TChartSeries() { SetParentChart(nullptr); }

void TChartSeries::SetParentChart(TChart* Value) {
  if (FChart == Value) return;
  if (FChart) {
    auto& s = FChart->FSeries;
    s.erase(std::remove(s.begin(), s.end(), this), s.end());
    FChart->Invalidate();
  }
  FChart = Value;
  if (FChart) {
    FChart->FSeries.push_back(this);
    FChart->Invalidate();
  }
}

void TChartSeries::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
}

void TChartSeries::Changed() {
  if (FChart) FChart->Invalidate();
}

void TChartSeries::SetTitle(const AnsiString& Value) {
  FTitle = Value;
  Changed();
}
void TChartSeries::SetSeriesColor(TColor Value) {
  FColor = Value;
  Changed();
}
void TChartSeries::SetActive(bool Value) {
  FActive = Value;
  Changed();
}
void TChartSeries::SetShowInLegend(bool Value) {
  FShowInLegend = Value;
  Changed();
}
void TLineSeries::SetPointerVisible(bool Value) {
  FPointerVisible = Value;
  if (GetParentChart()) GetParentChart()->Invalidate();
}

void TChartSeries::Clear() {
  FValues.clear();
  Changed();
}

int TChartSeries::AddXY(double X, double Y, const AnsiString& Label, TColor Color) {
  FValues.push_back(TChartValue{X, Y, Label, Color});
  Changed();
  return Count() - 1;
}

int TChartSeries::Add(double Y, const AnsiString& Label, TColor Color) { return AddXY(Count(), Y, Label, Color); }

const TChartValue& TChartSeries::GetValue(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
  return FValues[static_cast<std::size_t>(Index)];
}

void TChartSeries::Delete(int Index) {
  GetValue(Index);
  FValues.erase(FValues.begin() + Index);
  Changed();
}

TColor TChartSeries::ValueColor(int Index) const {
  TColor c = GetValue(Index).Color;
  return c == clTeeColor ? FColor : c;
}

// ---- Chart ------------------------------------------------------------------------------------
namespace {

constexpr int Margin = 8;
constexpr int TickLength = 4;

// A step of 1, 2 or 5 times a power of ten giving at most MaxTicks steps.
double NiceStep(double Range, int MaxTicks) {
  if (!(Range > 0) || !std::isfinite(Range)) return 1;
  double raw = Range / std::max(1, MaxTicks);
  double mag = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (m * mag >= raw) return m * mag;
  return 10 * mag;
}

AnsiString TickText(double V, double Step) {
  if (std::fabs(V) < Step * 1e-9) V = 0;
  return FloatToStrF(V, ffGeneral, 6, 0);
}

}  // namespace

TChart::TChart(TComponent* AOwner) : TCustomControl(AOwner) {
  FColor = clBtnFace;
  FParentColor = false;
  SetBounds(0, 0, 400, 250);
}

TChart::~TChart() {
  for (TChartSeries* s : FSeries) s->FChart = nullptr;
  FSeries.clear();
}

void TChart::SetTitle(const AnsiString& Value) {
  FTitle = Value;
  Invalidate();
}
void TChart::SetLegendVisible(bool Value) {
  FLegendVisible = Value;
  Invalidate();
}

TChartSeries* TChart::Series(int Index) const {
  if (Index < 0 || Index >= SeriesCount()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
  return FSeries[static_cast<std::size_t>(Index)];
}

void TChart::RemoveSeries(TChartSeries* Value) {
  if (Value && Value->FChart == this) Value->SetParentChart(nullptr);
}

void TChart::ClearSeries() {
  for (TChartSeries* s : FSeries) s->FValues.clear();
  Invalidate();
}

void TChart::AxisRange(bool Vertical, double& Min, double& Max) const {
  bool any = false;
  Min = 0;
  Max = 0;
  for (TChartSeries* s : FSeries) {
    if (!s->GetActive()) continue;
    for (const TChartValue& v : s->GetValues()) {
      double x = Vertical ? v.Y : v.X;
      if (!std::isfinite(x)) continue;
      if (!any) Min = Max = x;
      Min = std::min(Min, x);
      Max = std::max(Max, x);
      any = true;
    }
  }
  if (!any) {
    Min = 0;
    Max = Vertical ? 10 : 1;
  } else if (Max == Min) {
    double pad = Min == 0 ? 1 : std::fabs(Min) * 0.1;
    Min -= pad;
    Max += pad;
  }
  if (Vertical) {
    // The vertical axis starts and ends on a tick.
    double step = NiceStep(Max - Min, 8);
    Min = std::floor(Min / step) * step;
    Max = std::ceil(Max / step) * step;
  }
}

int TChart::LegendWidth() {
  if (!FLegendVisible) return 0;
  int w = 0;
  for (TChartSeries* s : FSeries)
    if (s->GetShowInLegend() && !s->GetTitle().empty()) w = std::max(w, Canvas()->TextWidth(s->GetTitle()));
  return w ? w + 40 : 0;
}

TRect TChart::PlotRect() {
  TRect r = GetClientRect();
  Canvas()->GetFont()->Assign(GetFont());
  int th = Canvas()->TextHeight("0");
  int top = r.top + Margin + (FTitle.empty() ? 0 : th + Margin);
  double ymin, ymax;
  AxisRange(true, ymin, ymax);
  int labelW = std::max(Canvas()->TextWidth(TickText(ymin, 1)), Canvas()->TextWidth(TickText(ymax, 1)));
  int left = r.left + Margin + labelW + TickLength + 4;
  int right = r.right - Margin - LegendWidth();
  int bottom = r.bottom - Margin - th - TickLength - 4;
  return TRect(left, top, std::max(left + 1, right), std::max(top + 1, bottom));
}

TPoint TChart::ValueToPoint(double X, double Y) {
  TRect p = PlotRect();
  double xmin, xmax, ymin, ymax;
  AxisRange(false, xmin, xmax);
  AxisRange(true, ymin, ymax);
  int x = p.left + static_cast<int>(std::lround((X - xmin) / (xmax - xmin) * (p.Width() - 1)));
  int y = p.bottom - 1 - static_cast<int>(std::lround((Y - ymin) / (ymax - ymin) * (p.Height() - 1)));
  return TPoint(x, y);
}

void TChart::PaintLegend(const TRect& Area) {
  TCanvas* c = Canvas();
  int th = c->TextHeight("0");
  std::vector<TChartSeries*> shown;
  for (TChartSeries* s : FSeries)
    if (s->GetShowInLegend() && !s->GetTitle().empty()) shown.push_back(s);
  if (shown.empty()) return;
  int lw = LegendWidth() - Margin;
  int h = static_cast<int>(shown.size()) * (th + 4) + 6;
  TRect box(Area.right + Margin, Area.top, Area.right + Margin + lw, Area.top + h);
  c->GetBrush()->SetColor(clWhite);
  c->GetPen()->SetColor(clBlack);
  c->GetPen()->SetWidth(1);
  c->Rectangle(box);
  int y = box.top + 4;
  for (TChartSeries* s : shown) {
    c->GetPen()->SetColor(s->GetSeriesColor());
    c->GetPen()->SetWidth(2);
    c->MoveTo(box.left + 4, y + th / 2);
    c->LineTo(box.left + 24, y + th / 2);
    c->GetBrush()->SetStyle(bsClear);
    c->TextOut(box.left + 28, y, s->GetTitle());
    c->GetBrush()->SetStyle(bsSolid);
    y += th + 4;
  }
  c->GetPen()->SetWidth(1);
}

void TChart::Paint() {
  TCanvas* c = Canvas();
  TRect r = GetClientRect();
  c->GetFont()->Assign(GetFont());
  c->GetBrush()->SetStyle(bsSolid);
  c->GetBrush()->SetColor(GetColor());
  c->FillRect(r);
  int th = c->TextHeight("0");
  if (!FTitle.empty()) {
    c->GetBrush()->SetStyle(bsClear);
    int tw = c->TextWidth(FTitle);
    c->TextOut(r.left + (r.Width() - tw) / 2, r.top + Margin, FTitle);
    c->GetBrush()->SetStyle(bsSolid);
  }
  TRect p = PlotRect();
  c->GetBrush()->SetColor(clWhite);
  c->GetPen()->SetColor(clBlack);
  c->GetPen()->SetWidth(1);
  c->Rectangle(p.left, p.top, p.right, p.bottom);
  double xmin, xmax, ymin, ymax;
  AxisRange(false, xmin, xmax);
  AxisRange(true, ymin, ymax);
  c->GetBrush()->SetStyle(bsClear);
  // Vertical axis: ticks, labels and grid lines.
  double ystep = NiceStep(ymax - ymin, 8);
  for (double v = ymin; v <= ymax + ystep * 1e-6; v += ystep) {
    int y = ValueToPoint(xmin, v).y;
    c->GetPen()->SetColor(clBlack);
    c->MoveTo(p.left - TickLength, y);
    c->LineTo(p.left, y);
    if (v > ymin && v < ymax) {
      c->GetPen()->SetColor(clSilver);
      c->MoveTo(p.left + 1, y);
      c->LineTo(p.right - 1, y);
    }
    AnsiString t = TickText(v, ystep);
    c->TextOut(p.left - TickLength - 2 - c->TextWidth(t), y - th / 2, t);
  }
  // Bottom axis: the points' labels where they do not overlap, else
  // numeric ticks.
  FDrawnLabels.clear();
  bool labels = false;
  for (TChartSeries* s : FSeries)
    for (const TChartValue& v : s->GetValues()) labels = labels || !v.Label.empty();
  c->GetPen()->SetColor(clBlack);
  if (labels) {
    int lastRight = -1000000;
    for (TChartSeries* s : FSeries) {
      if (!s->GetActive()) continue;
      for (const TChartValue& v : s->GetValues()) {
        if (v.Label.empty()) continue;
        int x = ValueToPoint(v.X, ymin).x;
        int w = c->TextWidth(v.Label);
        int left = x - w / 2;
        if (left <= lastRight + 2 || left < r.left || left + w > r.right) continue;
        c->MoveTo(x, p.bottom);
        c->LineTo(x, p.bottom + TickLength);
        c->TextOut(left, p.bottom + TickLength + 2, v.Label);
        FDrawnLabels.push_back(v.Label);
        lastRight = left + w;
      }
      break;  // the first series with points labels the axis
    }
  } else {
    double xstep = NiceStep(xmax - xmin, std::max(2, p.Width() / 60));
    for (double v = std::ceil(xmin / xstep) * xstep; v <= xmax + xstep * 1e-6; v += xstep) {
      int x = ValueToPoint(v, ymin).x;
      c->MoveTo(x, p.bottom);
      c->LineTo(x, p.bottom + TickLength);
      AnsiString t = TickText(v, xstep);
      c->TextOut(x - c->TextWidth(t) / 2, p.bottom + TickLength + 2, t);
    }
  }
  // The lines, each segment in the colour of the point it leads to.
  HDC dc = c->GetHandle();
  HRGN clip = CreateRectRgn(p.left, p.top, p.right, p.bottom);
  int saved = SaveDC(dc);
  SelectClipRgn(dc, clip);
  for (TChartSeries* s : FSeries) {
    if (!s->GetActive() || s->Count() == 0) continue;
    const auto& vals = s->GetValues();
    TPoint prev = ValueToPoint(vals[0].X, vals[0].Y);
    for (int i = 0; i < s->Count(); ++i) {
      TPoint pt = ValueToPoint(vals[static_cast<std::size_t>(i)].X, vals[static_cast<std::size_t>(i)].Y);
      c->GetPen()->SetColor(s->ValueColor(i));
      c->GetPen()->SetWidth(2);
      if (i > 0) {
        c->MoveTo(prev.x, prev.y);
        c->LineTo(pt.x, pt.y);
      }
      auto* line = dynamic_cast<TLineSeries*>(s);
      if ((line && line->GetPointerVisible()) || s->Count() == 1) {
        c->GetBrush()->SetStyle(bsSolid);
        c->GetBrush()->SetColor(s->ValueColor(i));
        c->GetPen()->SetWidth(1);
        c->Rectangle(pt.x - 2, pt.y - 2, pt.x + 3, pt.y + 3);
      }
      prev = pt;
    }
  }
  RestoreDC(dc, saved);
  DeleteObject(clip);
  c->GetPen()->SetWidth(1);
  c->GetBrush()->SetStyle(bsSolid);
  if (FLegendVisible) PaintLegend(p);
}
