// Shell-style patterns over entry names (raw Windows-1252 bytes): "*" any run of bytes,
// folder separators included, "?" any one byte, "[a-z]" a set ("[!...]" or "[^...]" its
// complement). "/" and "\" count as the same; case can be ignored (ASCII and the code
// page's accented letters).
#pragma once

#include <string>
#include <string_view>

namespace zpk::cli {

class Glob {
 public:
  Glob(std::string_view pattern, bool ignoreCase);
  bool Matches(std::string_view name) const;

 private:
  char Fold(char c) const;
  // Matches the set starting at pattern_[p] (just after "[") against c; end is set to the
  // index after "]". Returns false with end == npos when the set is not closed.
  bool InSet(std::size_t p, char c, std::size_t& end) const;

  std::string pattern_;
  bool ignoreCase_;
};

}  // namespace zpk::cli
