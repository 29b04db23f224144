// Creates a demo installation of the game: a "Tidewater" folder with archives that show
// everything the viewer and the zpk tool deal with, good and bad. The output is the same,
// byte for byte, on every run.
//
//   make_demo [TARGET_FOLDER]     (default: ./demo) -> TARGET_FOLDER/Tidewater/*.zpk
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "writer/ArchiveWriter.h"
#include "writer/SampleData.h"

namespace fs = std::filesystem;
using zpk::tools::ArchiveWriter;
using zpk::tools::ToBytes;
using zpk::tools::WriterEntry;

namespace {

std::string Padded(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}

ArchiveWriter MainArchive() {
  ArchiveWriter w(Padded("TIDEWATER RESOURCE PACK 1.0", 256));
  w.Add("gfx/units/ship.bmp", zpk::tools::MakeBmp(96, 64));
  w.Add("gfx/ui/compass.bmp", zpk::tools::MakeBmp(32, 32));
  w.Add("sfx/bell.wav", zpk::tools::MakeWav(700));
  w.Add("text/readme.txt",
        "Tidewater demo archive\r\n"
        "This archive was made for trying out the ZPK viewer.\r\n"
        "Every resource in it is stored unchanged.\r\n");
  w.Add("text/ship log.txt", "Day 1: calm sea.\r\nDay 2: storm from the west.\r\n");
  w.Add("   music/theme.wav", zpk::tools::MakeWav(300));  // leading spaces in the name
  // Bink videos begin with "BIK"; the rest is filler, no player will take it.
  std::string bik = "BIKi";
  bik.append(60, '\0');
  w.Add("video/intro.bik", bik);
  w.Add("data/packed.dat",
        zpk::tools::MakeZlibStored(ToBytes("Packed game data: this stream starts 0x78 0x01.")));
  w.Add("text/notes.txt", "First notes.txt of the archive.\r\n");
  w.Add("text/notes.txt", "Second notes.txt: same name, other bytes.\r\n");
  // An entry at position 0: its data is the start of the header.
  WriterEntry header;
  header.name = "misc/header.bin";
  header.pos = 0;
  header.len = 64;
  w.Add(header);
  w.Add("misc/README", "A resource without any extension.\n");
  w.Add("music/theme.mp3", "ID3 fake mp3 data");
  return w;
}

ArchiveWriter MapsArchive() {
  ArchiveWriter w(Padded("TIDEWATER MAPS", 256));
  for (int i = 1; i <= 40; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "maps/sector_%02d.txt", i);
    char text[96];
    std::snprintf(text, sizeof text, "Sector %d\r\nDepth: %d fathoms\r\n", i, 10 + i * 3);
    w.Add(name, text);
  }
  return w;
}

ArchiveWriter TruncatedArchive() {
  // The header claims 12 entries; the file ends after the third.
  ArchiveWriter w(Padded("TIDEWATER PATCH", 256));
  w.Add("patch/a.txt", "");
  w.Add("patch/b.txt", "");
  w.Add("patch/c.txt", "");
  w.SetCount(12);
  return w;
}

bool WriteArchive(const fs::path& path, const ArchiveWriter& writer) {
  if (writer.WriteFile(path)) return true;
  std::fprintf(stderr, "make_demo: can't write '%s'\n", path.string().c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path root = argc > 1 ? fs::path(argv[1]) : fs::path("demo");
  const fs::path folder = root / "Tidewater";
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) {
    std::fprintf(stderr, "make_demo: can't create '%s': %s\n", folder.string().c_str(),
                 ec.message().c_str());
    return 1;
  }
  bool ok = WriteArchive(folder / "data.zpk", MainArchive());
  ok = WriteArchive(folder / "maps.zpk", MapsArchive()) && ok;
  ok = WriteArchive(folder / "empty.zpk", ArchiveWriter(Padded("EMPTY", 256))) && ok;
  ok = WriteArchive(folder / "patch.zpk", TruncatedArchive()) && ok;
  {
    std::ofstream zero(folder / "zero.zpk", std::ios::binary | std::ios::trunc);
    ok = static_cast<bool>(zero) && ok;
  }
  if (!ok) return 1;
  std::printf("%s\n", folder.string().c_str());
  return 0;
}
