#include "options/FileDialogWrappers.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>
#include <fstream>

#include "support/ModalDialog.h"
#include "support/RecordingWindowSystem.h"
#include "support/ScriptedFileDialogs.h"
#include "support/TempDir.h"
#include "util/Language.h"

namespace {

using namespace zpk;
using options::ConvertFilter;

// "a|b" style text with NUL for "|", so that expectations stay readable.
QString Nul(QString text) { return text.replace('|', QChar(0)); }

// The pieces become NUL-ended strings, in pairs, empty pieces dropped before pairing.
TEST(ConvertFilter, PiecesBecomeNulEndedStrings) {
  const std::pair<QString, QString> rows[] = {  // "|" stands for NUL in the results
      {"|||", ""}, {"Pictures|*.bmp|Texts", "Pictures|*.bmp|Texts|*.*||"},
      {"|A||*.a|||B|*.b|", "A|*.a|B|*.b||"}, {" | ", " | ||"}};
  for (const auto& [filter, expected] : rows) {
    EXPECT_EQ(ConvertFilter(filter), Nul(expected)) << filter.toStdString();
  }
}

class DialogWrappersTest : public ::testing::Test {
 protected:
  void TearDown() override { util::LanguageIndex = 0; }
  test::ScriptedFileDialogs dialogs_;
  test::RecordingWindowSystem window_;
  options::DialogServices services_{dialogs_, window_};
};

// Qt's own dialog on a real folder: it opens over the active window where it was asked
// to, offers the caller's types and all files, and asks before replacing the file chosen
// (which only a save dialog asks).
TEST_F(DialogWrappersTest, SaveDialogAsksBeforeReplacingARealFile) {
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  test::TempDir dir;
  std::ofstream(dir / "ship.bmp") << "BM";
  const QString file = QString::fromStdString((dir / "ship.bmp").string());
  QWidget owner;
  window_.activeWindow = &owner;
  const auto qtDialogs = platform::CreateQtFileDialogs();
  QString asked;
  test::WhenModalShown([&](QDialog& shown) {
    auto& d = static_cast<QFileDialog&>(shown);
    EXPECT_EQ(d.windowTitle(), "Save ressource as:");
    EXPECT_EQ(d.parentWidget(), &owner);
    EXPECT_EQ(d.nameFilters(), (QStringList{"Pictures (*.bmp)", "Alle Dateien (*.*) (*)"}));
    EXPECT_EQ(d.selectedNameFilter(), "Alle Dateien (*.*)");
    EXPECT_EQ(d.selectedFiles(), QStringList{file});
    test::WhenModalShown([&](QDialog& box) {
      asked = static_cast<QMessageBox&>(box).text();
      static_cast<QMessageBox&>(box).button(QMessageBox::Yes)->click();
    });
    QMetaObject::invokeMethod(&d, "accept");  // the Save button
  });
  EXPECT_EQ(options::ShowSaveDialog({*qtDialogs, window_}, "Save ressource as",
                                    QString::fromStdString(dir.path().string()) + "/", "",
                                    "ship.bmp", "Pictures|*.bmp", 2),
            file);
  EXPECT_TRUE(asked.contains("already exists")) << asked.toStdString();
  EXPECT_EQ(window_.eventRounds, 2);
}

// A title gets a colon unless it ends with one; the all-files entry is German for language
// 0 only (the real dialog above shows both in German).
TEST_F(DialogWrappersTest, TitleColonAndTheAllFilesEntryOfTheLanguage) {
  util::LanguageIndex = 1;
  options::ShowSaveDialog(services_, "a: b", "", "", "", "", 1);
  util::LanguageIndex = -7;
  options::ShowOpenDialog(services_, "PIC Viewer:", "", "", "", "A|*.a");
  ASSERT_EQ(dialogs_.calls.size(), 2u);
  EXPECT_EQ(dialogs_.calls[0].info.title, "a: b:");
  EXPECT_EQ(dialogs_.calls[0].info.filter, Nul("All files (*.*)|*.*||"));
  EXPECT_EQ(dialogs_.calls[1].info.filter, Nul("A|*.a|All files (*.*)|*.*||"));
}

}  // namespace
