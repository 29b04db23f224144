// A one-line progress bar on standard error (bytes done of total, rate), redrawn at
// most a few times a second, and only when standard error is a terminal.
#pragma once

#include <chrono>
#include <cstdint>

namespace zpk::cli {

class ProgressBar {
 public:
  ProgressBar(std::uint64_t totalBytes, bool wanted);
  ~ProgressBar() { Finish(); }
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  void Update(std::uint64_t bytesDone);
  // Clears the line so that a message can be printed; the next Update draws again.
  void Clear();
  void Finish() { Clear(); }

 private:
  void Draw(std::uint64_t bytesDone);

  using Clock = std::chrono::steady_clock;
  std::uint64_t total_;
  bool enabled_;
  bool drawn_ = false;
  Clock::time_point start_, lastDraw_;
};

}  // namespace zpk::cli
