// zpk list: the directory in its own order, as an aligned table or as JSON.
//
// The records are streamed: a first pass reads only the numbers of each record for the column widths (and finds
// any read failure before a line is written), a second writes each block of rows as it is
// read, with the kinds of the block read in a few large reads. Memory stays flat however
// many entries there are, and output goes through one large buffer, never a write per row.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <nlohmann/json.hpp>

#include "archive/KindBatch.h"
#include "cli/Commands.h"
#include "cli/OpenArchive.h"
#include "cli/Output.h"
#include "util/PathUtils.h"

namespace zpk::cli {

namespace {

// Kind names are at most five letters; an entry outside the file shows "-".
constexpr std::size_t kKindWidth = 5;

struct Widths {
  std::size_t index = 5, pos = 3, len = 3;
};

void WriteHeading(const Widths& w, Output& out) {
  out.Padded("Index", w.index);
  out << "  ";
  for (auto n = std::size_t{3}; n < w.pos; ++n) out << ' ';
  out << "Pos  ";
  for (auto n = std::size_t{3}; n < w.len; ++n) out << ' ';
  out << "Len  Kind   Name\n";
}

// "00" to "99", so that digits are written two at a time.
constexpr auto kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();
constexpr char kBlanks[17] = "                ";

template <typename Unsigned>
std::size_t DigitCount(Unsigned value) {
  std::size_t count = 1;
  for (; value >= 100; value /= 100) count += 2;
  return value >= 10 ? count + 1 : count;
}

// The digits of value, ending at end, two at a time from the right; gives where they start.
template <typename Unsigned>
char* PutDigits(char* end, Unsigned value) {
  for (; value >= 100; value /= 100) {
    end -= 2;
    std::memcpy(end, &kDigitPairs[2 * (value % 100)], 2);
  }
  if (value >= 10) {
    end -= 2;
    std::memcpy(end, &kDigitPairs[2 * value], 2);
  } else {
    *--end = static_cast<char>('0' + value);
  }
  return end;
}

// value right-aligned in width characters, then two blanks, at p; gives the end. The
// digits are stored in place, through no scratch buffer: copying one back just after
// writing it byte by byte stalls the processor on every row. Numbers of a directory fit in
// 32 bits, whose division is the cheaper.
char* PutColumn(char* p, std::int64_t value, std::size_t width) {
  const auto magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  const bool narrow = magnitude <= UINT32_MAX;
  const std::size_t length =
      (narrow ? DigitCount(static_cast<std::uint32_t>(magnitude)) : DigitCount(magnitude)) + (value < 0 ? 1 : 0);
  if (length < width) {
    const auto pad = width - length;
    if (pad <= 16) {
      std::memcpy(p, kBlanks, 16);  // the digits overwrite what is past the padding
      p += pad;
    } else {
      p = std::fill_n(p, pad, ' ');
    }
  }
  char* end = p + length;
  char* digit = narrow ? PutDigits(end, static_cast<std::uint32_t>(magnitude)) : PutDigits(end, magnitude);
  if (value < 0) digit[-1] = '-';
  end[0] = end[1] = ' ';
  return end + 2;
}

// The index column of consecutive rows: the text of the row before, counted up in place,
// the digits of most rows being the same as the row before's but the last.
class IndexColumn {
 public:
  explicit IndexColumn(std::size_t width) : width_(width) {}

  char* Put(char* p, std::size_t index) {
    if (index != last_ + 1 || last_ == 0 || !CountUp()) {
      char* end = PutColumn(text_.data(), static_cast<std::int64_t>(index), width_);
      size_ = static_cast<std::size_t>(end - text_.data());
    }
    last_ = index;
    std::memcpy(p, text_.data(), text_.size());
    return p + size_;
  }

 private:
  // Adds one to the digits before the two blanks; false when a new digit would not fit
  // in the padding.
  bool CountUp() {
    for (std::size_t i = size_ - 2; i-- > 0;) {
      char& c = text_[i];
      if (c == ' ') {
        c = '1';
        return true;
      }
      if (c != '9') {
        ++c;
        return true;
      }
      c = '0';
    }
    return false;
  }

