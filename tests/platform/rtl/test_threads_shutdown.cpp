// Shutting the synchronisation down cannot be undone, so it has a process of
// its own.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

#include "platform/rtl/syncobjs.h"
#include "platform/rtl/threads.h"

namespace {

class TBodyThread : public TThread {
public:
  explicit TBodyThread(std::function<void(TBodyThread&)> body) : TThread(true), FBody(std::move(body)) {}

protected:
  void Execute() override { FBody(*this); }

private:
  std::function<void(TBodyThread&)> FBody;
};

}  // namespace

TEST(SynchronizeShutdown, ReleasesWaitingCallsWithoutRunningThem) {
  std::atomic<int> waiting{0}, released{0}, ran{0}, ranLater{0}, terminated{0};
  std::vector<std::unique_ptr<TBodyThread>> workers;
  for (int w = 0; w < 3; ++w) {
    workers.push_back(std::make_unique<TBodyThread>([&](TBodyThread& self) {
      ++waiting;
      // The first call to run shuts down; the others queued with it are
      // released unrun.
      self.Synchronize([&] {
        ++ran;
        ShutdownSynchronize();
      });
      ++released;
      self.Synchronize([&] { ++ranLater; });  // returns at once now
    }));
    workers.back()->OnTerminate = [&](TObject*) { ++terminated; };
  }
  for (auto& w : workers) w->Start();
  while (waiting < 3) Sleep(1);
  Sleep(30);  // the three calls queued, or nearly: a late one finds the shutdown

  EXPECT_TRUE(CheckSynchronize(1000));
  for (auto& w : workers) w->WaitFor();  // nobody stays blocked
  EXPECT_EQ(ran, 1);
  EXPECT_EQ(released, 3);
  EXPECT_EQ(ranLater, 0);
  EXPECT_EQ(terminated, 0);  // OnTerminate goes through Synchronize too
  EXPECT_FALSE(CheckSynchronize(20));
}
