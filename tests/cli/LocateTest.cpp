// zpk locate and --game, on a home holding the game in a Proton prefix.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "ZpkProcess.h"
#include "support/FakeWinePrefix.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"
#include "writer/ArchiveWriter.h"

namespace {

namespace fs = std::filesystem;
using namespace zpk::test;

TEST(LocateCommand, NoGameThenTheFolderItIsInAndArchivesFoundThere) {
  TempDir home;
  const ScopedEnv homeEnv{"HOME", home.path().string()};
  const ScopedEnv noPrefix{"WINEPREFIX", nullptr};
  // With no game, locate finds nothing and --game reads no archive.
  const auto none = RunZpk({"locate"});
  EXPECT_EQ(1, none.exitCode);
  EXPECT_EQ("", none.out);
  const auto info = RunZpk({"info", "--game", "data.zpk"});
  EXPECT_EQ(2, info.exitCode);
  EXPECT_NE(std::string::npos, info.err.find("zpk: the game's folder was not found")) << info.err;
  EXPECT_EQ(2, RunZpk({"find", "--game", "*"}).exitCode);

  const fs::path prefix = home / ".local/share/Steam/steamapps/compatdata/2200/pfx";
  const fs::path game = MakeGamePrefixWithFolder(prefix);
  zpk::tools::ArchiveWriter writer("GAME");
  writer.Add("gfx\\ship.bmp", "BM");
  ASSERT_TRUE(writer.WriteFile(game / "DATA.ZPK"));

  const auto text = RunZpk({"locate"});
  EXPECT_EQ(game.string() + "\tSteam\t" + prefix.string() + "\n", text.out) << text.err;

  const auto json = RunZpk({"locate", "--json"});
  EXPECT_EQ(0, json.exitCode) << json.err;
  const nlohmann::json folder = {{"folder", game.string()}, {"prefix", prefix.string()}, {"launcher", "Steam"}};
  EXPECT_EQ(nlohmann::json({{"folders", nlohmann::json::array({folder})}}), nlohmann::json::parse(json.out));

  // The archive's name as the game's files have it on Windows, in any case.
  const auto list = RunZpk({"list", "--game", "data.zpk"});
  EXPECT_NE(std::string::npos, list.out.find("gfx\\ship.bmp")) << list.out << list.err;
  const auto out = home / "out";
  const auto extract = RunZpk({"extract", "--game", "-C", out.string(), "DATA.ZPK"});
  EXPECT_TRUE(fs::is_regular_file(out / "gfx/ship.bmp")) << extract.err;
  const auto find = RunZpk({"find", "--game", "*.BMP", "-i"});
  EXPECT_EQ(0, find.exitCode) << find.err;
  EXPECT_EQ((game / "DATA.ZPK").string() + ":1:gfx\\ship.bmp\n", find.out);
  EXPECT_EQ(2, RunZpk({"find", "--game", "*", game.string()}).exitCode);
}

}  // namespace
