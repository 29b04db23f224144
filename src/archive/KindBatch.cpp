#include "archive/KindBatch.h"

#include <algorithm>

#include "archive/CopyOut.h"

namespace zpk::archive {

namespace {

// One read covers at most this much of the file, and skips no gap wider than kMaxGap.
constexpr std::uint64_t kWindowSize = std::uint64_t{1} << 20;
constexpr std::uint64_t kMaxGap = std::uint64_t{64} << 10;

}  // namespace

KindBatch::Head KindBatch::HeadOf(const EntryView& e, std::uint64_t fileSize) {
  // The rule of CheckRange, without building its error text for every bad entry.
  if (e.Pos < 0 || e.Len < 0) return {};
  const auto start = static_cast<std::uint64_t>(e.Pos);
  if (start + static_cast<std::uint64_t>(e.Len) > fileSize) return {};
  return {start, start + std::min<std::uint64_t>(static_cast<std::uint64_t>(e.Len), kKindBytes), true};
}

void KindBatch::Read(std::span<const EntryView> block, std::vector<std::optional<Kind>>& kinds) {
  kinds.assign(block.size(), std::nullopt);
  heads_.resize(block.size());
  for (std::size_t i = 0; i < block.size(); ++i) heads_[i] = HeadOf(block[i], file_.Size());
  for (std::size_t i = 0; i < block.size(); ++i) {
    const auto& head = heads_[i];
    if (!head.valid) continue;
    const bool complete = static_cast<std::uint64_t>(block[i].Len) <= kKindBytes;
    if (head.start == head.end) {
      kinds[i] = DetectKind({}, complete);
      continue;
    }
    if (head.start < windowStart_ || head.end > windowEnd_) {
      // A new window from this entry on, as far as the following entries stay close and
      // in order.
      auto end = head.end;
      for (std::size_t j = i + 1; j < block.size(); ++j) {
        const auto& next = heads_[j];
        if (!next.valid || next.start == next.end) continue;
        if (next.start < head.start || next.end > head.start + kWindowSize || next.start > end + kMaxGap) break;
        end = std::max(end, next.end);
      }
      window_.resize(static_cast<std::size_t>(end - head.start));
      if (!file_.ReadAt(head.start, window_)) {
        // Read this entry on its own, so that a failure is this entry's alone.
        windowStart_ = windowEnd_ = 0;
        if (auto kind = ReadKind(file_, ArchiveEntry{{}, block[i].Pos, block[i].Len, 0, 0, 0})) kinds[i] = *kind;
        continue;
      }
      windowStart_ = head.start;
      windowEnd_ = end;
    }
    const auto offset = static_cast<std::size_t>(head.start - windowStart_);
    kinds[i] = DetectKind(std::span<const std::byte>(window_).subspan(offset, static_cast<std::size_t>(head.end - head.start)),
                          complete);
  }
}

}  // namespace zpk::archive
