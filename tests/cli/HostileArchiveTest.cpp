// Extraction from hostile archives: one table of archives, each extracted by the real zpk
// into a fresh folder beside a folder that must stay untouched. Every case checks the
// exit status, the messages, every file below the extraction folder, that nothing
// appeared outside it, and that the archive's bytes did not change.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <iterator>

#include "ZpkProcess.h"
#include "support/ByteDiff.h"
#include "support/RowName.h"
#include "support/TempDir.h"
#include "writer/ArchiveWriter.h"

namespace {

using namespace zpk::test;
using namespace zpk::tools;
namespace fs = std::filesystem;

constexpr auto Entry = TextEntry;
constexpr auto Ranged = RangedEntry;

struct HostileCase {
  const char* name;
  std::vector<WriterEntry> entries;  // added after the harmless #1 "good.txt" ("good")
  std::vector<std::string> options;  // given to extract before the archive
  int exitCode;
  std::vector<std::string> messages;  // each must appear on standard error
  Tree expected;                      // everything below the extraction folder afterwards
  std::function<void(const fs::path& out)> prepare = {};
  std::optional<std::int32_t> count = {};
  bool archiveInOut = false;  // the archive lies in the extraction folder itself
};

class HostileArchiveTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileArchiveTest, ExtractsOnlyWhatIsSafe) {
  const auto& c = GetParam();
#ifdef _WIN32
  if (std::string_view(c.name).starts_with("symlink")) {
    GTEST_SKIP() << "symbolic links need rights on Windows, and Wine makes none";
  }
#endif
  TempDir root;
  const auto out = root / "out";
  const auto outside = root / "outside";
  fs::create_directory(out);
  fs::create_directory(outside);
  WriteFileBytes(outside / "keep.txt", ToBytes("keep"));

  ArchiveWriter writer;
  writer.Add(Entry("good.txt", "good"));
  for (const auto& entry : c.entries) writer.Add(entry);
  if (c.count) writer.SetCount(*c.count);
  const auto archive = (c.archiveInOut ? out : root.path()) / "res.zpk";
  ASSERT_TRUE(writer.WriteFile(archive));
  const auto original = ReadFileBytes(archive);
  if (c.prepare) c.prepare(out);

  std::vector<std::string> args{"extract", "-C", out.string()};
  args.insert(args.end(), c.options.begin(), c.options.end());
  args.push_back(archive.string());
  // Run from the outside folder, so that a path that escaped the -C folder would land there.
  const auto r = RunZpk(args, outside);

  EXPECT_EQ(c.exitCode, r.exitCode) << r.err;
  for (const auto& message : c.messages) {
    EXPECT_TRUE(r.err.find(message) != std::string::npos ||
                Slashed(r.err).find(message) != std::string::npos)
        << "missing: " << message << "\nin: " << r.err;
  }
  auto tree = ReadTree(out);
  if (c.archiveInOut) tree.erase("res.zpk");
  EXPECT_EQ(c.expected, tree);
  EXPECT_EQ((Tree{{"keep.txt", "keep"}}), ReadTree(outside));
  EXPECT_EQ(3, std::distance(fs::directory_iterator(root.path()), fs::directory_iterator()) +
                   (c.archiveInOut ? 1 : 0));
  EXPECT_BYTES_EQ(original, ReadFileBytes(archive));
}

const Tree kGood{{"good.txt", "good"}};

Tree With(Tree tree, const Tree& more) {
  tree.insert(more.begin(), more.end());
  return tree;
}

// 256 bytes, so no NUL: "abc/" 64 times, written as the 255 bytes before the last "/".
std::string RepeatedLevels() {
  std::string field;
  for (int i = 0; i < 64; ++i) field += "abc/";
  return field;
}

