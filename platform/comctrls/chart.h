// A line chart: a titled plot of line series with axes, tick labels, the
// points' labels along the bottom axis where they fit, and a legend. The
// chart repaints after every change of its series.
#pragma once

#include <vector>

#include "platform/forms/forms.h"

// A point's colour that means "the series' colour".
inline constexpr TColor clTeeColor = clDefault;

class TChart;

struct TChartValue {
  double X = 0;
  double Y = 0;
  AnsiString Label;
  TColor Color = clTeeColor;
};

class TChartSeries : public TComponent {
public:
  explicit TChartSeries(TComponent* AOwner);
  ~TChartSeries() override;
  // Adding the series to a chart (nullptr takes it off).
  TChart* GetParentChart() const { return FChart; }
  void SetParentChart(TChart* Value);
  AnsiString GetTitle() const { return FTitle; }
  void SetTitle(const AnsiString& Value);
  TColor GetSeriesColor() const { return FColor; }
  void SetSeriesColor(TColor Value);
  bool GetActive() const { return FActive; }
  void SetActive(bool Value);
  bool GetShowInLegend() const { return FShowInLegend; }
  void SetShowInLegend(bool Value);

  void Clear();
  // Appends a point and returns its index.
  int AddXY(double X, double Y, const AnsiString& Label = AnsiString(), TColor Color = clTeeColor);
  int Add(double Y, const AnsiString& Label = AnsiString(), TColor Color = clTeeColor);
  void Delete(int Index);  // EListError out of range
  int Count() const { return static_cast<int>(FValues.size()); }
  const std::vector<TChartValue>& GetValues() const { return FValues; }
  // EListError out of range.
  const TChartValue& GetValue(int Index) const;
  double XValue(int Index) const { return GetValue(Index).X; }
  double YValue(int Index) const { return GetValue(Index).Y; }
  AnsiString XLabel(int Index) const { return GetValue(Index).Label; }
  // The colour the point is drawn in (the series' for clTeeColor).
  TColor ValueColor(int Index) const;

  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void Changed();
  TChart* FChart = nullptr;
  AnsiString FTitle;
  TColor FColor = clRed;
  bool FActive = true;
  bool FShowInLegend = true;
  std::vector<TChartValue> FValues;

  friend class TChart;
};

class TLineSeries : public TChartSeries {
public:
  explicit TLineSeries(TComponent* AOwner) : TChartSeries(AOwner) {}
  bool GetPointerVisible() const { return FPointerVisible; }
  void SetPointerVisible(bool Value);

private:
  bool FPointerVisible = false;
};

class TChart : public TCustomControl {
public:
  explicit TChart(TComponent* AOwner);
  ~TChart() override;
  AnsiString GetTitle() const { return FTitle; }
  void SetTitle(const AnsiString& Value);
  bool GetLegendVisible() const { return FLegendVisible; }
  void SetLegendVisible(bool Value);
  int SeriesCount() const { return static_cast<int>(FSeries.size()); }
  TChartSeries* Series(int Index) const;  // EListError out of range
  void AddSeries(TChartSeries* Value) { Value->SetParentChart(this); }
  void RemoveSeries(TChartSeries* Value);
  // Empties every series.
  void ClearSeries();

  // Layout, for painting and tests: the plot rectangle and the axis ranges.
  TRect PlotRect();
  void AxisRange(bool Vertical, double& Min, double& Max) const;
  // Screen position (client coordinates) of a value.
  TPoint ValueToPoint(double X, double Y);
  // Point labels drawn along the bottom axis by the last paint (those that
  // did not fit were skipped).
  const std::vector<AnsiString>& DrawnLabels() const { return FDrawnLabels; }

protected:
  void Paint() override;

private:
  void PaintLegend(const TRect& Area);
  int LegendWidth();
  std::vector<TChartSeries*> FSeries;
  AnsiString FTitle;
  bool FLegendVisible = true;
  std::vector<AnsiString> FDrawnLabels;

  friend class TChartSeries;
};
