// info, list, probe and cat on one archive with ordinary and awkward entries, and the
// command line's own errors. Every case runs the built zpk as a process.
#include <gtest/gtest.h>

#include <climits>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <tuple>

#include "ZpkProcess.h"
#include "support/ByteDiff.h"
#include "support/TempDir.h"
#include "writer/ArchiveWriter.h"

namespace {

using namespace zpk::test;
using namespace zpk::tools;
namespace fs = std::filesystem;

constexpr std::int64_t kBigSize = 3 * 1024 * 1024 + 17;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class CommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ArchiveWriter writer;
    // Space-padded as the game pads it; the NUL inside is part of the text.
    std::string id("  TIDE\0WATER", 12);
    id.resize(256, ' ');
    writer.SetId(id);
    writer.Add("gfx/units/ship.bmp", "BM picture");
    writer.Add("text\\readme.txt", "read me\r\n");
    writer.Add("secret.dat", std::vector<std::byte>{std::byte{0x78}, std::byte{0x01}, std::byte{0}});
    writer.Add(PatternEntry("big.bin", kBigSize));
    WriterEntry cafe = TextEntry("  caf\xE9.txt  ", "accent");
    cafe.field3 = 7;
    cafe.field4 = -1;
    cafe.field5 = 42;
    writer.Add(cafe);
    writer.Add("bell\x07name", "ding");
    writer.Add(RangedEntry("far.bin", INT_MAX, 0));
    archive_ = dir_ / "res.zpk";
    ASSERT_TRUE(writer.WriteFile(archive_));
    offsets_ = writer.DataOffsets();
  }

  TempDir dir_;
  fs::path archive_;
  std::vector<std::uint64_t> offsets_;
};

TEST_F(CommandsTest, ListJsonHasEveryFieldInOrderAndKindKeepsOnlyThatKind) {
  using Json = nlohmann::ordered_json;  // dumped in order, so that the order is compared too
  const auto r = RunZpk({"list", "--json", archive_.string()});
  ASSERT_EQ(0, r.exitCode) << r.err;
  auto json = Json::parse(r.out);
  ASSERT_EQ(7u, json["entries"].size());
  // Names in UTF-8, trimmed, controls kept; no kind for a range outside the file.
  const Json cafe = {{"index", 5},  {"name", "caf\xC3\xA9.txt"}, {"pos", offsets_[4]}, {"len", 6},
                     {"field3", 7}, {"field4", -1},               {"field5", 42},       {"kind", "text"}};
  EXPECT_EQ(cafe.dump(), json["entries"][4].dump());
  const Json far = {{"index", 7},  {"name", "far.bin"}, {"pos", INT_MAX}, {"len", 0},
                    {"field3", 0}, {"field4", 0},       {"field5", 0},    {"kind", nullptr}};
  EXPECT_EQ(far.dump(), json["entries"][6].dump());
  EXPECT_EQ("bell\x07name", json["entries"][5]["name"]);
  EXPECT_EQ("zlib", json["entries"][2]["kind"]);
  json["entries"] = nullptr;
  const Json top = {{"archive", archive_.string()}, {"id", std::string("TIDE\0WATER", 10)},
                    {"entry_count", 7}, {"entries", nullptr}};
  EXPECT_EQ(top.dump(), json.dump());

  // --kind keeps the rows of that kind, which show it; in JSON with the rows in front left out.
  const auto zlib = RunZpk({"list", "--kind", "zlib", archive_.string()}).out;
  EXPECT_NE(std::string::npos, zlib.find("  zlib   secret.dat\n")) << zlib;
  const auto kept = Json::parse(RunZpk({"list", "--json", "--kind", "zlib", archive_.string()}).out);
  EXPECT_EQ(1u, kept["entries"].size());
  const auto bad = RunZpk({"list", "--kind", "PNG", archive_.string()}).err;
  EXPECT_NE(std::string::npos, bad.find("unknown kind 'PNG'")) << bad;
}

