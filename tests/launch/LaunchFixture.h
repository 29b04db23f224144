// A test installation for the extraction and viewing tests: an archive written by the
// project's writer, a temporary folder whose copy folder receives the copies, a real
// settings file, a recording window system, scripted file dialogs, and the fake viewer as
// the desktop's opener.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <filesystem>
#include <string>

#include "archive/ArchiveFile.h"
#include "archive/Catalogue.h"
#include "launch/ResourceExtraction.h"
#include "launch/TemporaryCopies.h"
#include "platform/Launcher.h"
#include "support/IniSettingsStore.h"
#include "support/RecordingWindowSystem.h"
#include "support/ScriptedFileDialogs.h"
#include "support/TempDir.h"
#include "support/ViewerLog.h"
#include "writer/ArchiveWriter.h"

namespace zpk::test {

namespace fs = std::filesystem;

inline QString Q(const fs::path& p) { return QString::fromStdString(p.string()); }

class LaunchFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(dir_ / "tmp");
    archivePath_ = dir_ / "game" / "res.zpk";
    fs::create_directory(dir_ / "game");
  }

  // Writes the archive and reads its catalogue back.
  void WriteArchive(const tools::ArchiveWriter& writer) {
    ASSERT_TRUE(writer.WriteFile(archivePath_));
    auto file = archive::ArchiveFile::Open(archivePath_);
    ASSERT_TRUE(file);
    auto catalogue = archive::ReadCatalogue(*file);
    ASSERT_TRUE(catalogue);
    catalogue_ = std::move(*catalogue);
  }

  launch::ExtractionInputs MakeInputs(std::optional<archive::ArchiveEntry> chosen) {
    return launch::ExtractionInputs{chosen, Q(archivePath_), Q(TempFolder()), settings_,
                                    {dialogs_, window_}, "Tidewater ZPK Viewer 1.0"};
  }

  // The chosen entry as the window hands it in: list position p is slot p + 1.
  std::optional<archive::ArchiveEntry> Chosen(int position) {
    if (position < 0) return std::nullopt;
    return catalogue_.entries.Slot(position + 1);
  }

  // The copy folder, below the test's own temporary folder dir_/tmp.
  fs::path TempFolder() const { return launch::CopyFolderBelow(dir_ / "tmp"); }
  std::vector<ViewerRun> Runs(RunsOf which = RunsOf::All) const {
    return ReadViewerLog(viewer_.log(), which);
  }

  TempDir dir_;
  FakeViewerEnv viewer_{dir_ / "viewer.log"};
  fs::path archivePath_;
  archive::Catalogue catalogue_;
  IniSettingsStore settings_{dir_ / "config" / "settings.conf"};
  RecordingWindowSystem window_;
  ScriptedFileDialogs dialogs_;
};

}  // namespace zpk::test
