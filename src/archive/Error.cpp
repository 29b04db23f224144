#include "archive/Error.h"

namespace zpk::archive {

std::string Describe(const Error& error) {
  if (error.offset < 0) return error.message;
  return error.message + " (at byte " + std::to_string(error.offset) + ")";
}

}  // namespace zpk::archive
