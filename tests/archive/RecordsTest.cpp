#include "archive/Records.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "archive/Cp1252.h"

namespace {

using namespace zpk::archive;
using namespace std::string_literals;

TEST(DisplayName, TrimsOnlySpacesAfterCutting) {
  EXPECT_EQ(DisplayName("   music/theme.wav  \0  x"s), "music/theme.wav");
  EXPECT_EQ(DisplayName("\tname\t"), "\tname\t");
  EXPECT_EQ(DisplayName("\0   "s), "");
}

TEST(ResourcePath, MapsBothSeparatorsToTheGivenOne) {
  EXPECT_EQ(ResourcePath("gfx/units/ship.bmp", '\\'), "gfx\\units\\ship.bmp");
  EXPECT_EQ(ResourcePath("gfx\\units/ship.bmp", '/'), "gfx/units/ship.bmp");
}

TEST(Cp1252, EveryByteBecomesExactlyOneCharacter) {
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\u20AC");
  EXPECT_EQ(Cp1252ToUtf8("\xE9t\xE9"), "\u00E9t\u00E9");
  EXPECT_EQ(Cp1252ToUtf8("\x9F"), "\u0178");
  // Bytes the code page leaves undefined still come through, as C1 controls.
  for (const unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_EQ(Cp1252ToCodePoint(undefined), static_cast<char32_t>(undefined));
  }
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = Cp1252ToUtf8(all);
  std::size_t characters = 0;
  for (const char c : utf8) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  EXPECT_EQ(characters, 255u);
}

}  // namespace
