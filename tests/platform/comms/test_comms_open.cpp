// Opening and closing ports: names, exclusivity, error codes, closed handles.
#include <gtest/gtest.h>

#include <cstdlib>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/comms/comms.h"
#include "platform/comms/serialports.h"
#include "platform/rtl/syncobjs.h"
#include "tests/support/pty_peer.h"

namespace {

HANDLE OpenPort(const AnsiString& Name) {
  return CreateFileA(Name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                     FILE_FLAG_OVERLAPPED, nullptr);
}

TEST(CommsOpen, AcceptsThePortNameForms) {
  TPtyPeer peer;
  const AnsiString n = std::to_string(peer.Number());
  for (const AnsiString& name : {"COM" + n, "com" + n, "\\\\.\\COM" + n, "\\\\?\\COM" + n}) {
    SCOPED_TRACE(name);
    HANDLE h = OpenPort(name);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << GetLastError();
    EXPECT_TRUE(CloseHandle(h));
  }
}

TEST(CommsOpen, MissingPortsAndOtherNamesAreNotFound) {
  for (const char* name : {"COM0", "COM256", "COM01", "COM", "COMx", "LPT1", "", "/dev/null", "\\\\.\\COM"}) {
    SCOPED_TRACE(name);
    SetLastError(0);
    EXPECT_EQ(OpenPort(name), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  }
  SetLastError(0);
  EXPECT_EQ(CreateFileA(nullptr, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

  // A mapped port whose device is gone, or is no terminal at all.
  for (const char* path : {"/dev/yunt-no-such-device", "/dev/null"}) {
    SCOPED_TRACE(path);
    unsigned n = RegisterSerialPort(0, path);
    ASSERT_NE(n, 0u);
    SetLastError(0);
    EXPECT_EQ(OpenPort("COM" + std::to_string(n)), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    UnregisterSerialPort(n);
  }
}

// Run as a second process by the test below (a fresh exec: forking a
// threaded process would inherit its locks): opens the device named in the
// environment and exits with the error code, 0 when it could open it.
[[maybe_unused]] const bool ChildMode = [] {
  const char* path = std::getenv("YUNT_TEST_OPEN_AS_CHILD");
  if (!path) return false;
  unsigned n = RegisterSerialPort(0, path);
  HANDLE h = OpenPort("COM" + std::to_string(n));
  ::_exit(h == INVALID_HANDLE_VALUE ? static_cast<int>(GetLastError()) : 0);
}();

TEST(CommsOpen, APortHeldByAnotherProcessIsDenied) {
  TPtyPeer peer;
  const AnsiString env = "YUNT_TEST_OPEN_AS_CHILD=" + peer.SlavePath();
  char* const argv[] = {const_cast<char*>("child"), nullptr};
  char* const envp[] = {const_cast<char*>(env.c_str()), nullptr};
  auto runChild = [&] {
    pid_t child = 0;
    EXPECT_EQ(::posix_spawn(&child, "/proc/self/exe", nullptr, nullptr, argv, envp), 0);
    int status = 0;
    EXPECT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status));
    return WEXITSTATUS(status);
  };
  HANDLE h = OpenPort(peer.PortName());
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(runChild(), ERROR_ACCESS_DENIED);
  CloseHandle(h);
  EXPECT_EQ(runChild(), 0);
}

TEST(CommsOpen, SecondOpenIsDeniedUntilTheFirstCloses) {
  TPtyPeer peer;
  HANDLE first = OpenPort(peer.PortName());
  ASSERT_NE(first, INVALID_HANDLE_VALUE);
  SetLastError(0);
  EXPECT_EQ(OpenPort(peer.PortName()), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  ASSERT_TRUE(CloseHandle(first));
  HANDLE again = OpenPort(peer.PortName());
  EXPECT_NE(again, INVALID_HANDLE_VALUE);
  CloseHandle(again);
}

TEST(CommsOpen, ReopeningKeepsThePeerAndLosesNothingSentAfterwards) {
  TPtyPeer peer;
  for (int round = 0; round < 3; ++round) {
    HANDLE h = OpenPort(peer.PortName());
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    const Byte out[] = {0x10, static_cast<Byte>(round)};
    DWORD done = 0;
    ASSERT_TRUE(WriteFile(h, out, 2, &done, nullptr));
    EXPECT_EQ(done, 2u);
    ASSERT_TRUE(peer.WaitReceived(2 * (round + 1), std::chrono::seconds(2)));
    CloseHandle(h);
  }
  EXPECT_EQ(peer.Received(), (TBytes{0x10, 0, 0x10, 1, 0x10, 2}));
}

TEST(CommsOpen, CallsOnAClosedHandleFailWithInvalidHandle) {
  TPtyPeer peer;
  HANDLE h = OpenPort(peer.PortName());
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(CloseHandle(h));
  DWORD n = 0, mask = 0, errors = 0;
  Byte buf[4];
  COMSTAT stat{};
  DCB dcb{};
  const std::vector<std::pair<const char*, std::function<BOOL()>>> calls = {
      {"ReadFile", [&] { return ReadFile(h, buf, 4, &n, nullptr); }},
      {"WriteFile", [&] { return WriteFile(h, buf, 4, &n, nullptr); }},
      {"ClearCommError", [&] { return ClearCommError(h, &errors, &stat); }},
      {"WaitCommEvent", [&] { return WaitCommEvent(h, &mask, nullptr); }},
      {"SetCommMask", [&] { return SetCommMask(h, EV_RXCHAR); }},
      {"PurgeComm", [&] { return PurgeComm(h, 0x0F); }},
      {"GetCommState", [&] { return GetCommState(h, &dcb); }},
      {"CloseHandle", [&] { return CloseHandle(h); }},
      {"INVALID_HANDLE_VALUE", [&] { return ClearCommError(INVALID_HANDLE_VALUE, &errors, &stat); }},
  };
  for (const auto& [name, call] : calls) {
    SCOPED_TRACE(name);
    SetLastError(0);
    EXPECT_FALSE(call());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  }
}

TEST(CommsOpen, DefaultConfigurationAndItsSizeNegotiation) {
  COMMCONFIG cc{};
  DWORD size = 10;
  SetLastError(0);
  EXPECT_FALSE(GetDefaultCommConfigA("COM1", &cc, &size));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(size, 52u);
  ASSERT_TRUE(GetDefaultCommConfigA("COM1", &cc, &size));
  EXPECT_EQ(cc.dwSize, 52u);
  EXPECT_EQ(cc.dcb.DCBlength, 28u);
  EXPECT_EQ(cc.dcb.BaudRate, 9600u);
  EXPECT_EQ(cc.dcb.Flags, 0x1011u);  // binary, DTR on, RTS on: DTR control stays below handshake
  EXPECT_EQ(cc.dcb.ByteSize, 8);
  EXPECT_EQ(cc.dcb.Parity, NOPARITY);
  EXPECT_EQ(cc.dcb.StopBits, ONESTOPBIT);
  EXPECT_EQ(cc.dcb.XonChar, 0x11);
  EXPECT_EQ(cc.dcb.XoffChar, 0x13);
  EXPECT_EQ(cc.dcb.XonLim, 2048);
  EXPECT_EQ(cc.dcb.XoffLim, 2048);
  EXPECT_FALSE(GetDefaultCommConfigA("PRN", &cc, &size));

  SetLastError(0);
  EXPECT_FALSE(CommConfigDialogA("COM1", nullptr, &cc));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANCELLED));
}

TEST(CommsOpen, OpenPortReportsItsSettingsAndProperties) {
  TPtyPeer peer;
  HANDLE h = OpenPort(peer.PortName());
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  COMMCONFIG cc{};
  DWORD size = sizeof cc;
  ASSERT_TRUE(GetCommConfig(h, &cc, &size));
  EXPECT_EQ(cc.dcb.BaudRate, 9600u);
  COMMPROP prop{};
  ASSERT_TRUE(GetCommProperties(h, &prop));
  EXPECT_EQ(prop.dwProvSubType, PST_RS232);
  ASSERT_TRUE(SetupComm(h, 8192, 8192));
  ASSERT_TRUE(GetCommProperties(h, &prop));
  EXPECT_EQ(prop.dwCurrentRxQueue, 8192u);
  // A pseudo-terminal has no modem lines: the call says so instead of inventing them.
  DWORD status = 0xFF;
  EXPECT_FALSE(GetCommModemStatus(h, &status));
  EXPECT_EQ(status, 0u);
  EXPECT_TRUE(CancelIo(h));
  CloseHandle(h);
}

}  // namespace