// Column widths at the digit boundaries, set by any row (not only the first), negative
// numbers counting their sign; names trimmed, in UTF-8, controls escaped. Every range lies
// outside the file, so each kind is "-".
TEST(ListColumnsTest, WidthsFollowTheWidestNumberOfEachColumn) {
  struct Case {
    std::vector<std::tuple<const char*, std::int32_t, std::int32_t>> entries;
    std::string expected;
  };
  const Case cases[] = {
      {{{"a", 1000000000, 5}},
       "Index         Pos  Len  Kind   Name\n"
       "    1  1000000000    5  -      a\n"},
      {{{"a", 999999999, 99}, {"b", 900, 100}},
       "Index        Pos  Len  Kind   Name\n"
       "    1  999999999   99  -      a\n"
       "    2        900  100  -      b\n"},
      {{{"a", 5, -1}, {"b", INT_MIN, 12345}},
       "Index          Pos    Len  Kind   Name\n"
       "    1            5     -1  -      a\n"
       "    2  -2147483648  12345  -      b\n"},
      {{{"  caf\xE9.txt  ", -1, 1}, {"bell\x07name", -1, 1}, {"del\x7F", -1, 1}},
       "Index  Pos  Len  Kind   Name\n"
       "    1   -1    1  -      caf\xC3\xA9.txt\n"
       "    2   -1    1  -      bell\\x07name\n"
       "    3   -1    1  -      del\\x7F\n"},
  };
  TempDir dir;
  for (const auto& c : cases) {
    ArchiveWriter writer;
    for (const auto& [name, pos, len] : c.entries) writer.Add(RangedEntry(name, pos, len));
    const auto path = dir / "widths.zpk";
    ASSERT_TRUE(writer.WriteFile(path));
    EXPECT_EQ(c.expected, RunZpk({"list", path.string()}).out);
  }
}

// The index column is counted up from row to row: its digits carry (9 to 10, 999 to 1000)
// and it starts again wherever --kind leaves rows out.
TEST(ListColumnsTest, IndexColumnCountsEveryRowShown) {
  TempDir dir;
  ArchiveWriter writer;
  std::vector<std::size_t> all, texts;
  for (std::size_t i = 1; i <= 1210; ++i) {
    const std::string name = "r" + std::to_string(i);
    all.push_back(i);
    if (i % 7 == 0 || i == 10 || i == 1000) {
      writer.Add(RangedEntry(name, 2000000000, 1));  // outside the file: kind "-"
    } else {
      writer.Add(name, std::string_view("plain words"));
      texts.push_back(i);
    }
  }
  const auto path = dir / "many.zpk";
  ASSERT_TRUE(writer.WriteFile(path));
  const std::pair<std::vector<std::string>, const std::vector<std::size_t>*> runs[] = {
      {{"list", path.string()}, &all}, {{"list", "--kind", "text", path.string()}, &texts}};
  for (const auto& [args, shown] : runs) {
    const auto r = RunZpk(args);
    ASSERT_EQ(0, r.exitCode) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(shown->size() + 1, lines.size());
    for (std::size_t row = 0; row < shown->size(); ++row) {
      std::string index = std::to_string((*shown)[row]);
      index.insert(0, 5 - index.size(), ' ');
      ASSERT_EQ(index + "  ", lines[row + 1].substr(0, 7)) << lines[row + 1];
    }
  }
}

