// Against a real serial device, named in YUNT_TEST_SERIAL_PORT ("COM3" or a
// device path such as /dev/ttyUSB0). With YUNT_TEST_SERIAL_LOOPBACK=1 the
// device's TX must be wired to its RX (or an RS-485 adapter that echoes).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "platform/comms/comms.h"
#include "platform/comms/serialports.h"
#include "platform/rtl/syncobjs.h"

namespace {

TEST(CommsRealDevice, OpensConfiguresSendsAndCloses) {
  const char* env = std::getenv("YUNT_TEST_SERIAL_PORT");
  if (!env || !*env)
    GTEST_SKIP() << "no real serial device: set YUNT_TEST_SERIAL_PORT=COMn or a device path to run this test";
  AnsiString name = env;
  unsigned registered = 0;
  if (ParseSerialPortName(name) == 0) {
    registered = RegisterSerialPort(0, name);
    ASSERT_NE(registered, 0u);
    name = "COM" + std::to_string(registered);
  }
  HANDLE h = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         FILE_FLAG_OVERLAPPED, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << "error " << GetLastError();

  // The configurator's line: 2400 8N1, RS-485 direction by RTS toggle.
  DCB dcb{};
  ASSERT_TRUE(GetCommState(h, &dcb));
  dcb.BaudRate = 2400;
  dcb.Flags = 0x3011;
  dcb.ByteSize = 8;
  dcb.Parity = NOPARITY;
  dcb.StopBits = ONESTOPBIT;
  EXPECT_TRUE(SetCommState(h, &dcb));
  EXPECT_TRUE(SetupComm(h, 8192, 8192));
  COMMTIMEOUTS t{0, 20, 0, 20, 0};
  EXPECT_TRUE(SetCommTimeouts(h, &t));
  EXPECT_TRUE(SetCommMask(h, EV_RXCHAR));
  DWORD modem = 0;
  EXPECT_TRUE(GetCommModemStatus(h, &modem)) << "a real port has modem lines";

  const Byte frame[] = {0x01, 0x02, 0x03, 0x2F, 0x11, 0x13, 0x0D, 0x0A};
  DWORD done = 0;
  ASSERT_TRUE(WriteFile(h, frame, sizeof frame, &done, nullptr));
  EXPECT_EQ(done, sizeof frame);
  EXPECT_TRUE(FlushFileBuffers(h));

  const char* loop = std::getenv("YUNT_TEST_SERIAL_LOOPBACK");
  if (loop && std::string(loop) == "1") {
    Byte back[sizeof frame] = {};
    DWORD got = 0;
    ASSERT_TRUE(ReadFile(h, back, sizeof back, &got, nullptr));
    EXPECT_EQ(got, sizeof frame);
    EXPECT_EQ(std::memcmp(back, frame, sizeof frame), 0);
  }
  COMSTAT st{};
  DWORD errors = 0;
  EXPECT_TRUE(ClearCommError(h, &errors, &st));
  EXPECT_EQ(errors, 0u);
  EXPECT_TRUE(CloseHandle(h));
  if (registered) UnregisterSerialPort(registered);
}

}  // namespace
