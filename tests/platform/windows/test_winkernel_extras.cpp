// Leave tracking, the last message's time and position, WaitMessage and
// serial-port device notifications.
#include "test_winkernel_support.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include <unistd.h>

#include "platform/comms/dbt.h"
#include "platform/comms/serialports.h"
#include "platform/rtl/syncobjs.h"

class ExtrasTest : public KernelTest {
protected:
  void SetUp() override {
    KernelTest::SetUp();
    form = Top("form", RECT{100, 100, 500, 400});
    a = Child("a", form, RECT{10, 10, 110, 110});
    b = Child("b", form, RECT{200, 10, 300, 110});
    inner = Child("inner", a, RECT{50, 50, 90, 90});
    other = Top("other", RECT{600, 100, 700, 200});
    PumpUntilIdle();
  }
  void Track(HWND h, DWORD flags = TME_LEAVE) {
    TRACKMOUSEEVENT t{sizeof(TRACKMOUSEEVENT), flags, h, 0};
    EXPECT_TRUE(TrackMouseEvent(&t));
  }
  HWND form{}, a{}, b{}, inner{}, other{};
};

TEST_F(ExtrasTest, MouseLeaveIsPostedOnceWhenThePointerLeavesTheTrackedClientArea) {
  struct Case {
    const char* name;
    POINT to;  // screen
    bool leaves;
  };
  const Case cases[] = {
      {"stays inside", POINT{140, 140}, false},
      {"to a sibling", POINT{350, 150}, true},
      {"to its own child", POINT{170, 170}, true},
      {"to another top-level window", POINT{650, 150}, true},
      {"to no window at all", POINT{50, 50}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestMouseMove(POINT{130, 130});  // inside a, outside inner
    PumpUntilIdle();
    Watch({WM_MOUSELEAVE});
    Track(a);
    TestMouseMove(c.to);
    TestMouseMove(POINT{c.to.x + 1, c.to.y});
    PumpUntilIdle();
    EXPECT_EQ(c.leaves ? Lines{"a WM_MOUSELEAVE"} : Lines{}, Log);
    Track(a, TME_LEAVE | TME_CANCEL);
  }
}

TEST_F(ExtrasTest, TrackingAWindowThePointerIsNotOverLeavesAtOnceAndCancelStopsIt) {
  Watch({WM_MOUSELEAVE});
  TestMouseMove(POINT{650, 150});
  PumpUntilIdle();
  Track(b);
  PumpUntilIdle();
  EXPECT_EQ(1u, Log.size());

  Log.clear();
  TestMouseMove(POINT{350, 150});
  PumpUntilIdle();
  Track(b);
  TRACKMOUSEEVENT q{sizeof(TRACKMOUSEEVENT), TME_QUERY, nullptr, 0};
  ASSERT_TRUE(TrackMouseEvent(&q));
  EXPECT_EQ(b, q.hwndTrack);
  EXPECT_EQ(TME_LEAVE, q.dwFlags);
  Track(b, TME_LEAVE | TME_CANCEL);
  TestMouseMove(POINT{650, 150});
  InjectMouseLeftWindows();
  PumpUntilIdle();
  EXPECT_TRUE(Log.empty());

  TRACKMOUSEEVENT bad{sizeof(TRACKMOUSEEVENT) - 1, TME_LEAVE, b, 0};
  EXPECT_FALSE(TrackMouseEvent(&bad));
  DestroyWindow(other);
  TRACKMOUSEEVENT gone{sizeof(TRACKMOUSEEVENT), TME_LEAVE, other, 0};
  EXPECT_FALSE(TrackMouseEvent(&gone));
}

TEST_F(ExtrasTest, TheHostTellingThePointerLeftEndsTracking) {
  Watch({WM_MOUSELEAVE});
  TestMouseMove(POINT{130, 130});
  PumpUntilIdle();
  Track(a);
  InjectMouseLeftWindows();
  InjectMouseLeftWindows();  // nothing tracked any more
  PumpUntilIdle();
  EXPECT_EQ(1u, Log.size());
}

TEST_F(ExtrasTest, MessagePosAndTimeDescribeTheMessageBeingHandled) {
  std::vector<std::pair<DWORD, LONG>> seen;
  Handlers[b] = [&](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_LBUTTONDOWN || m == WM_USER) seen.emplace_back(GetMessagePos(), GetMessageTime());
    return std::nullopt;
  };
  AdvanceTestClock(40);
  TestMouseDown(POINT{320, 130});
  PumpUntilIdle();
  const LONG clickTime = static_cast<LONG>(GetTickCount());
  AdvanceTestClock(25);
  TestMouseUp(POINT{320, 130});
  TestMouseMove(POINT{360, 170});
  PumpUntilIdle();
  PostMessageA(b, WM_USER, 0, 0);  // posted: the pointer where it is at retrieval
  PumpUntilIdle();
  ASSERT_EQ(2u, seen.size());
  EXPECT_EQ(static_cast<DWORD>(MAKELPARAM(320, 130)), seen[0].first);
  EXPECT_EQ(clickTime, seen[0].second);
  EXPECT_EQ(static_cast<DWORD>(MAKELPARAM(360, 170)), seen[1].first);
  EXPECT_EQ(clickTime + 25, seen[1].second);
}

