// Tidewater ZPK Viewer: shows the main window on the game's installation folder, found
// from its settings. One optional argument, an archive (as the desktop entry passes it),
// opens that archive's folder for this run and chooses it.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "app/frmMain.h"
#include "app/frmMain_Viewing.h"
#include "app/NotesFile.h"
#include "launch/ShellOpen.h"
#include "launch/TemporaryCopies.h"
#include "platform/FileDialogs.h"
#include "platform/Launcher.h"
#include "platform/QtFolderPicker.h"
#include "platform/QtSettingsStore.h"
#include "platform/QtWindowSystem.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QCoreApplication::setApplicationVersion(QStringLiteral(ZPK_VERSION));
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Looks into the resource archives of Tidewater."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("archive"),
                               QStringLiteral("An archive (*.zpk) to open, in its own folder."),
                               QStringLiteral("[archive]"));
  parser.process(application);
  const QStringList arguments = parser.positionalArguments();
  QString startArchive;
  if (arguments.size() > 1) parser.showHelp(2);
  if (arguments.size() == 1) {
    const QFileInfo archive(arguments[0]);
    // Only a file the archive list will show can be chosen in it.
    if (!archive.isFile() || archive.isHidden() ||
        !archive.fileName().endsWith(QStringLiteral(".zpk"), Qt::CaseInsensitive)) {
      std::fprintf(stderr, "tidewater-zpk-viewer: not an archive file (*.zpk): %s\n",
                   qUtf8Printable(arguments[0]));
      return 2;
    }
    startArchive = archive.absoluteFilePath();
  }
  // Stale copies go now, this run's copies whose viewers have ended when main returns.
  zpk::launch::TemporaryCopies copies(
      zpk::launch::CopyFolderBelow(QDir::tempPath().toStdU16String()));
  zpk::platform::QtWindowSystem windowSystem;
  zpk::platform::QtSettingsStore settings;
  const std::unique_ptr<zpk::platform::Registry> registry = zpk::platform::CreateSystemRegistry();
  zpk::platform::QtFolderPicker folderPicker;
  const std::unique_ptr<zpk::platform::FileDialogs> fileDialogs =
      zpk::platform::CreateQtFileDialogs();
  zpk::app::frmMain window(zpk::app::frmMainServices{
      .windowSystem = windowSystem,
      .settings = settings,
      .registry = *registry,
      .folderPicker = folderPicker,
      .notesFolder = zpk::app::NotesFolder(QCoreApplication::applicationDirPath().toStdU16String()),
      .openAddress = [&windowSystem](const QString& address) {
        zpk::launch::ShellOpen(address, windowSystem);
      },
      .logicalDpi = 0,
      .startArchive = startArchive,
  });
  // The resource buttons and the Options page connect themselves before start-up fills
  // the page; the window owns them.
  new zpk::app::frmMainViewing(window, *fileDialogs, zpk::platform::SystemLauncher(), copies);
  if (!window.Form_Load()) return 0;
  window.show();
  return application.exec();
}
