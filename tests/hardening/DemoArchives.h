// The demo installation, made once per test program by the build's make_demo, as the
// starting point of the sweeps: every archive in it, good and damaged.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace zpk::test {

// The folder holding the demo archives (created on first use).
const std::filesystem::path& DemoArchiveFolder();

// File names of the demo archives, in a fixed order.
const std::vector<std::string>& DemoArchiveNames();

// "data.zpk" -> "data_zpk", for test names.
std::string TestNameOf(const std::string& fileName);

}  // namespace zpk::test
