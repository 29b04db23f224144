// Start-up (Form_Load), "Done" and the credit lines.
#include <algorithm>

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include "app/AppText.h"
#include "app/ChoiceList.h"
#include "app/LinkLabel.h"
#include "app/frmMain.h"

namespace zpk::app {

QString GetVersionText(int buildNumber) {
  QString title = QString::fromLatin1(kProgramName) + u' ' + QString::fromLatin1(kVersionLabel);
  if (buildNumber != 0) title += QStringLiteral(" (Build %1)").arg(buildNumber);
  return title;
}

namespace {
// The number at the start of a setting's text, as the settings were always read: blanks,
// an optional sign and digits; 0 when there is none, nothing when it is out of range.
std::optional<int> LeadingNumber(const QString& text) {
  qsizetype i = 0;
  while (i < text.size() && text[i] == u' ') ++i;
  const qsizetype start = i;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) ++i;
  while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128) ++i;
  bool ok = false;
  const int value = text.mid(start, i - start).toInt(&ok);
  if (!ok) return i - start <= 1 ? std::optional<int>(0) : std::nullopt;
  if (value < -32768 || value > 32767) return std::nullopt;
  return value;
}
}  // namespace

bool frmMain::Form_Load() {
  platform::SettingsStore& settings = services_.settings;
  versionTitle_ = GetVersionText();
  setWindowTitle(u' ' + versionTitle_);
  lblCopyRightMH->setText(QString::fromUtf8(kGameCreditLine));
  lblCopyRightQuill->setText(QString::fromUtf8(kAuthorCreditLine));
  isLoading_ = true;
  notesChanged_ = false;

  for (int page = 0; page < regMain->count(); ++page) {
    if (regMain->tabText(page).startsWith(QStringLiteral("Tab "))) {
      regMain->setTabVisible(page, false);
    }
  }
  regMain->setCurrentIndex(0);

  const std::optional<QString> folder = FindInstallFolder();
  if (!folder) return false;
  lblInstallPath->setText(*folder);

  FillArchiveList(*folder);
  // Loads the archive named on the command line, else the first, silently while loading.
  const QString startName = QFileInfo(services_.startArchive).fileName();
  lstZPKFiles->SetListIndex(
      startName.isEmpty() ? 0 : std::max(0, static_cast<int>(archiveNames_->stringList().indexOf(startName))));

  txtHEXEditor->setText(settings.Read(QString::fromLatin1(kKeyHexEditor), QString()));
  txtPICViewer->setText(settings.Read(QString::fromLatin1(kKeyPicViewer), QString()));
  SetCheckBoxFromSetting(cbStdViewer, QString::fromLatin1(kKeyStdPicViewer));
  txtTXTViewer->setText(settings.Read(QString::fromLatin1(kKeyTxtViewer), QString()));
  SetCheckBoxFromSetting(cbStdText, QString::fromLatin1(kKeyStdTxtViewer));

  isLoading_ = false;
  services_.windowSystem.ProcessPendingEvents();
  return true;
}

void frmMain::FillArchiveList(const QString& folder) {
  archiveNames_->setStringList({});
  // Ordinary files only (no folders, no hidden files), matched without regard to case as
  // the game's own platform does. Order: Windows' file search returns an NTFS folder's
  // names sorted without regard to case; Linux returns them in the file system's own order
  // (hash order on ext4), which changes with every copy of the folder, so Linux gets the
  // names sorted without regard to case too: the order the game's own platform shows, and
  // the same on every start.
  const QDir dir(folder);
  const QStringList names = dir.entryList({QStringLiteral("*.zpk")}, QDir::Files,
                                          QDir::Name | QDir::IgnoreCase);
  archiveNames_->setStringList(names);
}

void frmMain::SetCheckBoxFromSetting(QCheckBox* box, const QString& key) {
  const std::optional<int> value = LeadingNumber(services_.settings.Read(key, QStringLiteral("0")));
  // A check box holds 0 or 1; any other stored number leaves it as it is.
  if (value == 0 || value == 1) box->setChecked(*value == 1);
}

void frmMain::btnDone_Click() {
  // Closing saves the notes (closeEvent), as the close box does.
  close();
}

void frmMain::lblCopyRightMH_Click() {
  if (services_.openAddress) services_.openAddress(QString::fromLatin1(kGameWebAddress));
}

void frmMain::lblCopyRightQuill_Click() {
  if (services_.openAddress) services_.openAddress(QString::fromLatin1(kAuthorWebAddress));
}

}  // namespace zpk::app