  std::size_t width_;
  std::size_t last_ = 0;
  std::size_t size_ = 0;
  std::array<char, 64> text_{};
};

// A row is formatted straight into the output buffer. Names of printable ASCII, nearly all
// of them, are copied without any conversion.
void WriteRow(const archive::EntryView& e, const std::optional<archive::Kind>& kind, const Widths& w,
              IndexColumn& index, Output& out) {
  // Three numbers, the kind and a name escaped to at most 6 bytes ("\\u0081") for each of its 256.
  constexpr std::size_t kLongestRow = 3 * 24 + 8 + 6 * 256 + 1;
  char* p = out.Room(kLongestRow);
  p = index.Put(p, e.index);
  p = PutColumn(p, e.Pos, w.pos);
  p = PutColumn(p, e.Len, w.len);
  const std::string_view kindName = kind ? archive::KindName(*kind) : std::string_view("-");
  p = std::copy(kindName.begin(), kindName.end(), p);
  p = std::fill_n(p, kKindWidth + 2 - kindName.size(), ' ');
  const auto trimmed = util::TrimSpaces(e.name);
  if (std::all_of(trimmed.begin(), trimmed.end(), [](char c) { return c >= 0x20 && c < 0x7F; })) {
    p = std::copy(trimmed.begin(), trimmed.end(), p);
  } else {
    const std::string escaped = EscapeControls(DisplayNameUtf8(e.name));
    p = std::copy(escaped.begin(), escaped.end(), p);
  }
  *p++ = '\n';
  out.Commit(p);
}

void WriteJsonRow(const archive::EntryView& e, const std::optional<archive::Kind>& kind, bool first,
                  Output& out) {
  if (!first) out << ',';
  out << "{\"index\":" << static_cast<std::int64_t>(e.index)
      << ",\"name\":" << nlohmann::json(DisplayNameUtf8(e.name)).dump() << ",\"pos\":" << std::int64_t{e.Pos}
      << ",\"len\":" << std::int64_t{e.Len} << ",\"field3\":" << std::int64_t{e.Field3}
      << ",\"field4\":" << std::int64_t{e.Field4} << ",\"field5\":" << std::int64_t{e.Field5}
      << ",\"kind\":" << (kind ? nlohmann::json(archive::KindName(*kind)).dump() : std::string("null")) << '}';
}

}  // namespace

int RunList(const ListArgs& args) {
  auto opened = OpenDirectory(args.archive);
  if (!opened) return kExitFatal;
  const auto& layout = opened->layout;
  const auto readFailed = [&](const archive::Error& error) {
    ReportError("'" + args.archive + "': " + archive::Describe(error));
    return kExitFatal;
  };

  // The widest number of a column is its largest or (with a "-") its smallest value.
  const auto bounds = archive::ReadNumberBounds(opened->file, layout);
  if (!bounds) return readFailed(bounds.error());
  Widths widths;
  widths.index = std::max(widths.index, DecimalWidth(static_cast<std::int64_t>(layout.held)));
  widths.pos = std::max({widths.pos, DecimalWidth(bounds->minPos), DecimalWidth(bounds->maxPos)});
  widths.len = std::max({widths.len, DecimalWidth(bounds->minLen), DecimalWidth(bounds->maxLen)});
  if (layout.directoryTruncated) WarnTruncatedDirectory(layout.header.EntryCount, layout.held);

  Output out(1, std::size_t{256} << 10);
  if (args.json) {
    out << "{\"archive\":" << nlohmann::json(args.archive).dump()
        << ",\"id\":" << nlohmann::json(IdUtf8(layout.header.ID)).dump()
        << ",\"entry_count\":" << std::int64_t{layout.header.EntryCount} << ",\"entries\":[";
  } else {
    WriteHeading(widths, out);
  }
  archive::KindBatch kindReader(opened->file);
  IndexColumn indexColumn(widths.index);
  std::vector<std::optional<archive::Kind>> kinds;
  bool first = true;
  const auto listed = archive::ScanDirectoryBlocks(opened->file, layout, [&](std::span<const archive::EntryView> block) {
    kindReader.Read(block, kinds);
    for (std::size_t i = 0; i < block.size(); ++i) {
      if (args.kind && kinds[i] != args.kind) continue;
      if (args.json) {
        WriteJsonRow(block[i], kinds[i], first, out);
        first = false;
      } else {
        WriteRow(block[i], kinds[i], widths, indexColumn, out);
      }
    }
    return !out.Failed();
  });
  if (!listed) return readFailed(listed.error());
  if (args.json) out << "]}\n";
  if (!out.Flush()) return kExitSomeFailed;
  return layout.directoryTruncated ? kExitSomeFailed : kExitOk;
}

}  // namespace zpk::cli