TEST_F(ExtrasTest, WaitMessageReturnsForAPostFromAnotherThreadAndLeavesItQueued) {
  UseSystemClock();
  std::thread worker([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    PostMessageA(b, WM_USER, 7, 0);
  });
  EXPECT_TRUE(WaitMessage());
  worker.join();
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(static_cast<UINT>(WM_USER), m.message);
  EXPECT_EQ(7u, m.wParam);
}

TEST_F(ExtrasTest, SerialPortsComingAndGoingAreToldToTopLevelWindowsWithTheirName) {
  // An empty system, so only the registered port changes the map.
  namespace fs = std::filesystem;
  const fs::path root = fs::temp_directory_path() / ("yunt_devchange_" + std::to_string(::getpid()));
  fs::create_directories(root / "tty");
  const TSerialPortSources saved = GetSerialPortSources();
  TSerialPortSources src;
  src.SysClassTty = (root / "tty").string();
  src.DevDir = (root / "dev").string();
  src.ByIdDir = (root / "byid").string();
  src.MapFile = (root / "none.conf").string();
  SetSerialPortSources(src);
  CheckDeviceChanges();

  Lines got;
  auto record = [&](const char* who) {
    return [&got, who](UINT m, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
      if (m != WM_DEVICECHANGE) return std::nullopt;
      auto* hdr = reinterpret_cast<const DEV_BROADCAST_HDR*>(l);
      std::string line = std::string(who) + (w == DBT_DEVICEARRIVAL ? " arrival " : w == DBT_DEVICEREMOVECOMPLETE ? " removal " : " ? ");
      if (hdr && hdr->dbch_devicetype == DBT_DEVTYP_PORT) {
        auto* port = reinterpret_cast<const DEV_BROADCAST_PORT_A*>(l);
        line += port->dbcp_name;
        EXPECT_EQ(offsetof(DEV_BROADCAST_PORT_A, dbcp_name) + std::strlen(port->dbcp_name) + 1, port->dbcp_size);
      }
      got.push_back(line);
      return TRUE;
    };
  };
  Handlers[form] = record("form");
  Handlers[other] = record("other");
  Handlers[a] = record("a");  // a child: not told

  EXPECT_EQ(0, CheckDeviceChanges());
  ASSERT_EQ(7u, RegisterSerialPort(7, "/dev/pts/yunt-test"));
  EXPECT_EQ(1, CheckDeviceChanges());
  EXPECT_EQ(0, CheckDeviceChanges());
  UnregisterSerialPort(7);
  EXPECT_EQ(1, CheckDeviceChanges());
  std::sort(got.begin(), got.end());
  EXPECT_EQ((Lines{"form arrival COM7", "form removal COM7", "other arrival COM7", "other removal COM7"}), got);

  SetSerialPortSources(saved);
  CheckDeviceChanges();
  fs::remove_all(root);
}

TEST_F(ExtrasTest, TheDeviceWatchChecksOnItsTimer) {
  Lines got;
  Handlers[form] = [&](UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_DEVICECHANGE) got.push_back(std::to_string(w));
    return std::nullopt;
  };
  WatchDeviceChanges(1000);
  const unsigned n = RegisterSerialPort(0, "/dev/pts/yunt-watch");
  ASSERT_NE(0u, n);
  AdvanceTestClock(500);
  EXPECT_TRUE(got.empty());
  AdvanceTestClock(600);
  EXPECT_EQ((Lines{std::to_string(DBT_DEVICEARRIVAL)}), got);
  WatchDeviceChanges(0);
  UnregisterSerialPort(n);
  AdvanceTestClock(3000);
  EXPECT_EQ(1u, got.size());
  CheckDeviceChanges();
}
