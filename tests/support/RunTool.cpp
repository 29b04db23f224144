#include "support/RunTool.h"

#include <cstdlib>

namespace zpk::test {

int RunTool(const std::string& program, const std::filesystem::path& argument) {
#ifdef _WIN32
  // cmd.exe strips the outer pair of quotes of a line that starts with one.
  const std::string command =
      "\"\"" + program + "\" \"" + argument.string() + "\" >NUL\"";
#else
  const std::string command = "'" + program + "' '" + argument.string() + "' >/dev/null";
#endif
  return std::system(command.c_str());
}

}  // namespace zpk::test
