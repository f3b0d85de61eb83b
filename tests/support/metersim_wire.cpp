#include "tests/support/metersim_wire.h"

Word MeterCrc16(const Byte* Data, std::size_t Length) {
  std::uint32_t reg = 0;
  for (std::size_t i = 0; i < Length; ++i) {
    reg ^= static_cast<std::uint32_t>(Data[i]) << 8;
    for (int bit = 0; bit < 8; ++bit) reg = (reg & 0x8000) ? (reg << 1) ^ 0x1021 : reg << 1;
  }
  return static_cast<Word>(reg);
}

void AppendMeterCrc(TBytes& Frame) {
  Word crc = MeterCrc16(Frame);
  Frame.push_back(static_cast<Byte>(crc >> 8));
  Frame.push_back(static_cast<Byte>(crc));
}

void RefreshMeterCrc(TBytes& Frame) {
  Frame.resize(Frame.size() - 2);
  AppendMeterCrc(Frame);
}

bool MeterCrcGood(const TBytes& Frame) { return Frame.size() >= 2 && MeterCrc16(Frame) == 0; }

Byte ToBcd(int Value) { return static_cast<Byte>((Value / 10 % 10) << 4 | Value % 10); }

int FromBcd(Byte Value) {
  int hi = Value >> 4, lo = Value & 0x0F;
  return hi > 9 || lo > 9 ? -1 : hi * 10 + lo;
}

std::int32_t CodeMeterPassword(std::int32_t Password, std::int32_t Random) {
  std::uint32_t v = static_cast<std::uint32_t>(Password) + 0x6C29u;
  int sum = 0;
  for (int i = 0; i < 4; ++i) sum += static_cast<std::int8_t>(static_cast<Byte>(v >> (8 * i)));
  int steps = (sum & 15) + 1;
  std::uint32_t random = static_cast<std::uint32_t>(Random), carry = 0;
  for (int i = 0; i < steps; ++i) {
    std::uint32_t next = v >> 31;
    v = (v << 1) | carry;
    random ^= v;
    carry = next;
  }
  return static_cast<std::int32_t>(random);
}

std::size_t MeterRequestLength(Byte Command) {
  switch (Command) {
    case 0x25: case 0x1C: case 0x0E: case 0x10: case 0x1A: case 0x02: case 0x32:
    case 0x30: case 0x23: case 0x5F: case 0x2B:
      return 6;
    case 0x0F: case 0x12: case 0x1B: case 0x06: case 0x34: case 0x1D: case 0x36:
    case 0x14: case 0x29: case 0x22:
      return 7;
    case 0x16: case 0x37: case 0x2F:
      return 8;
    case 0x18: case 0x26: case 0x2A:
      return 9;
    case 0x20: case 0x21: case 0x6F:
      return 10;
    case 0x17: case 0x24:
      return 11;
    case 0x31:
      return 12;
    case 0x11:
      return 13;
    case 0x19: case 0x2C:
      return 22;
    case 0x07: case 0x35:
      return 25;
    case 0x03: case 0x33:
      return 54;
    default:
      return 0;
  }
}
