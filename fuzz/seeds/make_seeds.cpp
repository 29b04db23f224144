// Writes the seed corpora of the fuzz targets, one folder per target, from our own archive
// writer and sample texts, so that no binary seed needs to be kept in the repository.
//
//   make_seeds OUTPUT_FOLDER    -> OUTPUT_FOLDER/<target>/<seed>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <type_traits>
#include <vector>

#include "writer/ArchiveWriter.h"
#include "writer/SampleData.h"

namespace fs = std::filesystem;
using zpk::tools::ArchiveWriter;
using zpk::tools::RangedEntry;
using zpk::tools::WriterEntry;

namespace {

bool WriteSeed(const fs::path& folder, const std::string& name, const std::string& bytes) {
  std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

bool WriteArchive(const fs::path& folder, const std::string& name, const ArchiveWriter& writer) {
  const auto bytes = writer.Bytes();
  return WriteSeed(folder, name, std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool ArchiveSeeds(const fs::path& folder) {
  bool ok = true;
  ArchiveWriter small("SMALL");
  small.Add("a.txt", "abc").Add("gfx/b.bmp", zpk::tools::MakeBmp(4, 4)).Add("c", "");
  ok = WriteArchive(folder, "small", small) && ok;

  ArchiveWriter packed("PACKED");
  packed.Add("data/packed.dat", zpk::tools::MakeZlibStored(zpk::tools::ToBytes("zlib")));
  packed.Add("sfx/x.wav", zpk::tools::MakeWav(5));
  ok = WriteArchive(folder, "packed", packed) && ok;

  ArchiveWriter hostile("HOSTILE");
  hostile.Add(RangedEntry("negpos", -1, 4)).Add(RangedEntry("neglen", 0, -4));
  hostile.Add(RangedEntry("beyond", 300, INT_MAX)).Add(RangedEntry("at-zero", 0, 64));
  hostile.Add(RangedEntry("edge", INT_MAX - 1, 1)).Add("ok.txt", "ok");
  WriterEntry noNul;
  noNul.rawNameField = std::string(256, 'n');
  hostile.Add(noNul);
  ok = WriteArchive(folder, "hostile", hostile) && ok;

  ArchiveWriter tooMany("TOO MANY");
  tooMany.Add("one", "1").Add("two", "2").SetCount(INT_MAX);
  ok = WriteArchive(folder, "count-max", tooMany) && ok;
  ArchiveWriter negative("NEGATIVE");
  negative.Add("one", "1").SetCount(-1);
  ok = WriteArchive(folder, "count-negative", negative) && ok;
  ok = WriteArchive(folder, "empty", ArchiveWriter("EMPTY")) && ok;
  ok = WriteSeed(folder, "short", "ZPK") && ok;
  return ok;
}

// A text as FuzzedDataProvider::ConsumeRandomLengthString reads it back: every backslash
// doubled, ended by a backslash and one more character.
std::string ProviderString(const std::string& text) {
  std::string out;
  for (const char c : text) {
    out += c;
    if (c == '\\') out += c;
  }
  return out + "\\;";
}

// The key path the registry targets look up, then the file's text.
bool WriteRegistrySeed(const fs::path& folder, const std::string& name, const std::string& key,
                       const std::string& text) {
  return WriteSeed(folder, name, ProviderString(key) + text);
}

bool WineRegistrySeeds(const fs::path& folder) {
  const std::string uninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tidewater";
  const std::string header = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n#arch=win64\n\n";
  bool ok = WriteRegistrySeed(folder, "uninstall", uninstallKey,
                      header +
                          "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Tidewater] 1700000000\n"
                          "#time=1d9a0b0c0d0e0f0\n"
                          "\"DisplayName\"=\"Tidewater\"\n"
                          "\"InstallLocation\"=\"C:\\\\Games\\\\Tidewater\\\\\"\n"
                          "\"EstimatedSize\"=dword:0001f400\n"
                          "@=\"default\"\n");
  ok = WriteRegistrySeed(folder, "types", "software\\TYPES",
                 header +
                     "[Software\\\\Types] 1\n"
                     "\"Expand\"=str(2):\"%SystemRoot%\\\\system32\"\n"
                     "\"Multi\"=hex(7):41,00,00,00,42,00,00,00,00,00\n"
                     "\"Blob\"=hex:01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,\\\n"
                     "  14,15,16\n"
                     "\"Escapes\"=\"tab\\there \\x00e9 \\101 \\\"quoted\\\" \\[x\\]\"\n") &&
       ok;
  ok = WriteRegistrySeed(folder, "user", "Software\\Microsoft",
                 "WINE REGISTRY Version 2\r\n;; All keys relative to \\\\User\\\\S-1-5-21\r\n\r\n"
                 "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell Folders] 1\r\n"
                 "\"Personal\"=\"C:\\\\users\\\\me\\\\Documents\"\r\n") &&
       ok;
  ok = WriteRegistrySeed(folder, "broken", "Unclosed", header + "[Unclosed\n\"a\"=\"no end\n\"b\"=hex:0g\n") && ok;
  return ok;
}

// A signed number as FuzzedDataProvider::ConsumeIntegral reads it from the end of the
// input: offset by the type's minimum, least significant byte first.
template <typename T>
std::string ProviderNumber(T value) {
  using U = std::make_unsigned_t<T>;
  U raw = static_cast<U>(static_cast<U>(value) ^ (U{1} << (sizeof(T) * 8 - 1)));
  std::string bytes;
  for (std::size_t i = 0; i < sizeof(T); ++i, raw >>= 8) bytes += static_cast<char>(raw & 0xFF);
  return bytes;
}

// Tags, each followed by the numbers the tags target reads from the end of its input:
// position, page count and language.
bool TagSeeds(const fs::path& folder) {
  const char* tags[] = {"Hilfe||Help|", "Abbrechen||Cancel|",
                        "Diese Meldung nicht mehr anzeigen||Don't show this message again|",
                        "~Datei|Tipp|~File|Tip", "Seite 1|Seite 2|Seite 3|Page 1|Page 2|Page 3",
                        "!", "", "no bar", "A|B", "|||"};
  bool ok = true;
  int n = 0;
  for (const char* tag : tags) {
    for (const std::int32_t language : {0, 1}) {
      const std::string seed = tag + ProviderNumber<std::int64_t>(1) +
                               ProviderNumber<std::int64_t>(3) + ProviderNumber(language);
      ok = WriteSeed(folder, "tag-" + std::to_string(n++), seed) && ok;
    }
  }
  return ok;
}

bool FilterSeeds(const fs::path& folder) {
  const char* filters[] = {"EXE files (*.exe)|*.exe|Alle Dateien (*.*)|*.*",
                           "EXE files (*.exe)|*.exe", "All files (*.*)|*.*", "", "|", "a||b",
                           "odd|count|three", "|||x|||", "Bilder (*.bmp;*.png)|*.bmp;*.png|"};
  bool ok = true;
  int n = 0;
  for (const char* filter : filters) ok = WriteSeed(folder, "filter-" + std::to_string(n++), filter) && ok;
  return ok;
}

// Parameter texts as the viewers get them, and the awkward quoting cases.
bool CommandLineSeeds(const fs::path& folder) {
  const char* texts[] = {"ship.bmp", "\"ship log.txt\"", "\"C:\\Program Files\\viewer.exe\" /x",
                         "a\\\\\"b c\" d", "\"unclosed quote", "\"\"", "say \"\"hi\"\" \\\"x\\\"",
                         "trailing\\ tab\there"};
  bool ok = true;
  int n = 0;
  for (const char* text : texts) ok = WriteSeed(folder, "command-" + std::to_string(n++), text) && ok;
  return ok;
}

// Entry names as archives store them, good and hostile.
bool ExtractNameSeeds(const fs::path& folder) {
  const std::string names[] = {"gfx/units/ship.bmp", "   music/theme.wav", "text\\ship log.txt",
                               "../../etc/passwd", "/abs/path", "\\\\server\\share\\x",
                               "C:\\boot.ini", "file.txt:stream", "a/./b//c/", "tab\tname",
                               std::string(256, 'n'), "caf\xe9 \x80\x81\x9d.txt", "..", ".",
                               std::string("nul\0inside", 11)};
  bool ok = true;
  int n = 0;
  for (const auto& name : names) ok = WriteSeed(folder, "name-" + std::to_string(n++), name) && ok;
  return ok;
}

// Notes: an even first byte makes the rest a notes file, an odd one a UTF-16 text.
bool NotesSeeds(const fs::path& folder) {
  const std::string files[] = {"abc\r\n", "", "a\r\nb\r\n", "caf\xe9 \x80\x81\r\n", "a\rb\r\n",
                               "a\r\r\n", "no end", "\n\n", "\r\n\r\n"};
  bool ok = true;
  int n = 0;
  for (const auto& file : files) ok = WriteSeed(folder, "file-" + std::to_string(n++), '\0' + file) && ok;
  const std::u16string texts[] = {u"first\nsecond", u"a\r\nb\n", u"\u20AC \u00E9 \u4E2D\U0001F600",
                                  u"\xDC00\xD800x\r", u"\n"};
  for (const auto& text : texts) {
    std::string bytes = "\x01";
    for (const char16_t unit : text) {
      bytes += static_cast<char>(unit & 0xFF);
      bytes += static_cast<char>(unit >> 8);
    }
    ok = WriteSeed(folder, "text-" + std::to_string(n++), bytes) && ok;
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_seeds OUTPUT_FOLDER\n");
    return 2;
  }
  const fs::path root = argv[1];
  struct Target {
    const char* name;
    bool (*write)(const fs::path&);
  };
  const Target targets[] = {
      {"archive_fuzzer", ArchiveSeeds},
      {"extract_name_fuzzer", ExtractNameSeeds},
      {"wine_registry_fuzzer", WineRegistrySeeds},
      {"registry_scan_fuzzer", WineRegistrySeeds},
      {"tags_fuzzer", TagSeeds},
      {"filter_fuzzer", FilterSeeds},
      {"cmdline_fuzzer", CommandLineSeeds},
      {"notes_fuzzer", NotesSeeds},
  };
  bool ok = true;
  for (const auto& target : targets) {
    std::error_code ec;
    fs::create_directories(root / target.name, ec);
    ok = target.write(root / target.name) && ok;
  }
  if (!ok) std::fprintf(stderr, "make_seeds: can't write every seed into '%s'\n", argv[1]);
  return ok ? 0 : 1;
}
