#include "platform/address32.h"

#include <gtest/gtest.h>

namespace {

using platform::Address32;

TEST(Address32, ATokenStandsForItsBufferWhileTheMappingLives) {
    char buffer[512];
    std::uint32_t token = 0;
    {
        Address32 address(buffer, sizeof buffer);
        token = address.Token();
        EXPECT_NE(token, 0u);
        EXPECT_EQ(Address32::Resolve(token, 512), buffer);
        EXPECT_EQ(Address32::Resolve(token, 513), nullptr);  // more than the buffer holds

        char other[4];
        Address32 second(other, sizeof other);
        EXPECT_NE(second.Token(), token);
        EXPECT_EQ(Address32::Resolve(second.Token(), 4), other);
    }
    EXPECT_EQ(Address32::Resolve(token, 1), nullptr);
    EXPECT_EQ(Address32::Resolve(0, 0), nullptr);
}

}  // namespace
