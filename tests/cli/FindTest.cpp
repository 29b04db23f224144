// zpk find over a real folder of archives: one row per pattern rule.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "ZpkProcess.h"
#include "support/TempDir.h"
#include "writer/ArchiveWriter.h"

namespace {

using namespace zpk::test;
using namespace zpk::tools;
using namespace std::string_literals;

const std::string kBmp = "BM\x46\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0pixels"s;

TEST(FindTest, PatternsKindsLinesAndUnreadableArchives) {
  TempDir dir;
  ASSERT_TRUE(ArchiveWriter()
                  .Add("gfx/units/ship.bmp", kBmp)
                  .Add("Text\\Readme.TXT", "read me")
                  .Add("  spaced.txt  ", "s")
                  .Add("x[1].dat", "\x01\x02"s)
                  .WriteFile(dir / "a.zpk"));
  ASSERT_TRUE(ArchiveWriter().Add("gfx\\ui\\compass.bmp", "not a bitmap").Add("caf\xC9.txt", "e").WriteFile(dir / "b.ZPK"));
  ASSERT_TRUE(ArchiveWriter().Add("ship.bmp", kBmp).WriteFile(dir / "notes.txt"));  // not a *.zpk

  // "a:1 b:2" for the matches, in output order: each archive's first letter and the index.
  const auto matches = [&dir](const std::vector<std::string>& options, int& exitCode) {
    auto args = std::vector<std::string>{"find", "--json"};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(dir.path().string());
    const auto r = RunZpk(args);
    exitCode = r.exitCode;
    std::string found;
    const auto json = nlohmann::json::parse(r.out);
    for (const auto& match : json["matches"]) {
      const auto archive = std::filesystem::path(match["archive"].get<std::string>());
      EXPECT_EQ(dir.path(), archive.parent_path());
      EXPECT_EQ(options[0] == "--kind" ? options[1] : "", match.value("kind", ""));  // only with --kind
      found += (found.empty() ? "" : " ") + archive.filename().string().substr(0, 1) + ":" +
               std::to_string(match["index"].get<int>());
    }
    return found;
  };

  const std::vector<std::pair<std::vector<std::string>, std::string>> rows = {
      {{"*.bmp"}, "a:1 b:1"},
      {{"gfx\\*"}, "a:1 b:1"},                    // "\" and "/" are the same
      {{"text/readme.txt"}, ""},                  // case counts...
      {{"-i", "text/readme.txt"}, "a:2"},         // ...unless -i
      {{"-i", "CAF\xC3\x89.TXT"}, "b:2"},         // accented letters fold too
      {{"?paced.txt"}, "a:3"},                    // the displayed name, spaces trimmed
      {{"x[[]1].dat"}, "a:4"},
      {{"[!gT]*"}, "a:3 a:4 b:2"},
      {{"*s?ip*"}, "a:1"},
      {{"--kind", "bmp"}, "a:1"},                 // by content: b's compass.bmp is text
      {{"--kind", "text", "*.bmp"}, "b:1"},
  };
  for (const auto& [options, expected] : rows) {
    int exitCode = -1;
    EXPECT_EQ(expected, matches(options, exitCode)) << ::testing::PrintToString(options);
    EXPECT_EQ(expected.empty() ? 1 : 0, exitCode) << ::testing::PrintToString(options);
  }

  // Lines like grep's.
  const auto r = RunZpk({"find", "*ship*", dir.path().string()});
  EXPECT_EQ((dir / "a.zpk").string() + ":1:gfx/units/ship.bmp\n", r.out);

  WriteFileBytes(dir / "broken.zpk", ToBytes("short"));
  const auto broken = RunZpk({"find", "*ship*", dir.path().string()});
  EXPECT_EQ(1, broken.exitCode);  // found, but one archive could not be searched
  EXPECT_EQ(r.out, broken.out);
  EXPECT_NE(std::string::npos, broken.err.find("broken.zpk' is not an archive")) << broken.err;

  for (const auto& args : std::vector<std::vector<std::string>>{
           {"find", "*"}, {"find", "*", (dir / "missing").string()}, {"find", "--kind", "nope", dir.path().string()}}) {
    EXPECT_EQ(2, RunZpk(args).exitCode) << ::testing::PrintToString(args);
  }
}

}  // namespace
