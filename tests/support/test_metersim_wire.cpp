// The simulated meter's own CRC, BCD and password coding.
#include <gtest/gtest.h>

#include "tests/support/metersim_wire.h"

TEST(MeterSimWire, CrcKnownAnswers) {
  const TBytes digits{'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  EXPECT_EQ(MeterCrc16(digits), 0x31C3);
  TBytes framed = digits;
  AppendMeterCrc(framed);
  EXPECT_EQ(framed, (TBytes{'1', '2', '3', '4', '5', '6', '7', '8', '9', 0x31, 0xC3}));
  EXPECT_TRUE(MeterCrcGood(framed));
  framed[4] ^= 0x01;
  EXPECT_FALSE(MeterCrcGood(framed));

  TBytes ident{0x00, 0x7F};
  AppendMeterCrc(ident);
  EXPECT_EQ(ident, TBytes(std::begin(ShortIdentRequest), std::end(ShortIdentRequest)));
  EXPECT_FALSE(MeterCrcGood(TBytes{0x31}));
}

TEST(MeterSimWire, PackedBcd) {
  EXPECT_EQ(ToBcd(59), 0x59);
  EXPECT_EQ(ToBcd(7), 0x07);
  EXPECT_EQ(ToBcd(0), 0x00);
  EXPECT_EQ(FromBcd(0x59), 59);
  EXPECT_EQ(FromBcd(0x99), 99);
  EXPECT_EQ(FromBcd(0x5A), -1);  // a nibble above 9 is no number
  EXPECT_EQ(FromBcd(0xA0), -1);
}

TEST(MeterSimWire, PasswordCodingRotatesThroughCarry) {
  // Bytes of password + 0x6C29 all 0x80: signed sum -512, one step.
  EXPECT_EQ(static_cast<std::uint32_t>(CodeMeterPassword(static_cast<std::int32_t>(0x80801457u), 0)),
            0x01010100u);
  // All 0x7F: sum 508, 13 steps (the carry of bit 31 re-enters at bit 0).
  EXPECT_EQ(static_cast<std::uint32_t>(CodeMeterPassword(0x7F7F1356, 0)), 0x1F1F10F0u);
  EXPECT_EQ(static_cast<std::uint32_t>(CodeMeterPassword(12345, 0x5A3C9E17)), 0x2E1D89ABu);
}

TEST(MeterSimWire, RequestLengthsOfTheCommandTable) {
  struct Case { Byte Cmd; size_t Len; };
  for (Case c : {Case{0x25, 6}, {0x20, 10}, {0x11, 13}, {0x16, 8}, {0x18, 9}, {0x24, 11}, {0x07, 25},
                 {0x03, 54}, {0x31, 12}, {0x19, 22}, {0x2C, 22}, {0x37, 8}, {0x2A, 9}, {0x2F, 8},
                 {0x22, 7}, {0x7F, 0}, {0x00, 0}, {0xFF, 0}})
    EXPECT_EQ(MeterRequestLength(c.Cmd), c.Len) << std::hex << int(c.Cmd);
}
