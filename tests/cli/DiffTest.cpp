// zpk diff on two writer-made archives with one change of each kind, and on two folders.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "ZpkProcess.h"
#include "support/TempDir.h"
#include "writer/ArchiveWriter.h"

namespace {

using zpk::test::RunZpk;
using zpk::test::TempDir;
using zpk::tools::ArchiveWriter;

class DiffTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ArchiveWriter("V1").Add("keep.txt", "same").Add("grow.txt", "abc").Add("edit.txt", "abc")
                    .Add("old.txt", "moved bytes").Add("gone.txt", "x").Add("dup.txt", "1").Add("dup.txt", "2")
                    .WriteFile(a_));
    ASSERT_TRUE(ArchiveWriter("V1").Add("fresh.txt", "y").Add("dup.txt", "1").Add("keep.txt", "same")
                    .Add("grow.txt", "abcd").Add("edit.txt", "abd").Add("new\\name.txt", "moved bytes")
                    .Add("dup.txt", "3").WriteFile(b_));
  }
  TempDir dir_;
  std::filesystem::path a_ = dir_ / "a.zpk", b_ = dir_ / "b.zpk";
};

TEST_F(DiffTest, EachKindOfChange) {
  const auto r = RunZpk({"diff", a_.string(), b_.string()});
  EXPECT_EQ(1, r.exitCode) << r.err;
  EXPECT_EQ("D  gone.txt\n"
            "A  fresh.txt\n"
            "M  dup.txt\n"
            "M  edit.txt\n"
            "M  grow.txt (3 -> 4 bytes)\n"
            "R  old.txt -> new\\name.txt\n",
            r.out);
  EXPECT_EQ("1 added, 1 removed, 3 changed, 1 renamed, 2 the same\n", RunZpk({"diff", "--stat", a_.string(), b_.string()}).out);
  const auto json = nlohmann::json::parse(RunZpk({"diff", "--json", a_.string(), b_.string()}).out);
  EXPECT_EQ(7, json["changed"][0]["index_a"]);  // the second dup.txt against the second
  EXPECT_EQ(7, json["changed"][0]["index_b"]);
  EXPECT_FALSE(json["id_changed"]);

  const auto same = RunZpk({"diff", a_.string(), a_.string()});
  EXPECT_EQ(0, same.exitCode);
  EXPECT_EQ("", same.out);
  zpk::test::WriteFileBytes(dir_ / "bad.zpk", zpk::tools::ToBytes("short"));
  EXPECT_EQ(2, RunZpk({"diff", a_.string(), (dir_ / "bad.zpk").string()}).exitCode);
  EXPECT_EQ(2, RunZpk({"diff", a_.string(), dir_.path().string()}).exitCode);
}

TEST_F(DiffTest, TwoFolders) {
  for (const auto* side : {"one", "two"}) std::filesystem::create_directory(dir_ / side);
  std::filesystem::copy_file(a_, dir_ / "one" / "x.zpk");
  std::filesystem::copy_file(b_, dir_ / "two" / "x.zpk");
  std::filesystem::copy_file(a_, dir_ / "one" / "only-a.zpk");
  std::filesystem::copy_file(a_, dir_ / "two" / "only-b.zpk");
  const auto r = RunZpk({"diff", "--stat", (dir_ / "one").string(), (dir_ / "two").string()});
  EXPECT_EQ(1, r.exitCode) << r.err;
  EXPECT_EQ("D  only-a.zpk\nx.zpk: 1 added, 1 removed, 3 changed, 1 renamed, 2 the same\nA  only-b.zpk\n", r.out);
}

}  // namespace
