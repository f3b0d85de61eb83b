// The configuration value in the registry, the driver configuration
// helpers, adopted handles and the two device probes.
#include <gtest/gtest.h>

#include <filesystem>
#include <mutex>

#include "platform/settings/registry.h"
#include "serial/srconfig.h"
#include "tests/serial/serial_fixture.h"
#include "tests/support/pty_peer.h"

namespace {

constexpr DWORD HKCU = 0x80000001u;
constexpr const char* ConfigKey = "Software\\YuntTest\\Serial";

class PeripheryConfig : public ::testing::Test {
protected:
  void SetUp() override {
    char tmpl[] = "/tmp/periphery_cfgXXXXXX";
    Dir = mkdtemp(tmpl);
    SetRegistryStoreDir(Dir);
  }
  void TearDown() override {
    SetRegistryStoreDir("");
    std::error_code ec;
    std::filesystem::remove_all(Dir, ec);
  }
  static std::vector<Byte> RawValue(const AnsiString& Name) {
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (!reg.OpenKey(ConfigKey, false)) return {};
    std::vector<Byte> data(static_cast<size_t>(std::max(0, reg.GetDataSize(Name))));
    if (!data.empty()) reg.ReadBinaryData(Name, data.data(), static_cast<Integer>(data.size()));
    return data;
  }
  static void WriteRaw(const AnsiString& Name, const std::vector<Byte>& Data) {
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey(ConfigKey, true));
    reg.WriteBinaryData(Name, Data.data(), static_cast<Integer>(Data.size()));
  }
  AnsiString Dir;
};

TEST_F(PeripheryConfig, SaveWritesTheFortyNineByteLayout) {
  TsrComm c(nullptr);
  TRecordingLog log;
  c.SetLog(&log);
  c.SetComPortNo(300);  // only the low 8 bits are kept: 44
  c.SetBaudRate(0x0001C200);  // 115200
  c.SetByteSize(7);
  c.SetParity(pOdd);
  c.SetStopBits(sbTwo);
  c.SetEventChar('~');
  c.SetTimeoutRead(0x11223344);
  c.SetTimeoutWrite(55);
  c.SaveConfig(HKCU, ConfigKey, "Port");
  EXPECT_TRUE(log.Has("srComm: Configuration was saved"));

  const std::vector<Byte> v = RawValue("Port");
  ASSERT_EQ(v.size(), 49u);
  EXPECT_EQ(v[0], 44);
  EXPECT_EQ(std::vector<Byte>(v.begin() + 1, v.begin() + 5), (std::vector<Byte>{28, 0, 0, 0}));
  EXPECT_EQ(std::vector<Byte>(v.begin() + 5, v.begin() + 9), (std::vector<Byte>{0x00, 0xC2, 0x01, 0x00}));
  const DWORD flags = v[9] | v[10] << 8 | v[11] << 16 | static_cast<DWORD>(v[12]) << 24;
  EXPECT_EQ(flags, c.GetDCB().Flags);
  EXPECT_EQ(v[19], 7);             // byte size
  EXPECT_EQ(v[20], pOdd);
  EXPECT_EQ(v[21], sbTwo);
  EXPECT_EQ(v[22], 0x11);          // XON
  EXPECT_EQ(v[23], 0x13);          // XOFF
  EXPECT_EQ(v[26], '~');           // event character
  EXPECT_EQ(std::vector<Byte>(v.begin() + 33, v.begin() + 37), (std::vector<Byte>{0x44, 0x33, 0x22, 0x11}));
  EXPECT_EQ(v[41], 55);            // write multiplier
}

