// The mini-HTML engine on grid-sized work: stripping a million plain cell
// texts, and measuring cell texts as autosize does for every row.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "grid/vzvhtmle.h"

namespace {

constexpr int kTexts = 1000000;
constexpr int kMeasures = 100000;

const std::vector<AnsiString>& PlainTexts() {
  static const std::vector<AnsiString> texts = [] {
    std::vector<AnsiString> t;
    t.reserve(kTexts);
    for (int i = 0; i < kTexts; ++i) t.push_back(i % 2 ? "Счётчик № " + std::to_string(i) : std::to_string(i * 7));
    return t;
  }();
  return texts;
}

// HTMLStrip over a million texts without "<".
void BM_HTMLStripPlain(benchmark::State& state) {
  const auto& texts = PlainTexts();
  for (auto _ : state) {
    std::size_t total = 0;
    for (const AnsiString& t : texts) total += HTMLStrip(t).size();
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * kTexts);
}
BENCHMARK(BM_HTMLStripPlain)->Unit(benchmark::kMillisecond);

// 100,000 measure-only calls on a two-tag cell text.
void BM_HTMLMeasureCell(benchmark::State& state) {
  TBitmap bmp;
  bmp.SetSize(200, 40);
  TCanvas* c = bmp.GetCanvas();
  c->GetFont()->SetName("Arial");
  THTMLDrawOptions o;
  o.Canvas = c;
  o.Rect = TRect(0, 0, 180, 20);
  o.CheckHeight = true;
  const AnsiString texts[] = {"<b>Счётчик</b> 1", "<b>Meter</b> 22", "<i>Phase</i> A"};
  for (auto _ : state) {
    int total = 0;
    for (int i = 0; i < kMeasures; ++i) {
      o.Text = texts[i % 3];
      THTMLDrawResults r;
      HTMLDraw(o, r);
      total += r.XSize;
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * kMeasures);
}
BENCHMARK(BM_HTMLMeasureCell)->Unit(benchmark::kMillisecond);

}  // namespace
