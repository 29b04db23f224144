// Byte comparison with a readable hex dump of the first difference on failure.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <span>

namespace zpk::test {

::testing::AssertionResult BytesEqual(std::span<const std::byte> expected,
                                      std::span<const std::byte> actual);

}  // namespace zpk::test

#define EXPECT_BYTES_EQ(expected, actual) EXPECT_TRUE(::zpk::test::BytesEqual(expected, actual))