TEST_F(PeripheryConfig, LoadRestoresWhatSaveStored) {
  {
    TsrComm a(nullptr);
    a.SetComPortNo(7);
    a.SetBaudRate(57600);
    a.SetByteSize(5);
    a.SetParity(pEven);
    a.SetStopBits(sbOneAndHalf);
    a.SetEventChar('\n');
    a.SetStreamProtocol(spXonXoff);
    a.SetTimeoutRead(33);
    a.SetTimeoutWrite(44);
    a.SaveConfig(HKCU, ConfigKey, "Port");
  }
  TsrComm b(nullptr);
  TRecordingLog log;
  b.SetLog(&log);
  b.SetRS485(true);  // the protocol bits follow the loading component
  b.LoadConfig(HKCU, ConfigKey, "Port");
  EXPECT_TRUE(log.Has("srComm: Configuration was loaded"));
  EXPECT_EQ(b.GetComPortNo(), 7);
  EXPECT_EQ(b.GetBaudRate(), 57600u);
  EXPECT_EQ(b.GetByteSize(), 5);
  EXPECT_EQ(b.GetParity(), pEven);
  EXPECT_EQ(b.GetStopBits(), sbOneAndHalf);
  EXPECT_EQ(b.GetEventChar(), '\n');
  EXPECT_EQ(b.GetTimeoutRead(), 33u);
  EXPECT_EQ(b.GetTimeoutWrite(), 44u);
  EXPECT_EQ(b.GetDCB().Flags & 0x3311, 0x3011u);  // RS-485 bits, not the saved XON/XOFF ones
  EXPECT_TRUE(b.GetDCB().Flags & DCB_FPARITY);
  EXPECT_FALSE(b.GetActive());
}

TEST_F(PeripheryConfig, ValuesOfAnotherSizeOrMissingChangeNothing) {
  std::vector<Byte> good;
  {
    TsrComm a(nullptr);
    a.SetComPortNo(9);
    a.SaveConfig(HKCU, ConfigKey, "Port");
    good = RawValue("Port");
  }
  for (size_t size : {size_t{48}, size_t{50}, size_t{0}}) {
    std::vector<Byte> v = good;
    v.resize(size, 0);
    WriteRaw("Odd", v);
    TsrComm b(nullptr);
    TRecordingLog log;
    b.SetLog(&log);
    b.LoadConfig(HKCU, ConfigKey, "Odd");
    EXPECT_EQ(b.GetComPortNo(), 1) << size;
    EXPECT_EQ(b.GetBaudRate(), 19200u) << size;
    EXPECT_TRUE(log.Has("srComm: Configuration was loaded")) << size;
  }
  TsrComm c(nullptr);
  c.LoadConfig(HKCU, "Software\\YuntTest\\Missing", "Nothing");
  EXPECT_EQ(c.GetComPortNo(), 1);
}

TEST_F(PeripheryConfig, DamagedLineSettingsPassTheSetterRules) {
  std::vector<Byte> v;
  {
    TsrComm a(nullptr);
    a.SaveConfig(HKCU, ConfigKey, "Port");
    v = RawValue("Port");
  }
  struct {
    Byte ByteSize, Parity, StopBits;
    Byte WantSize;
    TParity WantParity;
    TStopBits WantStop;
  } cases[] = {
      {3, 9, 7, 8, pNone, sbOne},   // all out of range
      {9, 255, 3, 8, pNone, sbOne},
      {4, pMark, sbTwo, 4, pMark, sbTwo},  // in range: kept
      {0, pSpace, sbOneAndHalf, 8, pSpace, sbOneAndHalf},
  };
  for (const auto& k : cases) {
    v[19] = k.ByteSize;
    v[20] = k.Parity;
    v[21] = k.StopBits;
    WriteRaw("Damaged", v);
    TsrComm b(nullptr);
    b.LoadConfig(HKCU, ConfigKey, "Damaged");
    EXPECT_EQ(b.GetByteSize(), k.WantSize);
    EXPECT_EQ(b.GetParity(), k.WantParity);
    EXPECT_EQ(b.GetStopBits(), k.WantStop);
    EXPECT_EQ((b.GetDCB().Flags & DCB_FPARITY) != 0, k.WantParity != pNone);
  }
}

TEST_F(PeripheryConfig, RegistryFailuresGoThroughFatalErrors) {
  TsrComm c(nullptr);
  // The hardware branch of the machine root is read-only.
  try {
    c.SaveConfig(0x80000002u, "HARDWARE\\Yunt", "Port");
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Error on save config information from registry");
  }
  std::vector<AnsiString> reported;
  c.SetOnFatalError([&](TObject*, DWORD Code, DWORD Detail, const AnsiString& Msg, bool& Raise) {
    EXPECT_EQ(Code, 1u);
    EXPECT_EQ(Detail, 0u);
    reported.push_back(Msg);
    Raise = false;
  });
  EXPECT_NO_THROW(c.LoadConfig(0x80000002u, "HARDWARE\\Yunt", "Port"));
  EXPECT_EQ(reported, std::vector<AnsiString>{"Error on load config information from registry"});
}

