// Integers in byte buffers: both orders, the high bit kept, and a write read back.
#include "runtime/byte_order.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(ByteOrder, ReadsBothOrdersWithTheHighBytesSet) {
    const uint8_t bytes[] = {0x01, 0x82, 0xF3, 0xC4};
    EXPECT_EQ(rt::ReadLE16(bytes), 0x8201u);
    EXPECT_EQ(rt::ReadLE32(bytes), 0xC4F38201u);
    EXPECT_EQ(rt::ReadBE32(bytes), 0x0182F3C4u);
    // A signed field read through the unsigned value: the stores' negative counts and heights.
    const uint8_t minusTwo[] = {0xFE, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(static_cast<int32_t>(rt::ReadLE32(minusTwo)), -2);
    EXPECT_EQ(static_cast<int16_t>(rt::ReadLE16(minusTwo)), -2);
}

TEST(ByteOrder, WritesWhatTheReadsGiveBack) {
    uint8_t out[4] = {};
    rt::WriteLE32(out, 0xA1B2C3D4u);
    EXPECT_EQ(out[0], 0xD4);
    EXPECT_EQ(out[3], 0xA1);
    EXPECT_EQ(rt::ReadLE32(out), 0xA1B2C3D4u);
    rt::WriteBE32(out, 0xA1B2C3D4u);
    EXPECT_EQ(out[0], 0xA1);
    EXPECT_EQ(out[3], 0xD4);
    EXPECT_EQ(rt::ReadBE32(out), 0xA1B2C3D4u);
}

}  // namespace
