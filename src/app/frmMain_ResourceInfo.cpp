// Choosing a resource in lstZPKRes: the info line, the two-byte probe of its data with
// the verdict's icon and hint, and which viewing commands fit it.
#include <QLabel>
#include <QPushButton>

#include "app/ChoiceList.h"
#include "app/NumberFormat.h"
#include "app/QtPathText.h"
#include "app/frmMain.h"
#include "archive/Cp1252.h"
#include "archive/Probe.h"
#include "util/PathUtils.h"

namespace zpk::app {

namespace {

bool IsPlayable(const std::string& ext) { return ext == "MP3" || ext == "WAV" || ext == "BIK"; }

QString InfoLine(const QString& ext, std::int32_t pos, std::int32_t len) {
  return ext + QStringLiteral(", Pos: ") + FormatGrouped(pos) + QStringLiteral(" (") +
         FormatHex(pos) + QStringLiteral("), Len: ") + FormatGrouped(len) +
         QStringLiteral(" (") + FormatHex(len) + u')';
}

}  // namespace

void frmMain::lstZPKRes_Click() {
  platform::WindowSystem& windowSystem = services_.windowSystem;
  const std::optional<archive::ArchiveEntry> entry = ChosenEntry();
  if (!entry) {
    windowSystem.Beep();
    return;
  }

  const std::string path = archive::ResourcePath(entry->Name, '\\');
  const std::string ext = util::GetFileExt(path);
  lblResInfos->setText(
      InfoLine(QString::fromStdString(archive::Cp1252ToUtf8(ext)), entry->Pos, entry->Len));

  auto file = archive::ArchiveFile::Open(ToFsPath(ChosenArchivePath()));
  auto verdict = file ? archive::ProbeEntry(*file, *entry)
                      : std::expected<archive::Verdict, archive::Error>(
                            std::unexpected(file.error()));
  if (!verdict) {
    windowSystem.Beep();
    windowSystem.ShowMessage(QStringLiteral("Ressource can't be read: ") +
                                 QString::fromStdString(archive::Describe(verdict.error())),
                             platform::MsgIcon::Exclamation, versionTitle_);
    return;
  }
  ShowVerdict(*verdict == archive::Verdict::Encrypted, IsPlayable(ext));
}

void frmMain::ShowVerdict(bool encrypted, bool playable) {
  imgEncrypted->setPixmap(
      ilIcons_.Image(QString::fromLatin1(encrypted ? kIconWarn : kIconOk)));
  lblHint->setText(QString::fromUtf8(archive::VerdictText(
      encrypted ? archive::Verdict::Encrypted : archive::Verdict::ProbablyOk)));
  QPalette colours = lblHint->palette();
  colours.setColor(QPalette::WindowText, encrypted ? QColor(255, 0, 0) : QColor(0, 0, 255));
  lblHint->setPalette(colours);
  btnPlay->setEnabled(!encrypted && playable);
  btnViewTXT->setEnabled(!encrypted);
  btnViewPIC->setEnabled(!encrypted);
}

}  // namespace zpk::app
