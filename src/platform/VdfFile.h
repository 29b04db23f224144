// Steam's key/value text format (libraryfolders.vdf, config.vdf...):
//
//   "libraryfolders"            // a comment to the end of the line
//   {
//     "0"
//     {
//       "path"    "/home/quill/.local/share/Steam"
//       "apps"    { "228980" "1234" }
//     }
//     "1"   { "path" "/mnt/games/SteamLibrary" }
//   }
//
// A document is a list of pairs; a pair is a key and either a text or a block of pairs in
// braces. Keys and texts are quoted (with the escapes \\ \" \n \t) or bare words. A bracketed
// condition after a value ("[$WIN32]") is ignored. Keys may repeat and keep their order.
//
// The parser never fails: it gives back the pairs read up to the first thing it can't make
// sense of (an unclosed quote, a stray closing brace, a key without a value), so a file
// truncated while Steam was writing it still yields what came before the cut. Blocks nest
// at most kVdfMaxDepth deep; deeper ones end the document.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zpk::platform {

inline constexpr int kVdfMaxDepth = 64;

struct VdfPair {
  std::string key;
  std::string text;               // a text value; empty for a block
  std::vector<VdfPair> children;  // a block's pairs
  bool isBlock = false;

  // The first pair of this block with the key, compared without regard to ASCII case.
  const VdfPair* Find(std::string_view childKey) const;
};

std::vector<VdfPair> ParseVdf(std::string_view text);

}  // namespace zpk::platform
