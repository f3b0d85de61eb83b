// yunt-metersim: a simulated meter on a pseudo-terminal, for trying the
// configurator without a meter. It prints the terminal's path and the port
// map line that makes the configurator list it; it registers nothing itself.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/comms/serialports.h"
#include "platform/rtl/sysutils.h"
#include "tests/support/metersim.h"

namespace {

volatile std::sig_atomic_t StopRequested = 0;
void OnSignal(int) { StopRequested = 1; }

void Usage() {
  std::fprintf(stderr,
               "usage: yunt-metersim [--address N] [--password N]\n"
               "  --address N   factory number of the meter (default 70000)\n"
               "  --password N  access password (default 0)\n");
}

bool ParseNumber(const char* Text, long long Min, long long Max, long long& Value) {
  char* end = nullptr;
  errno = 0;
  Value = std::strtoll(Text, &end, 10);
  return errno == 0 && end != Text && *end == '\0' && Value >= Min && Value <= Max;
}

AnsiString MapFilePath() {
  AnsiString file = GetSerialPortSources().MapFile;
  if (!file.empty()) return file;
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && *config) return AnsiString(config) + "/yuntcfg/serialports.conf";
  const char* home = std::getenv("HOME");
  return AnsiString(home ? home : "~") + "/.config/yuntcfg/serialports.conf";
}

// Some data to look at: the clock runs from now, the last week has profiles.
void FillSample(TMeterState& S) {
  Word y, mo, d, h, mi, sec, ms;
  TDateTime now = Now();
  DecodeDate(now, y, mo, d);
  DecodeTime(now, h, mi, sec, ms);
  S.Clock = {y, mo, d, h, mi, sec, (DayOfWeek(now) + 5) % 7 + 1};
  S.ClockRunning = true;
  S.SetPlaceText("Щит 1, кв. 12");
  S.Totals[0] = {1234567, 456789, 12345, 0};
  S.Totals[1] = {234567, 56789, 2345, 0};
  for (int m = 0; m < 12; ++m)
    for (int k = 0; k < 2; ++k)
      for (int t = 0; t < 4; ++t) S.MonthRegs[k][m][t] = (k ? 10000 : 50000) * (m + 1) * (t < 3 ? 3 - t : 0);
  for (int back = 0; back < 7; ++back) {
    Word dy, dm, dd;
    DecodeDate(now - back, dy, dm, dd);
    for (int kind = 0; kind < 2; ++kind) {
      std::array<Word, 48> day{};
      for (int j = 0; j < 48; ++j) day[j] = static_cast<Word>(20 + (j * 37 + back * 11 + kind * 5) % 180);
      if (back == 0) day[47] |= ProfileIncomplete;
      S.HalfHours[{kind, dy, dm, dd}] = day;
      for (int j = 0; j < 48; ++j)
        S.Periodic[{kind, dy, dm, dd, j / 2, j % 2 * 30}] = static_cast<Word>(day[j] & 0x7FFF);
    }
  }
  S.PeriodCode = 0x30;
  S.Events[0][0] = {static_cast<int>(d), static_cast<int>(mo), y % 100, 8, 0};
  S.Events[3][0] = {1, 1, y % 100, 0, 5};
  S.Setpoints = {20700, 25300, 20700, 25300, 20700, 25300};
  for (int p = 0; p < 3; ++p) {
    S.Monitor[p] = {static_cast<Word>(22950 + 40 * p), static_cast<Word>(512 + p), 5000, 1180, 240};
    for (int r = 0; r < 12; ++r)
      S.QualityLog[p][r] = {{1 + r, static_cast<int>(mo), y % 100, 10, 30}, static_cast<Byte>(r % 3),
                            static_cast<Word>(20500 + 200 * r)};
  }
  S.PowerLimit = 1500;
  S.EnergyLimits = {1000, 2000, 3000, 0};
  S.LimitFlagsA = 0x28;
}

const char* FateText(TMeterRequestFate Fate) {
  switch (Fate) {
    case TMeterRequestFate::Answered: return "answered";
    case TMeterRequestFate::Silenced: return "silenced";
    case TMeterRequestFate::OtherAddress: return "other address";
    case TMeterRequestFate::BadCrc: return "bad CRC";
    case TMeterRequestFate::UnknownCommand: return "unknown command";
    case TMeterRequestFate::BadParameter: return "ignored";
    case TMeterRequestFate::NoAnswer: return "done, no answer";
    case TMeterRequestFate::Incomplete: return "incomplete";
  }
  return "?";
}

AnsiString Hex(const TBytes& B) {
  AnsiString s;
  char buf[4];
  for (Byte b : B) {
    std::snprintf(buf, sizeof buf, "%02X ", b);
    s += buf;
  }
  if (!s.empty()) s.pop_back();
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  long long address = 70000, password = 0;
  for (int i = 1; i < argc; ++i) {
    bool ok = i + 1 < argc;
    if (ok && std::strcmp(argv[i], "--address") == 0)
      ok = ParseNumber(argv[++i], 0, 0xFFFFFF, address);
    else if (ok && std::strcmp(argv[i], "--password") == 0)
      ok = ParseNumber(argv[++i], INT32_MIN, INT32_MAX, password);
    else
      ok = false;
    if (!ok) {
      Usage();
      return 2;
    }
  }

  try {
    TMeterSim meter;
    meter.Update([&](TMeterState& s) {
      FillSample(s);
      s.Address = static_cast<std::uint32_t>(address);
      s.Password = static_cast<Integer>(password);
    });
    const unsigned number = ParseSerialPortName(meter.PortName());
    std::printf("Simulated meter: factory number %lld, password %lld, on %s\n\n", address, password,
                meter.SlavePath().c_str());
    std::printf("To choose it in the configurator, add this line to %s:\n\n", MapFilePath().c_str());
    std::printf("    COM%u=%s\n\n", number, meter.SlavePath().c_str());
    std::printf("then pick \"COM%u\" in the port list (any baud rate) and connect by the factory\n"
                "address, or by factory number %lld and password %lld. Remove the line afterwards:\n"
                "the path disappears when this program ends. Ctrl+C stops it.\n\n",
                number, address, password);
    std::fflush(stdout);

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    size_t shown = 0;
    while (!StopRequested) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      auto requests = meter.Requests();
      for (; shown < requests.size(); ++shown) {
        const TMeterRequest& r = requests[shown];
        std::printf("<- %s  (%s)\n", Hex(r.Request).c_str(), FateText(r.Fate));
        if (!r.Answer.empty()) std::printf("-> %s\n", Hex(r.Answer).c_str());
      }
      std::fflush(stdout);
    }
  } catch (const Exception& e) {
    std::fprintf(stderr, "yunt-metersim: %s\n", e.Message.c_str());
    return 1;
  }
  return 0;
}