TEST(PeripheryDriverConfig, DCBUpdateDerivesProtocolFromTheFlagWord) {
  struct {
    TStreamProtocol Protocol;
    bool RS485;
    TStreamProtocol Derived;
    bool DerivedRS485;
  } cases[] = {
      {spNone, false, spNone, false},
      {spXonXoff, false, spXonXoff, false},
      {spHardware, false, spHardware, false},
      {spHardware, true, spNone, true},  // the RS-485 word (toggle) is neither protocol
  };
  for (const auto& k : cases) {
    TsrComm c(nullptr);
    c.SetStreamProtocol(k.Protocol);
    c.SetRS485(k.RS485);
    c.DCBUpdate();
    EXPECT_EQ(c.GetStreamProtocol(), k.Derived);
    EXPECT_EQ(c.GetRS485(), k.DerivedRS485);
  }
  TsrComm c(nullptr);
  c.SetBaudRate(4800);
  c.ConfigDialog();  // the platform has no dialog: cancelled, nothing changes
  EXPECT_EQ(c.GetBaudRate(), 4800u);
  EXPECT_EQ(c.GetStreamProtocol(), spHardware);
}

TEST(PeripheryDriverConfig, OpenPortPropertiesAndAdoptedHandles) {
  TPtyPeer peer;
  TsrComm c(nullptr);
  EXPECT_EQ(c.GetCommProp()->dwServiceMask, 0u);  // closed: the last (empty) values

  c.SetExtHandle(nullptr);
  c.SetExtHandle(INVALID_HANDLE_VALUE);
  EXPECT_FALSE(c.GetActive());

  HANDLE h = OpenPort(peer.Number());
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  c.SetExtHandle(h);
  ASSERT_TRUE(c.GetActive());
  EXPECT_EQ(c.GetHandle(), h);
  EXPECT_EQ(c.GetCommProp()->dwServiceMask, SP_SERIALCOMM);
  c.SendString("hi");
  EXPECT_TRUE(peer.WaitReceived(2, std::chrono::seconds(2)));
  EXPECT_EQ(peer.Received(), (TBytes{'h', 'i'}));

  // The external handle is used once: the next open goes by number again.
  c.SetActive(false);
  c.SetComPortNo(static_cast<Word>(peer.Number()));
  c.SetActive(true);
  EXPECT_TRUE(c.GetActive());
  EXPECT_NE(c.GetHandle(), h);
}

// ---- Probes ------------------------------------------------------------------------

// A device on the far end of a pseudo-terminal with modem lines of its own:
// DSR follows its power (DTR), and a plug-and-play device sends its
// identification each time RTS rises while DTR is on.
class TScriptedDevice {
public:
  explicit TScriptedDevice(TPtyPeer& Peer) : FPeer(Peer) {
    SetProbeLines({[this](TsrCustomComm*, bool On) {
                     std::lock_guard g(FLock);
                     Dtr = On;
                   },
                   [this](TsrCustomComm*, bool On) {
                     TBytes answer;
                     {
                       std::lock_guard g(FLock);
                       if (On && !Rts && Dtr) {
                         ++PowerUps;
                         if (Answer) answer = Answer(PowerUps);
                       }
                       Rts = On;
                     }
                     if (!answer.empty()) FPeer.Send(TPeerAnswer{answer, std::chrono::milliseconds(20)});
                   },
                   [this](TsrCustomComm*, TModemSignal Signal, DWORD) {
                     std::lock_guard g(FLock);
                     return Signal == msDSR && HasDsr && Dtr;
                   }});
  }
  ~TScriptedDevice() { SetProbeLines({}); }

  bool HasDsr = true;
  bool Dtr = false, Rts = false;
  int PowerUps = 0;
  // The bytes sent at power-up n (empty: silence).
  std::function<TBytes(int)> Answer;

private:
  TPtyPeer& FPeer;
  std::mutex FLock;
};

TBytes Bytes(const std::string& S) { return TBytes(S.begin(), S.end()); }

TEST(PeripheryProbes, InitDeviceConnect) {
  TPtyPeer peer;
  TScriptedDevice device(peer);
  TsrComm c(nullptr);
  TRecordingLog log;
  c.SetLog(&log);
  c.SetComPortNo(static_cast<Word>(peer.Number()));

  c.InitDeviceConnect();  // closed: nothing
  EXPECT_FALSE(device.Dtr);

  c.SetActive(true);
  c.InitDeviceConnect();
  EXPECT_TRUE(device.Dtr);
  EXPECT_TRUE(device.Rts);
  EXPECT_TRUE(log.Has("srComm: The device connection was succesful tested"));

  device.HasDsr = false;
  try {
    c.InitDeviceConnect();
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Device Connect Initialization Error");
  }
  EXPECT_FALSE(device.Rts);
  EXPECT_TRUE(log.Has("srComm: Fatal Error: 1, 0, Device Connect Initialization Error"));
}

