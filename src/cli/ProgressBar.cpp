#include "cli/ProgressBar.h"

#include <unistd.h>

#include <cstdio>
#include <string>

namespace zpk::cli {

namespace {

std::string Size(double bytes) {
  const char* units[] = {"B", "KiB", "MiB", "GiB", "TiB"};
  int unit = 0;
  while (bytes >= 1024 && unit < 4) {
    bytes /= 1024;
    ++unit;
  }
  char text[32];
  std::snprintf(text, sizeof text, unit ? "%.1f %s" : "%.0f %s", bytes, units[unit]);
  return text;
}

void WriteErr(const std::string& text) {
  [[maybe_unused]] auto ignored = ::write(STDERR_FILENO, text.data(), text.size());
}

}  // namespace

ProgressBar::ProgressBar(std::uint64_t totalBytes, bool wanted)
    : total_(totalBytes), enabled_(wanted && ::isatty(STDERR_FILENO)), start_(Clock::now()),
      lastDraw_(start_) {}

void ProgressBar::Update(std::uint64_t bytesDone) {
  if (!enabled_) return;
  const auto now = Clock::now();
  // Small extractions finish before a bar would help; later, redraw five times a second.
  if (now - start_ < std::chrono::milliseconds(500) || now - lastDraw_ < std::chrono::milliseconds(200)) {
    return;
  }
  lastDraw_ = now;
  Draw(bytesDone);
}

void ProgressBar::Draw(std::uint64_t bytesDone) {
  constexpr int kWidth = 30;
  const double fraction = total_ ? static_cast<double>(bytesDone) / static_cast<double>(total_) : 1.0;
  const auto filled = static_cast<int>(fraction * kWidth);
  const double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
  std::string line = "\r[" + std::string(static_cast<std::size_t>(filled), '#') +
                     std::string(static_cast<std::size_t>(kWidth - filled), ' ') + "] " +
                     Size(static_cast<double>(bytesDone)) + " / " + Size(static_cast<double>(total_)) +
                     "  " + Size(seconds > 0 ? static_cast<double>(bytesDone) / seconds : 0) + "/s\x1b[K";
  WriteErr(line);
  drawn_ = true;
}

void ProgressBar::Clear() {
  if (!drawn_) return;
  WriteErr("\r\x1b[K");
  drawn_ = false;
}

}  // namespace zpk::cli
