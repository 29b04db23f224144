#include "launch/ViewingCommands.h"

#include <QFile>

#include "launch/ShellOpen.h"
#include "launch/clsExecProg.h"
#include "platform/CommandLine.h"
#include "util/PathUtils.h"

namespace zpk::launch {

namespace {

QString TrimSpaces(const QString& text) {
  return QString::fromStdString(std::string(util::TrimSpaces(text.toStdString())));
}

}  // namespace

QString ViewerArgument(const QString& fileName, bool quoted) {
  const QString name = fileName.startsWith('-') ? "./" + fileName : fileName;
  if (!quoted) return name;
  return QString::fromStdString(platform::QuoteArgument(name.toStdString()));
}

void ViewingCommands::ViewHex(const QString& hexEditor) {
  ViewWith(hexEditor, false, "Click on 'Options...' to choose your favorite HEX Editor...");
}

void ViewingCommands::ViewPicture(const QString& picViewer, bool useSystemDefault) {
  ViewWith(picViewer, useSystemDefault,
           "Click on 'Options...' to choose your favorite PIC viewer...");
}

void ViewingCommands::ViewText(const QString& txtViewer, bool useSystemDefault) {
  ViewWith(txtViewer, useSystemDefault,
           "Click on 'Options...' to choose your favorite TXT viewer...");
}

void ViewingCommands::ViewWith(const QString& viewer, bool useSystemDefault,
                               const char* missingText) {
  const QString program = TrimSpaces(viewer);
  if (program.isEmpty() && !useSystemDefault) {
    services_.window.Beep();
    services_.window.ShowMessage(missingText, platform::MsgIcon::Exclamation, "Oops ;)");
    return;
  }
  View(program);
}

void ViewingCommands::View(const QString& program) {
  const QString copy = services_.saveResToFile(false);
  if (copy.isEmpty()) return;
  const std::string copyText = copy.toStdString();
  const QString fileName = QString::fromStdString(util::GetFileName(copyText));
  const QString folder =
      QString::fromStdString(util::StripBackslash(util::GetFilePath(copyText)));

  const bool named = !program.isEmpty();
  bool startFailed = false;
  bool sawItEnd = false;
  {
    const auto launcher = services_.copies.Watching(services_.launcher, copy);
    clsExecProg exec(*launcher);
    exec.ProgName(program);
    // A named viewer gets a command-line text, split into arguments; the opener gets the
    // document itself.
    exec.ProgParas(ViewerArgument(fileName, named));
    exec.WorkDir(folder);
    exec.ExecProg();
    startFailed = exec.EPError();
    if (!startFailed) {
      while (exec.IsRunning()) {
        services_.window.ProcessPendingEvents();
        // The viewer runs on with its copy, which goes at the end of the run if the viewer
        // has ended by then, else at a later start.
        if (services_.windowClosed && services_.windowClosed()) return;
      }
      // An opener that ended refusing the copy failed as much as a viewer that did not
      // start. Any other failed poll means there was no process to wait for: the viewer may
      // still be about to read the copy.
      startFailed = exec.OpenerRefused();
      sawItEnd = !exec.EPError();
    }
  }
  if (startFailed) {
    services_.window.Beep();
    services_.window.ShowMessage("Can't view '" + copy + "' - choose another type of viewing...",
                                 platform::MsgIcon::Exclamation, services_.versionTitle);
  }
  if (startFailed || (named && sawItEnd)) QFile::remove(copy);
}

void ViewingCommands::Play() {
  const QString copy = services_.saveResToFile(false);
  if (copy.isEmpty()) return;
  const auto launcher = services_.copies.Watching(services_.launcher, copy);
  ShellOpen(copy, services_.window, *launcher);
}

void ViewingCommands::SaveAs() { services_.saveResToFile(true); }

}  // namespace zpk::launch
