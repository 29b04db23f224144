#include "hardening/DemoArchives.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "support/RunTool.h"
#include "support/TempDir.h"

namespace zpk::test {

const std::filesystem::path& DemoArchiveFolder() {
  static const auto folder = [] {
    static const auto root = std::make_unique<TempDir>();
    if (RunTool(ZPK_MAKE_DEMO, root->path()) != 0) throw std::runtime_error("make_demo failed");
    return root->path() / "Tidewater";
  }();
  return folder;
}

const std::vector<std::string>& DemoArchiveNames() {
  // Listed here rather than read from the folder, so that a test instance exists for each
  // before the folder is made; DemoArchivesAreAllSwept checks the list is complete.
  static const std::vector<std::string> names = {"data.zpk", "maps.zpk", "empty.zpk",
                                                 "patch.zpk", "zero.zpk"};
  return names;
}

std::string TestNameOf(const std::string& fileName) {
  std::string name = fileName;
  std::replace(name.begin(), name.end(), '.', '_');
  return name;
}

}  // namespace zpk::test