TEST_F(CommandsTest, InfoReportsRangeProblemsProbeGivesVerdicts) {
  const auto r = RunZpk({"info", "--json", archive_.string()});
  ASSERT_EQ(0, r.exitCode) << r.err;
  const auto json = nlohmann::json::parse(r.out);
  EXPECT_EQ(std::string("TIDE\0WATER", 10), json["id"].get<std::string>());
  EXPECT_EQ(7, json["entry_count"]);
  EXPECT_EQ(7, json["entries_held"]);
  EXPECT_EQ(fs::file_size(archive_), json["file_size"].get<std::uint64_t>());
  EXPECT_TRUE(std::regex_match(json["modified"].get<std::string>(),
                               std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d)")))
      << json["modified"];
  EXPECT_EQ(1u, json["problems"].size());  // far.bin's range only: info leaves out overlaps and names

  const auto text = RunZpk({"info", archive_.string()}).out;
  EXPECT_NE(std::string::npos, text.find("ID:            TIDE\\x00WATER\n")) << text;
  EXPECT_NE(std::string::npos, text.find("#7 'far.bin'")) << text;

  // Probe fails on the unreadable entry, and names the kind of each readable one.
  const auto probe = RunZpk({"probe", "--json", archive_.string()});
  EXPECT_EQ(1, probe.exitCode);
  const auto verdicts = nlohmann::json::parse(probe.out)["entries"];
  ASSERT_EQ(7u, verdicts.size());
  EXPECT_EQ("Probably Ok", verdicts[0]["verdict"]);
  EXPECT_EQ("unreadable", verdicts[6]["verdict"]);
  EXPECT_EQ("zlib", verdicts[2]["kind"]);
  EXPECT_TRUE(verdicts[6]["kind"].is_null());
  EXPECT_FALSE(verdicts[6]["reason"].get<std::string>().empty());

  const auto some = RunZpk({"probe", archive_.string(), "#3", "text/readme.txt"});
  EXPECT_EQ(0, some.exitCode) << some.err;
  EXPECT_EQ("2  text   text\\readme.txt: Probably Ok\n"
            "3  zlib   secret.dat: Encrypted!\n",
            some.out);
}

TEST_F(CommandsTest, CatWritesStoredBytesUnchangedOrFails) {
  const auto big = RunZpk({"cat", archive_.string(), "big.bin"});
  std::vector<std::byte> expected(kBigSize);
  for (std::int64_t i = 0; i < kBigSize; ++i) expected[i] = PatternByte(i);
  EXPECT_BYTES_EQ(expected, std::as_bytes(std::span(big.out))) << big.err;
  EXPECT_EQ("accent", RunZpk({"cat", archive_.string(), "caf\xC3\xA9.txt"}).out);
  // A name held by several entries means the first of them.
  ASSERT_TRUE(ArchiveWriter().Add("twice.txt", "first").Add("twice.txt", "second").WriteFile(dir_ / "twice.zpk"));
  EXPECT_EQ("first", RunZpk({"cat", (dir_ / "twice.zpk").string(), "twice.txt"}).out);

  // An unmatched or out-of-range entry is a failure.
  const std::pair<const char*, const char*> rows[] = {
      {"nothing.txt", "zpk: no entry named 'nothing.txt'\n"},
      {"#0", "zpk: no entry #0"},
      {"#", "zpk: no entry named '#'"},
      {"far.bin", "zpk: #7 'far.bin': bytes 2147483647 to 2147483647 lie beyond the end"},
  };
  for (const auto& [entry, message] : rows) {
    const auto r = RunZpk({"cat", archive_.string(), entry});
    EXPECT_EQ(1, r.exitCode) << entry;
    EXPECT_EQ(0u, r.err.find(message)) << r.err;
    EXPECT_TRUE(r.out.empty()) << entry;
  }
}

// Usage errors and archives that can't be opened exit 2, with the "zpk: " prefix.
TEST_F(CommandsTest, UsageErrorsAndUnreadableArchivesExitTwoHelpIsNoError) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {}, {"frobnicate"}, {"list"}, {"list", "--bogus", archive_.string()},
           {"extract", "-v", "-q", archive_.string()}, {"cat", archive_.string()},
           {"list", (dir_ / "missing.zpk").string()}, {"list", dir_.path().string()}}) {
    const auto r = RunZpk(args);
    EXPECT_EQ(2, r.exitCode) << ::testing::PrintToString(args);
    EXPECT_EQ(0u, r.err.find("zpk: ")) << r.err;
  }
  const auto extract = RunZpk({"extract", "--help"});
  EXPECT_EQ(0, extract.exitCode);
  EXPECT_NE(std::string::npos, extract.out.find("--overwrite")) << extract.out;

  const auto shortFile = dir_ / "short.zpk";
  WriteFileBytes(shortFile, ToBytes("too short"));
  for (const char* command : {"list", "probe", "extract"}) {
    const auto r = RunZpk({command, shortFile.string()}, dir_.path());
    EXPECT_EQ(2, r.exitCode) << command;
    EXPECT_NE(std::string::npos, r.err.find("shorter than the 260-byte header")) << r.err;
  }
  // info still opens it (an exit of 2 would leave no JSON to read).
  const auto info = nlohmann::json::parse(RunZpk({"info", "--json", shortFile.string()}).out);
  EXPECT_EQ("short-header", info["problems"][0]["kind"]);
  const auto check = RunZpk({"check", shortFile.string()});
  EXPECT_EQ(1, check.exitCode);
  EXPECT_NE(std::string::npos, check.out.find("short-header: the file has 9 bytes")) << check.out;
  EXPECT_EQ(2, RunZpk({"check", (dir_ / "missing.zpk").string()}).exitCode);
}

}  // namespace