TEST(PeripheryProbes, PnPIdentificationIsReadWithBothBrackets) {
  TPtyPeer peer;
  TScriptedDevice device(peer);
  device.Answer = [](int) { return Bytes("(\x01$YNT0001\\METER)"); };
  TsrComm c(nullptr);
  c.SetComPortNo(static_cast<Word>(peer.Number()));
  c.SetTraceState({tsRing});

  EXPECT_EQ(c.GetPNPDeviceString(), "(\x01$YNT0001\\METER)");
  EXPECT_EQ(device.PowerUps, 1);
  EXPECT_FALSE(c.GetActive());  // it was closed
  EXPECT_EQ(c.GetTraceStates(), TTraceStates({tsRing}));

  // The older form starts with a backspace and ends with a tab; bytes
  // after the end stay unread.
  device.Answer = [](int) { return Bytes("\x08" "ABC\x09" "rest"); };
  EXPECT_EQ(c.GetPNPDeviceString(), "\x08" "ABC\x09");

  device.Answer = [](int) { return Bytes("XYZ)"); };  // not an identification
  EXPECT_EQ(c.GetPNPDeviceString(), "");
}

TEST(PeripheryProbes, PnPSecondAttemptAndSilence) {
  TPtyPeer peer;
  TScriptedDevice device(peer);
  TsrComm c(nullptr);
  c.SetComPortNo(static_cast<Word>(peer.Number()));
  c.SetBaudRate(9600);
  c.SetActive(true);

  device.Answer = [](int n) { return n == 2 ? Bytes("(LATE)") : TBytes{}; };
  EXPECT_EQ(c.GetPNPDeviceString(), "(LATE)");
  EXPECT_EQ(device.PowerUps, 2);

  device.PowerUps = 0;
  device.Answer = nullptr;
  EXPECT_EQ(c.GetPNPDeviceString(), "");
  EXPECT_EQ(device.PowerUps, 2);
  // Open again, with the component's own line settings.
  ASSERT_TRUE(c.GetActive());
  DCB dcb{};
  ASSERT_TRUE(GetCommState(c.GetHandle(), &dcb));
  EXPECT_EQ(dcb.BaudRate, 9600u);
  EXPECT_EQ(dcb.ByteSize, 8);
  EXPECT_EQ(c.GetBaudRate(), 9600u);
}

TEST(PeripheryProbes, PnPStopsAfterTheLongestIdentification) {
  TPtyPeer peer;
  TScriptedDevice device(peer);
  device.Answer = [](int) { return Bytes("(" + std::string(1000, 'A')); };
  TsrComm c(nullptr);
  c.SetComPortNo(static_cast<Word>(peer.Number()));
  const AnsiString id = c.GetPNPDeviceString();
  EXPECT_EQ(id.size(), srMaxPnPString);
  EXPECT_EQ(id.substr(0, 3), "(AA");
}

TEST(PeripheryProbes, PnPWithoutDSRRestoresTheOpenState) {
  TPtyPeer peer;
  TScriptedDevice device(peer);
  device.HasDsr = false;
  TsrComm c(nullptr);
  c.SetComPortNo(static_cast<Word>(peer.Number()));
  try {
    c.GetPNPDeviceString();
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Device Connect Initialization Error");
  }
  EXPECT_FALSE(c.GetActive());  // closed before, closed after

  c.SetOnFatalError([](TObject*, DWORD, DWORD, const AnsiString&, bool& Raise) { Raise = false; });
  c.SetActive(true);
  EXPECT_EQ(c.GetPNPDeviceString(), "");
  EXPECT_TRUE(c.GetActive());  // open before, open after

  // A port that cannot be opened gives the empty text.
  TsrComm missing(nullptr);
  missing.SetComPortNo(250);
  missing.SetOnFatalError([](TObject*, DWORD, DWORD, const AnsiString&, bool& Raise) { Raise = false; });
  EXPECT_EQ(missing.GetPNPDeviceString(), "");
  EXPECT_FALSE(missing.GetActive());
}

}  // namespace
