// The Qt file dialog as the platform sets it up from a request (configured, never shown).
#include <gtest/gtest.h>

#include <QFileDialog>

#include "platform/FileDialogs.h"
#include "support/TempDir.h"

namespace {

using namespace zpk::platform;

QString Pairs(std::initializer_list<const char*> pieces) {
  QString text;
  for (const char* p : pieces) text += QString(p) + QChar(0);
  return text + QChar(0);
}

struct NameFilterCase {
  const char* name;
  QString pairs;
  QStringList expected;
};

class NameFiltersTest : public ::testing::TestWithParam<NameFilterCase> {};

TEST_P(NameFiltersTest, PairsBecomeQtNameFilters) {
  EXPECT_EQ(NameFiltersFromPairs(GetParam().pairs), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NameFiltersTest,
    ::testing::Values(
        NameFilterCase{"Empty", QString(), {}},
        NameFilterCase{"AllFilesMeansEveryName",
                       Pairs({"EXE files (*.exe)", "*.exe", "Alle Dateien (*.*)", "*.*"}),
                       {"EXE files (*.exe) (*.exe)", "Alle Dateien (*.*) (*)"}},
        NameFilterCase{"SeveralPatterns", Pairs({"Pictures", "*.bmp;*.png"}),
                       {"Pictures (*.bmp *.png)"}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ConfigureFileDialog, SaveDialogAsksBeforeReplacing) {
  zpk::test::TempDir dir;
  FileDialogInfo info;
  info.title = "Save ressource as:";
  info.initialFolder = QString::fromStdString(dir.path().string());
  info.fileName = "ship.bmp";
  info.filter = Pairs({"Alle Dateien (*.*)", "*.*"});
  info.filterIndex = 1;
  info.flags = kOfnOverwritePrompt | kOfnHideReadOnly | kOfnLongNames;
  QFileDialog dialog;
  ConfigureFileDialog(dialog, info, true);
  EXPECT_EQ(dialog.windowTitle(), "Save ressource as:");
  EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
  EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile);
  EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
  EXPECT_EQ(QDir(dialog.directory()).canonicalPath(),
            QString::fromStdString(std::filesystem::canonical(dir.path()).string()));
  EXPECT_EQ(dialog.nameFilters(), QStringList{"Alle Dateien (*.*) (*)"});
  EXPECT_EQ(dialog.defaultSuffix(), QString());
}

TEST(ConfigureFileDialog, OpenDialogTakesOnlyExistingFilesAndSelectsTheFilter) {
  FileDialogInfo info;
  info.title = "PIC Viewer:";
  info.defaultExtension = ".exe";
  info.filter = Pairs({"EXE files (*.exe)", "*.exe", "Alle Dateien (*.*)", "*.*"});
  info.filterIndex = 2;
  info.flags = kOfnHideReadOnly | kOfnFileMustExist | kOfnExplorer | kOfnLongNames;
  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  ConfigureFileDialog(dialog, info, false);
  EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
  EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
  EXPECT_EQ(dialog.defaultSuffix(), QString());  // "eog" is not "eog.exe"
  EXPECT_EQ(dialog.selectedNameFilter(), "Alle Dateien (*.*)");
  info.filterIndex = 1;
  ConfigureFileDialog(dialog, info, false);
  EXPECT_EQ(dialog.selectedNameFilter(), "EXE files (*.exe)");
}

}  // namespace
