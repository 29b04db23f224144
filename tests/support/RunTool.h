// Runs one of the project's own tools (the demo maker) with one folder argument through
// the system's shell, its output discarded.
#pragma once

#include <filesystem>
#include <string>

namespace zpk::test {

// The tool's exit status as std::system gives it; 0 when it succeeded.
int RunTool(const std::string& program, const std::filesystem::path& argument);

}  // namespace zpk::test
