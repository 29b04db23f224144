#include "writer/SampleData.h"

#include <cmath>
#include <numbers>
#include <cstdint>

namespace zpk::tools {

namespace {
void Put16(std::vector<std::byte>& out, std::uint32_t v) {
  out.push_back(static_cast<std::byte>(v & 0xFF));
  out.push_back(static_cast<std::byte>((v >> 8) & 0xFF));
}
void Put32(std::vector<std::byte>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void PutText(std::vector<std::byte>& out, const char* text) {
  for (; *text; ++text) out.push_back(static_cast<std::byte>(*text));
}
}  // namespace

std::vector<std::byte> MakeBmp(int width, int height) {
  const std::uint32_t rowSize = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
  const std::uint32_t imageSize = rowSize * static_cast<std::uint32_t>(height);
  std::vector<std::byte> out;
  PutText(out, "BM");
  Put32(out, 54 + imageSize);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);
  Put32(out, imageSize);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  // Rows are stored bottom-up, pixels as blue, green, red.
  for (int y = 0; y < height; ++y) {
    const int top = height - 1 - y;
    for (int x = 0; x < width; ++x) {
      std::uint8_t r = 120, g = 180, b = 235;  // sky
      const int sea = height * 3 / 5;
      const int hullTop = sea - height / 8;
      const int mid = width / 2;
      if (top >= sea) {
        r = 20;
        g = static_cast<std::uint8_t>(70 + (top - sea) * 2 % 60);
        b = 140;
      } else if (top >= hullTop && x > width / 4 + (top - hullTop) && x < width * 3 / 4 - (top - hullTop)) {
        r = 110, g = 60, b = 30;  // hull
      } else if (top < hullTop && top > height / 6 && x >= mid - 1 && x <= mid) {
        r = 60, g = 40, b = 20;  // mast
      } else if (top < hullTop && top > height / 5 && x > mid && x < mid + (top - height / 5)) {
        r = 245, g = 240, b = 225;  // sail
      }
      out.push_back(static_cast<std::byte>(b));
      out.push_back(static_cast<std::byte>(g));
      out.push_back(static_cast<std::byte>(r));
    }
    for (std::uint32_t pad = static_cast<std::uint32_t>(width) * 3; pad < rowSize; ++pad) {
      out.push_back(std::byte{0});
    }
  }
  return out;
}

std::vector<std::byte> MakeWav(int milliseconds) {
  constexpr std::uint32_t kRate = 11025;
  const auto samples = static_cast<std::uint32_t>(kRate * static_cast<std::uint32_t>(milliseconds) / 1000);
  std::vector<std::byte> out;
  PutText(out, "RIFF");
  Put32(out, 36 + samples);
  PutText(out, "WAVE");
  PutText(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, kRate);
  Put32(out, kRate);
  Put16(out, 1);
  Put16(out, 8);
  PutText(out, "data");
  Put32(out, samples);
  for (std::uint32_t i = 0; i < samples; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double decay = std::exp(-3.0 * t);
    const double v = decay * (0.6 * std::sin(2 * std::numbers::pi * 880 * t) + 0.3 * std::sin(2 * std::numbers::pi * 1320 * t));
    out.push_back(static_cast<std::byte>(static_cast<int>(std::lround(128 + 100 * v)) & 0xFF));
  }
  return out;
}

std::vector<std::byte> MakeZlibStored(const std::vector<std::byte>& data) {
  std::vector<std::byte> out{std::byte{0x78}, std::byte{0x01}};
  std::size_t done = 0;
  do {
    const std::size_t n = std::min<std::size_t>(data.size() - done, 65535);
    const bool last = done + n == data.size();
    out.push_back(static_cast<std::byte>(last ? 1 : 0));  // BFINAL, BTYPE 00 (stored)
    Put16(out, static_cast<std::uint32_t>(n));
    Put16(out, static_cast<std::uint32_t>(~n & 0xFFFF));
    out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(done),
               data.begin() + static_cast<std::ptrdiff_t>(done + n));
    done += n;
  } while (done < data.size());
  std::uint32_t a = 1, b = 0;
  for (const std::byte byte : data) {
    a = (a + static_cast<std::uint32_t>(byte)) % 65521;
    b = (b + a) % 65521;
  }
  const std::uint32_t adler = (b << 16) | a;
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<std::byte>((adler >> shift) & 0xFF));
  }
  return out;
}

}  // namespace zpk::tools
