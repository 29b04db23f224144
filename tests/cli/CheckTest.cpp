// zpk check: one table of damaged archives and the problems it must name.
#include <gtest/gtest.h>

#include <climits>
#include <nlohmann/json.hpp>
#include <set>

#include "ZpkProcess.h"
#include "support/RowName.h"
#include "support/TempDir.h"
#include "writer/ArchiveWriter.h"

namespace {

using namespace zpk::test;
using namespace zpk::tools;

constexpr auto At = RangedEntry;
constexpr auto Text = TextEntry;

struct CheckCase {
  const char* name;
  std::vector<WriterEntry> entries;
  std::optional<std::int32_t> count;
  int exitCode;
  // (kind, index) of every problem expected, index 0 for the whole file
  std::set<std::pair<std::string, int>> problems;
  std::uint64_t coveredBytes;
  std::uint64_t dataBytes;
};

class CheckTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckTest, NamesEveryProblem) {
  const auto& c = GetParam();
  TempDir dir;
  ArchiveWriter writer;
  for (const auto& entry : c.entries) writer.Add(entry);
  if (c.count) writer.SetCount(*c.count);
  ASSERT_TRUE(writer.WriteFile(dir / "a.zpk"));

  const auto r = RunZpk({"check", "--json", (dir / "a.zpk").string()});
  EXPECT_EQ(c.exitCode, r.exitCode) << r.err;
  const auto json = nlohmann::json::parse(r.out);
  std::set<std::pair<std::string, int>> found;
  for (const auto& problem : json["problems"]) {
    found.emplace(problem["kind"], problem.value("index", 0));
    EXPECT_FALSE(problem["message"].get<std::string>().empty());
  }
  EXPECT_EQ(c.problems, found) << r.out;
  EXPECT_EQ(c.problems.empty(), json["clean"].get<bool>());
  EXPECT_EQ(c.coveredBytes, json["covered_bytes"].get<std::uint64_t>());
  EXPECT_EQ(c.dataBytes, json["data_bytes"].get<std::uint64_t>());

  // The text form names the same problems, one per line, and the coverage.
  const auto text = RunZpk({"check", (dir / "a.zpk").string()});
  for (const auto& [kind, index] : c.problems) {
    EXPECT_NE(std::string::npos, text.out.find(kind + ": ")) << kind << "\n" << text.out;
  }
  EXPECT_NE(std::string::npos, text.out.find("entries cover " + std::to_string(c.coveredBytes) +
                                             " of " + std::to_string(c.dataBytes)))
      << text.out;
}

// One entry's directory ends at 260 + 276 = 536; two entries' at 812; three at 1088.
INSTANTIATE_TEST_SUITE_P(
    Archives, CheckTest,
    ::testing::Values(
        CheckCase{"clean", {Text("a.txt", "aaaa"), Text("b/c.txt", "cc")}, {}, 0, {}, 6, 6},
        CheckCase{"empty_archive", {}, {}, 0, {}, 0, 0},
        CheckCase{"negative_count", {Text("a.txt", "aaaa")}, -3, 1, {{"negative-count", 0}}, 0, 276 + 4},
        CheckCase{"count_beyond_file", {Text("a.txt", "aaaa")}, INT_MAX, 1,
                  {{"truncated-directory", 0}}, 4, 4},
        CheckCase{"outside_and_negative",
                  {At("past.bin", 1000, 100), At("neg.bin", -1, 1), At("nlen.bin", 0, -5)},
                  {}, 1, {{"outside-file", 1}, {"outside-file", 2}, {"outside-file", 3}}, 0, 0},
        CheckCase{"on_the_directory", {Text("a.txt", "aaaa"), At("hdr.bin", 0, 300)}, {}, 1,
                  {{"overlaps-directory", 2}}, 4, 4},
        CheckCase{"overlapping_entries",
                  {Text("a.txt", "aaaaaaaa"), At("inner.bin", 1088 + 2, 3), At("tail.bin", 1088 + 6, 2)},
                  {}, 1, {{"overlap", 2}, {"overlap", 3}}, 8, 8},
        CheckCase{"duplicates_and_unsafe",
                  {Text("x/y.txt", "1"), Text("x\\y.txt", "2"), Text("../up.txt", "3"),
                   Text("bell\x07", "4")},
                  {}, 1,
                  {{"duplicate-name", 2}, {"unsafe-name", 3}, {"unsafe-name", 4}}, 4, 4},
        CheckCase{"gap_not_covered", {At("a.bin", 536, 0), Text("b.txt", "bb")}, {}, 0, {}, 2, 2}), RowName());

}  // namespace