INSTANTIATE_TEST_SUITE_P(
    Archives, HostileArchiveTest,
    ::testing::Values(
        // One name per reason; the variants of each are the name rule's own table.
        HostileCase{"unsafe_names",
                    {Entry("../escape.txt", "x"), Entry("/zpk-absolute-test.txt", "x"),
                     Entry("bell\x07.txt", "x"), Entry("c1\x81.txt", "x"), Entry("C:evil.txt", "x"),
                     Entry("    ", "x"), Entry(std::string(256, 'x'), "raw"), Entry(RepeatedLevels(), "raw")},
                    {}, 1,
                    {"zpk: #2 '../escape.txt': skipped: the name has a \"..\" level",
                     "#3 '/zpk-absolute-test.txt': skipped: the name is absolute",
                     "#4 'bell\\x07.txt': skipped: the name holds a control character",
                     "#5 'c1\\u0081.txt': skipped", "#6 'C:evil.txt': skipped: the name holds a drive or stream colon",
                     "#7 '': skipped: the name is empty",
                     "#8 '" + std::string(256, 'x') + "': skipped: a level of the name is longer than 255 bytes"},
                    With(kGood, {{RepeatedLevels().substr(0, 255), "raw"}})},
        HostileCase{"count_of_int_max",
                    {Entry("second.txt", "2")},
                    {}, 1,
                    {"zpk: warning: the header counts 2147483647 entries, but the file holds only 2"},
                    With(kGood, {{"second.txt", "2"}}),
                    {}, INT_MAX},
        HostileCase{"bad_ranges",
                    {Ranged("huge.bin", 300, INT_MAX), Ranged("negpos.bin", -5, 2), Ranged("neglen.bin", 0, -1),
                     Entry("after.txt", "after")},
                    {}, 1,
                    {"#2 'huge.bin': skipped: bytes 300 to ", "lie beyond the end of the file",
                     "#3 'negpos.bin': skipped: position -5 is negative", "#4 'neglen.bin': skipped: length -1 is negative"},
                    With(kGood, {{"after.txt", "after"}})},
        HostileCase{"duplicate_paths",
                    {Entry("d/x.txt", "1"), Entry("d\\x.txt", "2"), Entry("d//x.txt", "3"),
                     Entry("good.txt", "again")},
                    {}, 0,
                    {"#3 'd\\x.txt': written as 'd/x (2).txt'", "#4 'd//x.txt': written as 'd/x (3).txt'",
                     "#5 'good.txt': written as 'good (2).txt'"},
                    {{"good.txt", "good"}, {"good (2).txt", "again"}, {"d/x.txt", "1"},
                     {"d/x (2).txt", "2"}, {"d/x (3).txt", "3"}}},
        HostileCase{"symlink_folder_pointing_outside",
                    {Entry("link/evil.txt", "x"), Entry("real/link/evil.txt", "x")},
                    {"--overwrite"}, 1,
                    {"#2 'link/evil.txt': skipped: '", "/out/link' is a symbolic link",
                     "/out/real/link' is a symbolic link"},
                    With(kGood, {{"link", "-> ../outside"}, {"real/link", "-> ../../outside"}}),
                    [](const fs::path& out) {
                      fs::create_directory_symlink("../outside", out / "link");
                      fs::create_directory(out / "real");
                      fs::create_directory_symlink("../../outside", out / "real" / "link");
                    }},
        HostileCase{"symlink_at_target_replaced_not_followed",
                    {Entry("victim.txt", "evil")},
                    {"--overwrite"}, 0,
                    {},
                    With(kGood, {{"victim.txt", "evil"}}),
                    [](const fs::path& out) {
                      fs::create_symlink("../outside/keep.txt", out / "victim.txt");
                    }},
        HostileCase{"existing_file_kept",
                    {}, {}, 1,
                    {"#1 'good.txt': skipped: '", "/out/good.txt' exists (--overwrite replaces it)"},
                    {{"good.txt", "mine"}},
                    [](const fs::path& out) { WriteFileBytes(out / "good.txt", ToBytes("mine")); }},
        HostileCase{"entry_named_like_the_archive",
                    {Entry("res.zpk", "not an archive")},
                    {"--overwrite"}, 1,
                    {"#2 'res.zpk': skipped: can't write '", "it is the archive being read"},
                    kGood, {}, {}, true},
        HostileCase{"file_in_the_way_of_a_folder",
                    {Entry("good.txt/inner.txt", "x"), Entry("d", "file")},
                    {}, 1,
                    {"#2 'good.txt/inner.txt': skipped: '", "/out/good.txt' exists and is not a folder"},
                    With(kGood, {{"d", "file"}})}), RowName());

// Where files go, what is printed, and which entries are written. (That -q hides notices
// is seen in the manifest round trips.)
TEST(ExtractOutputTest, VerbosePrintsPathsNamesSelect) {
  TempDir root;
  ArchiveWriter writer;
  writer.Add(Entry("a/one.txt", "1")).Add(Entry("a/one.txt", "2"));
  ASSERT_TRUE(writer.WriteFile(root / "res.zpk"));

  // Without -C, into the current folder.
  fs::create_directory(root / "v");
  const auto verbose = RunZpk({"extract", "-v", (root / "res.zpk").string()}, root / "v");
  EXPECT_EQ(0, verbose.exitCode);  // the only run with -v
  EXPECT_EQ("./a/one.txt\n./a/one (2).txt\n", Slashed(verbose.out));
  EXPECT_EQ((Tree{{"a/one.txt", "1"}, {"a/one (2).txt", "2"}}), ReadTree(root / "v"));

  // Named entries only, and an unmatched name is a failure that does not stop the rest.
  const auto named = RunZpk({"extract", "-C", "n", "res.zpk", "#2", "missing"}, root.path());
  EXPECT_EQ(1, named.exitCode);
  EXPECT_EQ((Tree{{"a/one.txt", "2"}}), ReadTree(root / "n"));
}

}  // namespace
