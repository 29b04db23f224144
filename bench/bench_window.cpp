// Loads a generated 1,000,000-entry archive through the main window's archive choice (the
// lstZPKFiles handler: labels, directory into the entry table, resource list filled and laid
// out, first resource probed) and compares it with the core's bare ReadCatalogue of the
// same file, in the same run.
//
//   bench_window [WORK_FOLDER] [ENTRIES]
//
// The archive is generated once into WORK_FOLDER/window-ENTRIES (default /tmp/zpk-bench).
// Each measurement runs in a child process of its own, so that its peak memory is its own.
// The window runs on Qt's offscreen platform with settings kept in memory: the user's
// settings are neither read nor written.
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

#include "BenchSupport.h"
#include "app/ChoiceList.h"
#include "app/frmMain.h"
#include "archive/Catalogue.h"

namespace fs = std::filesystem;
using namespace zpk::bench;

namespace {

class MemorySettings final : public zpk::platform::SettingsStore {
 public:
  QString Read(const QString& key, const QString& defaultValue) override {
    auto found = values.find(key);
    return found != values.end() ? found->second : defaultValue;
  }
  bool Write(const QString& key, const QString& value) override {
    values[key] = value;
    return true;
  }
  std::map<QString, QString> values;
};

// Counts what a user would have seen; never blocks.
class CountingWindowSystem final : public zpk::platform::WindowSystem {
 public:
  void Beep() override { ++beeps; }
  void ShowMessage(const QString& text, zpk::platform::MsgIcon, const QString&) override {
    std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
    ++messages;
  }
  void SetBusy(bool) override {}
  void ProcessPendingEvents() override { QApplication::processEvents(); }
  QWidget* ActiveWindow() override { return nullptr; }
  int beeps = 0;
  int messages = 0;
};

class NoRegistry final : public zpk::platform::Registry {
 public:
  std::expected<zpk::platform::RegData, zpk::platform::RegFailure> Query(
      zpk::platform::RegRoot, const QString&, const QString&) const override {
    return std::unexpected(zpk::platform::RegFailure{zpk::platform::RegFailure::Stage::OpenKey, 2});
  }
  std::optional<QString> ToLocalPath(const QString&) const override { return std::nullopt; }
};

class NoFolderPicker final : public zpk::platform::FolderPicker {
 public:
  QString PickFolder(QWidget*, const QString&, const QString&) override { return {}; }
};

int BareRead(const char* path) {
  const long before = PeakKiB();
  const auto start = Clock::now();
  auto catalogue = zpk::archive::ReadCatalogue(path);
  const double ms = MsSince(start);
  if (!catalogue) return 1;
  const long grown = PeakKiB() - before;
  std::printf("bare ReadCatalogue:      %8.1f ms   peak +%7.1f MiB  %6.1f bytes/entry  (%zu entries)\n",
              ms, grown / 1024.0, grown * 1024.0 / catalogue->entries.size(),
              catalogue->entries.size());
  return 0;
}

int WindowLoad(const char* folder, long count) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int argc = 1;
  char name[] = "bench_window";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  CountingWindowSystem windowSystem;
  MemorySettings settings;
  settings.values["InstallPath"] = QString::fromUtf8(folder) + u'/';
  NoRegistry registry;
  NoFolderPicker picker;
  zpk::app::frmMain window(zpk::app::frmMainServices{
      .windowSystem = windowSystem,
      .settings = settings,
      .registry = registry,
      .folderPicker = picker,
      .notesFolder = fs::path(folder),
      .openAddress = {},
      .logicalDpi = 96,
  });
  window.show();
  QApplication::processEvents();
  const long before = PeakKiB();

  // Start-up chooses the only archive: the choice handler runs inside Form_Load.
  auto start = Clock::now();
  if (!window.Form_Load()) return 1;
  const double startupMs = MsSince(start);
  const long grown = PeakKiB() - before;

  // A user's choice of the same archive: the handler alone, from click to list and probe.
  start = Clock::now();
  window.lstZPKFiles->SetListIndex(0);
  const double choiceMs = MsSince(start);

  const bool ok = window.lstZPKRes->ListCount() == count && window.lstZPKRes->ListIndex() == 0 &&
                  window.lblHint->text() == QStringLiteral("Probably Ok") && windowSystem.messages == 0;
  std::printf("window, start-up load:   %8.1f ms   peak +%7.1f MiB  %6.1f bytes/entry\n", startupMs,
              grown / 1024.0, grown * 1024.0 / count);
  std::printf("window, user's choice:   %8.1f ms   (list %d rows, first resource %s)\n", choiceMs,
              window.lstZPKRes->ListCount(), ok ? "probed" : "NOT PROBED");
  return ok ? 0 : 1;
}

int RunChild(const std::string& command) {
  std::fflush(stdout);
  return std::system(command.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--bare") == 0) return BareRead(argv[2]);
  if (argc == 4 && std::strcmp(argv[1], "--window") == 0) {
    return WindowLoad(argv[2], std::atol(argv[3]));
  }

  const fs::path work = argc > 1 ? fs::path(argv[1]) : fs::path("/tmp/zpk-bench");
  const long count = argc > 2 ? std::atol(argv[2]) : 1000000;
  const fs::path folder = work / ("window-" + std::to_string(count));
  const fs::path archive = folder / "directory.zpk";
  fs::create_directories(folder);
  // Two bytes of data each, so that the probe reads real bytes.
  if (!fs::exists(archive)) WriteManyResources(archive, "BENCH", count, 2, UnitName);
  std::printf("archive: %s (%.1f MiB, %ld entries)\n", archive.c_str(),
              fs::file_size(archive) / 1048576.0, count);

  RunChild("cat '" + archive.string() + "' > /dev/null");  // warm the page cache
  int failures = 0;
  for (int run = 0; run < 3; ++run) {
    failures += RunChild("'" + std::string(argv[0]) + "' --bare '" + archive.string() + "'") != 0;
    failures += RunChild("'" + std::string(argv[0]) + "' --window '" + folder.string() + "' " +
                         std::to_string(count)) != 0;
  }
  return failures == 0 ? 0 : 1;
}
