// Line settings: DCB round trips, rejected settings, the termios they make,
// and bytes passing raw in both directions.
#include <gtest/gtest.h>

#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include "platform/comms/comms.h"
#include "platform/comms/comms_termios.h"
#include "platform/rtl/syncobjs.h"
#include "tests/support/pty_peer.h"

namespace {

class CommsDcb : public ::testing::Test {
protected:
  void SetUp() override {
    h = CreateFileA(peer.PortName().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                    FILE_FLAG_OVERLAPPED, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
  }
  void TearDown() override {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  termios DeviceTermios() {
    int fd = ::open(peer.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios t{};
    EXPECT_EQ(::tcgetattr(fd, &t), 0);
    ::close(fd);
    return t;
  }
  TPtyPeer peer;
  HANDLE h = INVALID_HANDLE_VALUE;
};

// What the serial component builds for the meter line: RS-485 toggle, 8N1.
DCB MeterDcb(DWORD baud) {
  DCB d = DefaultCommDCB();
  d.BaudRate = baud;
  d.Flags = 0x3011;
  d.ErrorChar = 0x3F;
  d.EofChar = 0x1A;
  d.EvtChar = 0x7E;
  d.XonLim = 100;
  d.XoffLim = 200;
  return d;
}

TEST_F(CommsDcb, StateRoundTripsUnchangedIncludingFieldsWithoutTermiosCounterpart) {
  for (DWORD baud : {2400u, 4800u, 9600u, 14400u}) {
    SCOPED_TRACE(baud);
    DCB in = MeterDcb(baud);
    ASSERT_TRUE(SetCommState(h, &in)) << GetLastError();
    DCB out{};
    ASSERT_TRUE(GetCommState(h, &out));
    EXPECT_EQ(std::memcmp(&in, &out, sizeof(DCB)), 0);
  }
  termios t = DeviceTermios();
  EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_FALSE(t.c_cflag & (PARENB | CSTOPB | CRTSCTS));
}

TEST_F(CommsDcb, RejectedSettingsLeaveThePreviousOnesInForce) {
  DCB good = MeterDcb(4800);
  ASSERT_TRUE(SetCommState(h, &good));
  const termios before = DeviceTermios();
  struct Case {
    const char* what;
    std::function<void(DCB&)> change;
  };
  const Case cases[] = {
      {"byte size 4", [](DCB& d) { d.ByteSize = 4; }},
      {"byte size 9", [](DCB& d) { d.ByteSize = 9; }},
      {"parity 5", [](DCB& d) { d.Parity = 5; }},
      {"stop bits 3", [](DCB& d) { d.StopBits = 3; }},
      {"1.5 stop bits with 8 data bits", [](DCB& d) { d.StopBits = ONE5STOPBITS; }},
      {"2 stop bits with 5 data bits", [](DCB& d) { d.ByteSize = 5; d.StopBits = TWOSTOPBITS; }},
      {"baud 0", [](DCB& d) { d.BaudRate = 0; }},
      {"XON equals XOFF with XON/XOFF", [](DCB& d) { d.Flags |= DCB_FOUTX; d.XoffChar = d.XonChar; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    DCB bad = MeterDcb(9600);
    c.change(bad);
    SetLastError(0);
    EXPECT_FALSE(SetCommState(h, &bad));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    DCB now{};
    ASSERT_TRUE(GetCommState(h, &now));
    EXPECT_EQ(std::memcmp(&now, &good, sizeof(DCB)), 0);
  }
  const termios after = DeviceTermios();
  EXPECT_EQ(cfgetospeed(&after), cfgetospeed(&before));
  EXPECT_EQ(after.c_cflag, before.c_cflag);
}

TEST(CommsDcbTermios, SettingsMapToTermiosAndStayRaw) {
  struct Case {
    const char* what;
    std::function<void(DCB&)> change;
    tcflag_t size, cflagSet, cflagClear, iflagSet;
  };
  const Case cases[] = {
      {"8N1", [](DCB&) {}, CS8, 0, PARENB | CSTOPB | CRTSCTS, 0},
      {"7 odd", [](DCB& d) { d.ByteSize = 7; d.Parity = ODDPARITY; }, CS7, PARENB | PARODD, CMSPAR, 0},
      {"even, checked", [](DCB& d) { d.Parity = EVENPARITY; d.Flags |= DCB_FPARITY; }, CS8, PARENB, PARODD | CMSPAR, INPCK},
      {"mark", [](DCB& d) { d.Parity = MARKPARITY; }, CS8, PARENB | CMSPAR | PARODD, 0, 0},
      {"space", [](DCB& d) { d.Parity = SPACEPARITY; }, CS8, PARENB | CMSPAR, PARODD, 0},
      {"two stop bits", [](DCB& d) { d.StopBits = TWOSTOPBITS; }, CS8, CSTOPB, 0, 0},
      {"5 data, 1.5 stop", [](DCB& d) { d.ByteSize = 5; d.StopBits = ONE5STOPBITS; }, CS5, CSTOPB, 0, 0},
      {"6 data", [](DCB& d) { d.ByteSize = 6; }, CS6, 0, CSTOPB, 0},
      {"hardware flow", [](DCB& d) { d.Flags = 0x2015; }, CS8, CRTSCTS, 0, 0},
      {"XON/XOFF", [](DCB& d) { d.Flags = 0x1311; }, CS8, 0, CRTSCTS, IXON | IXOFF},
      {"RS-485 toggle", [](DCB& d) { d.Flags = 0x3011; }, CS8, 0, CRTSCTS, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    DCB d = DefaultCommDCB();
    c.change(d);
    termios t{};
    t.c_iflag = ICRNL | IXANY | BRKINT | ISTRIP | IXON;
    t.c_oflag = OPOST | ONLCR;
    t.c_lflag = ICANON | ECHO | ISIG | IEXTEN;
    unsigned custom = 1;
    ASSERT_TRUE(DCBToTermios(d, t, &custom));
    EXPECT_EQ(custom, 0u);
    EXPECT_EQ(t.c_cflag & CSIZE, c.size);
    EXPECT_EQ(t.c_cflag & c.cflagSet, c.cflagSet);
    EXPECT_EQ(t.c_cflag & c.cflagClear, 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | INPCK), c.iflagSet);
    EXPECT_TRUE(t.c_cflag & CLOCAL);
    EXPECT_TRUE(t.c_cflag & CREAD);
    EXPECT_EQ(t.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP | IXANY | BRKINT | PARMRK), 0u);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 0);
  }
}

TEST_F(CommsDcb, ControlBytesPassUnchangedBothWays) {
  DCB d = MeterDcb(9600);
  ASSERT_TRUE(SetCommState(h, &d));
  COMMTIMEOUTS to{0, 0, 1000, 0, 0};
  ASSERT_TRUE(SetCommTimeouts(h, &to));
  const TBytes bytes = {0x11, 0x13, 0x0D, 0x0A, 0x03, 0x1A, 0x7F, 0x00, 0xFF, 0x0D};
  DWORD n = 0;
  ASSERT_TRUE(WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr));
  ASSERT_TRUE(peer.WaitReceived(bytes.size(), std::chrono::seconds(2)));
  EXPECT_EQ(peer.Received(), bytes);

  peer.Send(bytes);
  TBytes in(bytes.size());
  ASSERT_TRUE(ReadFile(h, in.data(), static_cast<DWORD>(in.size()), &n, nullptr));
  EXPECT_EQ(n, bytes.size());
  EXPECT_EQ(in, bytes);
}

TEST_F(CommsDcb, Rs485ToggleWithoutKernelSupportNeverStopsTheExchange) {
  // A pseudo-terminal has neither the kernel's RS-485 mode nor an RTS line.
  for (TRS485Fallback fallback : {rsNothing, rsEmulate}) {
    SCOPED_TRACE(fallback);
    SetCommRS485Fallback(fallback);
    DCB d = MeterDcb(2400);
    EXPECT_TRUE(SetCommState(h, &d));
    const Byte frame[] = {0x01, 0x02, 0x03, 0x2F};
    DWORD n = 0;
    peer.ClearReceived();
    EXPECT_TRUE(WriteFile(h, frame, sizeof frame, &n, nullptr));
    EXPECT_EQ(n, sizeof frame);
    EXPECT_TRUE(peer.WaitReceived(sizeof frame, std::chrono::seconds(2)));
  }
  SetCommRS485Fallback(rsNothing);
}

}  // namespace
