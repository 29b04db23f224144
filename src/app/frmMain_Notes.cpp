// The notes of the chosen archive: loaded into txtZPKNotes when an archive is chosen,
// saved when another is chosen and when the window closes, but only when the user has
// edited them since, so that notes never change on their own.
#include <QPlainTextEdit>
#include <QTextDocument>

#include "app/NotesFile.h"
#include "app/QtPathText.h"
#include "app/frmMain.h"

namespace zpk::app {

namespace {
// The box's text with its line breaks as LF. The document's raw text keeps characters
// such as the no-break space that the plain-text view would turn into blanks.
QString NotesBoxText(const QPlainTextEdit& box) {
  QString text = box.document()->toRawText();
  text.replace(QChar::ParagraphSeparator, u'\n');
  text.replace(QChar::LineSeparator, u'\n');
  return text;
}
}  // namespace

void frmMain::txtZPKNotes_Change() {
  if (!settingNotesText_) notesChanged_ = true;
}

void frmMain::SetNotesText(const QString& text) {
  settingNotesText_ = true;
  txtZPKNotes->setPlainText(text);
  settingNotesText_ = false;
}

bool frmMain::SaveNotes() {
  if (!notesChanged_) return true;
  const std::filesystem::path path = NotesFilePath(services_.notesFolder, currentArchivePath_);
  auto written = WriteTextFile(path, NotesBoxText(*txtZPKNotes));
  services_.windowSystem.ProcessPendingEvents();
  if (written) {
    notesChanged_ = false;
    return true;
  }
  services_.windowSystem.Beep();
  services_.windowSystem.ShowMessage(
      QStringLiteral("The notes can't be saved to \"%1\": %2")
          .arg(FromFsPath(path), written.error()),
      platform::MsgIcon::Exclamation, versionTitle_);
  return false;
}

void frmMain::LoadNotes() {
  SetNotesText(ReadTextFile(NotesFilePath(services_.notesFolder, currentArchivePath_)));
  notesChanged_ = false;
}

}  // namespace zpk::app
