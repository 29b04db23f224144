// zpk create from a folder and from a manifest, and extract --manifest: an extracted
// archive rebuilt from its manifest is the same archive byte for byte.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "ZpkProcess.h"
#include "cli/FileSystem.h"
#include "support/ByteDiff.h"
#include "support/RunTool.h"
#include "support/TempDir.h"
#include "writer/ArchiveWriter.h"

namespace {

using namespace zpk::test;
using namespace zpk::tools;
namespace fs = std::filesystem;
using namespace std::string_literals;

// Extracts archive into dir/out with a manifest, rebuilds it, and returns extract's result.
ZpkResult RoundTrip(const fs::path& archive, const TempDir& dir, const fs::path& rebuilt) {
  const auto manifest = (dir / "out" / "manifest.json").string();
  auto extracted = RunZpk({"extract", "-q", "-C", (dir / "out").string(), "--manifest", manifest, archive.string()});
  const auto created = RunZpk({"create", rebuilt.string(), "--manifest", manifest});
  EXPECT_EQ(0, created.exitCode) << created.err;
  return extracted;
}

TEST(CreateTest, ExtractThenCreateGivesTheSameBytesOrSaysWhyNot) {
  // Space-padded ID with a NUL inside; names with spaces, repeats, "\" and "/", 1252 bytes.
  // (An archive of no entries is among the demo archives.)
  std::string id("  MOD\0ID", 8);
  id.resize(256, ' ');
  ArchiveWriter writer;
  writer.SetId(id);
  writer.Add("gfx\\units\\ship.bmp", "BM picture");
  writer.Add("  spaced name.txt  ", "spaces");
  writer.Add("text/notes.txt", "first");
  writer.Add("text/notes.txt", "second");
  writer.Add("caf\xE9 \x80.txt", "code page");
  writer.Add("empty.dat", "");
  WriterEntry fields = TextEntry("fields.bin", "\x78\x01zz");
  fields.field3 = 7;
  fields.field4 = -1;
  fields.field5 = 1 << 30;
  writer.Add(fields);
  TempDir awkward;
  ASSERT_TRUE(writer.WriteFile(awkward / "in.zpk"));
  const auto unpacked = RoundTrip(awkward / "in.zpk", awkward, awkward / "rebuilt.zpk");
  EXPECT_EQ(0, unpacked.exitCode) << unpacked.err;
  EXPECT_EQ("", unpacked.err);
  EXPECT_BYTES_EQ(ReadFileBytes(awkward / "in.zpk"), ReadFileBytes(awkward / "rebuilt.zpk"));

  // The demo archives: a layout that create doesn't reproduce is warned of.
  TempDir demo;
  ASSERT_EQ(0, RunTool(ZPK_MAKE_DEMO, demo.path()));
  int identical = 0;
  for (const auto& entry : fs::directory_iterator(demo / "Tidewater")) {
    if (fs::file_size(entry.path()) < 260) continue;  // not an archive at all
    TempDir dir;
    const auto extracted = RoundTrip(entry.path(), dir, dir / "rebuilt.zpk");
    const bool same = ReadFileBytes(entry.path()) == ReadFileBytes(dir / "rebuilt.zpk");
    const bool warned = extracted.err.find("can't rebuild this archive byte for byte") != std::string::npos;
    EXPECT_NE(same, warned) << entry.path() << extracted.err;
    identical += same;
    // Even a layout create doesn't reproduce keeps every entry: a second round trip is exact.
    TempDir again;
    RoundTrip(dir / "rebuilt.zpk", again, again / "rebuilt.zpk");
    EXPECT_BYTES_EQ(ReadFileBytes(dir / "rebuilt.zpk"), ReadFileBytes(again / "rebuilt.zpk")) << entry.path();
  }
  EXPECT_GE(identical, 2);
}

TEST(CreateTest, FolderEntriesAreSortedBackslashPaths) {
  TempDir dir;
  fs::create_directories(dir / "mod" / "a");
  WriteFileBytes(dir / "mod" / "b.txt", ToBytes("b"));
  WriteFileBytes(dir / "mod" / "a" / "z.txt", ToBytes("z"));
  WriteFileBytes(dir / "mod" / zpk::cli::PathFromUtf8("caf\xC3\xA9.txt"), ToBytes("e"));
#ifndef _WIN32  // symbolic links need rights on Windows, and Wine makes none
  fs::create_symlink(dir / "mod" / "b.txt", dir / "mod" / "link.txt");
#endif
  const auto r = RunZpk({"create", "--id", "My mod", (dir / "mod.zpk").string(), (dir / "mod").string()});
#ifndef _WIN32
  EXPECT_EQ(1, r.exitCode);  // the link was left out, and said so
  EXPECT_NE(std::string::npos, r.err.find("zpk: 'link.txt' is not a regular file")) << r.err;
#else
  EXPECT_EQ(0, r.exitCode) << r.err;
#endif
  const auto json = nlohmann::json::parse(RunZpk({"list", "--json", (dir / "mod.zpk").string()}).out);
  EXPECT_EQ("My mod" + std::string(250, '\0'), json["id"].get<std::string>());
  std::vector<std::string> names;
  for (const auto& entry : json["entries"]) names.push_back(entry["name"]);
  EXPECT_EQ((std::vector<std::string>{"a\\z.txt", "b.txt", "caf\xC3\xA9.txt"}), names);
}

TEST(CreateTest, WhatTheFormatCantHoldIsRefusedAndNothingWritten) {
  struct Case {
    const char* label;
    std::string file;
    std::vector<std::string> extra;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"long name", std::string(100, 'd') + "/" + std::string(155, 'n'), {}, "the format holds at most 255"},
      {"not in the code page", "\xE6\x97\xA5.txt", {}, "Windows-1252 can't hold"},
      {"long id", "ok.txt", {"--id", std::string(257, 'i')}, "the field holds 256"},
      {"output exists", "ok.txt", {}, "exists (--overwrite replaces it)"},
      {"output is an input", "ok.txt", {"--overwrite"}, "is one of the inputs"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    fs::create_directories((dir / "mod" / c.file).parent_path());
    WriteFileBytes(dir / "mod" / c.file, ToBytes("data"));
    const bool inside = std::string(c.label).starts_with("output");
    const auto out = inside ? dir / "mod" / "out.zpk" : dir / "out.zpk";
    if (inside) WriteFileBytes(out, ToBytes("keep me"));
    std::vector<std::string> args = {"create", out.string(), (dir / "mod").string()};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    const auto r = RunZpk(args);
    EXPECT_EQ(2, r.exitCode) << c.label;
    EXPECT_NE(std::string::npos, r.err.find(c.message)) << c.label << ": " << r.err;
    if (inside) {
      EXPECT_EQ(ToBytes("keep me"), ReadFileBytes(out)) << c.label;
    } else {
      EXPECT_FALSE(fs::exists(out)) << c.label;
    }
    EXPECT_EQ(inside ? 2u : 1u, ListFiles(dir / "mod").size()) << c.label << ": a temporary file was left";
  }
}

}  // namespace
