// Fuzz target: the key/value text parser of Steam's libraryfolders.vdf. Whatever the bytes,
// parsing must return (never crash, hang, leak or recurse without bound), and what it
// read must survive being written out again: the tree written in quoted form parses to
// the same tree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/VdfFile.h"

namespace {

using zpk::platform::VdfPair;

void Quote(std::string_view text, std::string& out) {
  out += '"';
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else {
      out += c;
    }
  }
  out += '"';
}

void Write(const std::vector<VdfPair>& pairs, std::string& out) {
  for (const VdfPair& pair : pairs) {
    Quote(pair.key, out);
    out += ' ';
    if (pair.isBlock) {
      out += "{\n";
      Write(pair.children, out);
      out += "}\n";
    } else {
      Quote(pair.text, out);
      out += '\n';
    }
  }
}

bool Same(const std::vector<VdfPair>& a, const std::vector<VdfPair>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].key != b[i].key || a[i].text != b[i].text || a[i].isBlock != b[i].isBlock ||
        !Same(a[i].children, b[i].children)) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto pairs = zpk::platform::ParseVdf(text);
  std::string written;
  Write(pairs, written);
  if (!Same(pairs, zpk::platform::ParseVdf(written))) std::abort();
  return 0;
}
