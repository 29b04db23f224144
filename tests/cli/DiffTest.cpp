// zpk diff on two writer-made archives with one change of each kind, and on two folders.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "ZpkProcess.h"
#include "support/TempDir.h"
#include "writer/ArchiveWriter.h"

namespace {

using namespace zpk::test;
using namespace zpk::tools;

TEST(DiffTest, EachKindOfChangeInArchivesAndFolders) {
  TempDir dir;
  const auto a = dir / "a.zpk", b = dir / "b.zpk";
  ASSERT_TRUE(ArchiveWriter("V1").Add("keep.txt", "same").Add("grow.txt", "abc").Add("edit.txt", "abc")
                  .Add("old.txt", "moved bytes").Add("gone.txt", "x").Add("dup.txt", "1").Add("dup.txt", "2")
                  .WriteFile(a));
  ASSERT_TRUE(ArchiveWriter("V1").Add("fresh.txt", "y").Add("dup.txt", "1").Add("keep.txt", "same")
                  .Add("grow.txt", "abcd").Add("edit.txt", "abd").Add("new\\name.txt", "moved bytes")
                  .Add("dup.txt", "3").WriteFile(b));
  const auto r = RunZpk({"diff", a.string(), b.string()});
  EXPECT_EQ(1, r.exitCode) << r.err;
  EXPECT_EQ("D  gone.txt\n"
            "A  fresh.txt\n"
            "M  dup.txt\n"
            "M  edit.txt\n"
            "M  grow.txt (3 -> 4 bytes)\n"
            "R  old.txt -> new\\name.txt\n",
            r.out);
  EXPECT_EQ("1 added, 1 removed, 3 changed, 1 renamed, 2 the same\n", RunZpk({"diff", "--stat", a.string(), b.string()}).out);
  const auto json = nlohmann::json::parse(RunZpk({"diff", "--json", a.string(), b.string()}).out);
  EXPECT_EQ(7, json["changed"][0]["index_a"]);  // the second dup.txt against the second
  EXPECT_EQ(7, json["changed"][0]["index_b"]);

  const auto same = RunZpk({"diff", a.string(), a.string()});
  EXPECT_EQ(0, same.exitCode);
  EXPECT_EQ("", same.out);
  WriteFileBytes(dir / "bad.zpk", ToBytes("short"));
  EXPECT_EQ(2, RunZpk({"diff", a.string(), (dir / "bad.zpk").string()}).exitCode);
  EXPECT_EQ(2, RunZpk({"diff", a.string(), dir.path().string()}).exitCode);

  // Folders: archives of one name compared, the others added or removed.
  for (const auto* side : {"one", "two"}) std::filesystem::create_directory(dir / side);
  std::filesystem::copy_file(a, dir / "one" / "x.zpk");
  std::filesystem::copy_file(b, dir / "two" / "x.zpk");
  std::filesystem::copy_file(a, dir / "one" / "only-a.zpk");
  std::filesystem::copy_file(a, dir / "two" / "only-b.zpk");
  const auto folders = RunZpk({"diff", "--stat", (dir / "one").string(), (dir / "two").string()});
  EXPECT_EQ(1, folders.exitCode) << folders.err;
  EXPECT_EQ("D  only-a.zpk\nx.zpk: 1 added, 1 removed, 3 changed, 1 renamed, 2 the same\nA  only-b.zpk\n", folders.out);
}

}  // namespace
