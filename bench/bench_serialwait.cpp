// Waiting for a meter answer that does not come: the processor time a
// 3-second WaitForBytes on a silent line costs the whole process (the port's
// event threads included), beside the look-sleep-pump loop it replaced.
#include <benchmark/benchmark.h>
#include <time.h>

#include <chrono>

#include "platform/rtl/syncobjs.h"
#include "serial/srcomm.h"
#include "serial/srwin32.h"
#include "tests/support/pty_peer.h"

namespace {

constexpr DWORD kWait = 3000;

double ProcessCpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// The line as the configurator opens it, with a peer that never answers.
struct TSilentLine {
  TPtyPeer Peer;
  TsrComm Comm{nullptr};
  TSilentLine() {
    Comm.SetComPortNo(static_cast<Word>(Peer.Number()));
    Comm.SetRS485(true);
    Comm.SetTimeoutRead(20);
    Comm.SetTimeoutWrite(20);
    Comm.SetActive(true);
  }
};

// The earlier wait: look at the queue, sleep a millisecond, pump.
bool PollingWait(TsrComm& Comm, DWORD Count, DWORD Timeout) {
  const DWORD start = GetTickCount();
  while (Comm.GetActive() && GetTickCount() - start <= Timeout) {
    if (Comm.GetReadyForRead() >= Count) return true;
    Sleep(1);
    srProcessMessages();
  }
  return false;
}

template <class F>
void MeasureSilentWait(benchmark::State& state, F Wait) {
  TSilentLine line;
  if (!line.Comm.GetActive()) {
    state.SkipWithError("the pseudo-terminal port did not open");
    return;
  }
  // What a process does once (its queue's signal, the threads that serve
  // the first pumped messages) is not part of the figure.
  line.Comm.WaitForBytes(7, 20);
  double cpu = 0, wall = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = ProcessCpuSeconds();
    benchmark::DoNotOptimize(Wait(line.Comm));
    cpu += ProcessCpuSeconds() - c0;
    wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  }
  state.counters["cpu_percent_of_a_core"] = wall > 0 ? 100.0 * cpu / wall : 0;
}

void BM_SilentWaitForBytes(benchmark::State& state) {
  MeasureSilentWait(state, [](TsrComm& C) { return C.WaitForBytes(7, kWait); });
}
BENCHMARK(BM_SilentWaitForBytes)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// The floor: the open line's own threads while the caller only sleeps.
void BM_SilentLineWhileSleeping(benchmark::State& state) {
  MeasureSilentWait(state, [](TsrComm&) {
    Sleep(kWait);
    return false;
  });
}
BENCHMARK(BM_SilentLineWhileSleeping)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void BM_SilentPollingWait(benchmark::State& state) {
  MeasureSilentWait(state, [](TsrComm& C) { return PollingWait(C, 7, kWait); });
}
BENCHMARK(BM_SilentPollingWait)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace
