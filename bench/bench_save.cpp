// Saves a 1 GiB resource with "Save as..." (SaveResToFile with a scripted dialog) and
// compares, in the same run, with `cp` of a file holding the same bytes.
//
//   bench_save [WORK_FOLDER] [MIB]
//
// The archive is generated once into WORK_FOLDER (default: /tmp/zpk-bench). Each save runs
// in a child process of its own, so that its peak memory is not the generator's; the
// targets are deleted after each run, and the page cache is warm for both contestants.
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "BenchSupport.h"
#include "archive/ArchiveFile.h"
#include "archive/Catalogue.h"
#include "archive/CopyOut.h"
#include "launch/ResourceExtraction.h"

namespace fs = std::filesystem;
using namespace zpk::bench;

namespace {

// Services that ask nobody: the dialog answers with the target, the rest does nothing.
class Answering : public zpk::platform::FileDialogs, public zpk::platform::WindowSystem,
                  public zpk::platform::SettingsStore {
 public:
  explicit Answering(QString target) : target_(std::move(target)) {}
  QString ShowSave(QWidget*, const zpk::platform::FileDialogInfo&) override { return target_; }
  QString ShowOpen(QWidget*, const zpk::platform::FileDialogInfo&) override { return {}; }
  void Beep() override {}
  void ShowMessage(const QString& text, zpk::platform::MsgIcon, const QString&) override {
    std::fprintf(stderr, "message: %s\n", text.toLocal8Bit().constData());
  }
  void SetBusy(bool) override {}
  void ProcessPendingEvents() override {}
  QWidget* ActiveWindow() override { return nullptr; }
  QString Read(const QString&, const QString& defaultValue) override { return defaultValue; }
  bool Write(const QString&, const QString&) override { return true; }

 private:
  QString target_;
};

int SaveOnce(const char* archivePath, const char* target, const char* copyFolder) {
  auto file = zpk::archive::ArchiveFile::Open(archivePath);
  if (!file) return 1;
  auto catalogue = zpk::archive::ReadCatalogue(*file);
  if (!catalogue) return 1;
  Answering services(QString::fromLocal8Bit(target));
  zpk::launch::ExtractionInputs inputs{catalogue->entries.Slot(1),
                                       QString::fromLocal8Bit(archivePath),
                                       QString::fromLocal8Bit(copyFolder),
                                       services,
                                       {services, services},
                                       "bench"};
  const long before = PeakKiB();
  const auto start = Clock::now();
  const QString saved = zpk::launch::SaveResToFile(inputs, true);
  const double ms = MsSince(start);
  if (saved.isEmpty()) return 1;
  std::printf("SaveResToFile: %.1f ms, peak RSS %.1f MiB (%.1f MiB before the save)\n", ms,
              PeakKiB() / 1024.0, before / 1024.0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], "--save") == 0) return SaveOnce(argv[2], argv[3], argv[4]);

  const fs::path work = argc > 1 ? fs::path(argv[1]) : fs::path("/tmp/zpk-bench");
  const long mib = argc > 2 ? std::atol(argv[2]) : 1024;
  fs::create_directories(work);
  const auto zpk = work / ("resource-" + std::to_string(mib) + "MiB.zpk");
  const auto same = work / "same-bytes.bin";
  if (!fs::exists(zpk)) {
    WriteManyResources(zpk, "BENCH", 1, mib * 1024 * 1024, [](long) { return "video/intro.bik"; });
  }
  {
    // The resource's bytes alone, for cp; written by the core's copy, checked below.
    auto file = zpk::archive::ArchiveFile::Open(zpk);
    auto catalogue = zpk::archive::ReadCatalogue(*file);
    if (!zpk::archive::FileHoldsResource(*file, *catalogue->entries.Slot(1), same).value_or(false)) {
      zpk::archive::CopyResourceToFile(*file, *catalogue->entries.Slot(1), same);
    }
  }
  std::printf("archive %s (%.1f MiB); resource %.1f MiB\n", zpk.c_str(),
              fs::file_size(zpk) / 1048576.0, fs::file_size(same) / 1048576.0);

  const auto saveTarget = work / "saved.bin";
  const auto cpTarget = work / "copied.bin";
  TimeCommand("cat '" + zpk.string() + "' '" + same.string() + "' > /dev/null");
  std::vector<double> saves, cps;
  for (int run = 0; run < 5; ++run) {
    std::fflush(stdout);
    // Dirty pages of the last run are written back first, so neither contestant pays for
    // the other's writing.
    TimeCommand("sync");
    saves.push_back(TimeCommand("'" + std::string(argv[0]) + "' --save '" + zpk.string() + "' '" +
                                saveTarget.string() + "' '" + work.string() + "'"));
    TimeCommand("sync");
    cps.push_back(TimeCommand("cp '" + same.string() + "' '" + cpTarget.string() + "'"));
    std::printf("  run %d: save (whole process) %.1f ms, cp %.1f ms\n", run + 1, saves.back(),
                cps.back());
    const bool equal = fs::file_size(saveTarget) == fs::file_size(same);
    fs::remove(saveTarget);
    fs::remove(cpTarget);
    if (!equal) {
      std::printf("saved file has the wrong size\n");
      return 1;
    }
  }
  std::sort(saves.begin(), saves.end());
  std::sort(cps.begin(), cps.end());
  const double save = saves[saves.size() / 2];
  const double cp = cps[cps.size() / 2];
  std::printf("median: save %.1f ms (%.0f MiB/s), cp %.1f ms (%.0f MiB/s): %.2fx cp's speed\n",
              save, mib * 1000.0 / save, cp, mib * 1000.0 / cp, cp / save);
  return 0;
}
