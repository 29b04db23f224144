#include "archive/Inflate.h"

#include <zlib.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zpk::archive {

namespace {

constexpr std::size_t kOutChunk = std::size_t{256} << 10;

Error StreamError(const std::string& what) {
  return Error{ErrorCode::BadStream, "the zlib stream " + what};
}

}  // namespace

std::expected<void, Error> InflateResource(ArchiveFile& file, const ArchiveEntry& entry,
                                           const SinkFn& sink, const ProgressFn& progress) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return std::unexpected(StreamError("can't be unpacked: out of memory"));
  const std::unique_ptr<z_stream, int (*)(z_stream*)> end(&stream, inflateEnd);
  std::vector<Bytef> out(kOutChunk);
  bool ended = false;
  std::optional<Error> bad;

  auto copied = CopyResource(
      file, entry,
      [&](std::span<const std::byte> chunk) {
        if (ended) {
          bad = StreamError("is followed by " + std::to_string(chunk.size()) + " more bytes");
          return false;
        }
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<std::byte*>(chunk.data()));
        stream.avail_in = static_cast<uInt>(chunk.size());
        while (stream.avail_in > 0 || !ended) {
          stream.next_out = out.data();
          stream.avail_out = static_cast<uInt>(out.size());
          const int status = inflate(&stream, Z_NO_FLUSH);
          if (status == Z_NEED_DICT || status == Z_DATA_ERROR || status == Z_MEM_ERROR) {
            bad = StreamError(std::string("is corrupt: ") + (stream.msg ? stream.msg : "bad data"));
            return false;
          }
          const auto produced = out.size() - stream.avail_out;
          if (produced > 0 &&
              !sink(std::span(reinterpret_cast<const std::byte*>(out.data()), produced))) {
            return false;
          }
          if (status == Z_STREAM_END) {
            ended = true;
            if (stream.avail_in > 0) {
              bad = StreamError("is followed by " + std::to_string(stream.avail_in) + " more bytes");
              return false;
            }
            break;
          }
          // Z_BUF_ERROR: no progress possible until more input arrives.
          if (status == Z_BUF_ERROR || (stream.avail_in == 0 && stream.avail_out > 0)) break;
        }
        return true;
      },
      progress);
  if (bad) return std::unexpected(*bad);
  if (!copied) return copied;
  if (!ended) return std::unexpected(StreamError("ends before its end marker (truncated)"));
  return {};
}

}  // namespace zpk::archive
