#include "launch/ResourceExtraction.h"

#include <filesystem>

#include "archive/ArchiveFile.h"
#include "archive/CopyOut.h"
#include "archive/Cp1252.h"
#include "launch/TemporaryCopies.h"
#include "util/PathUtils.h"

namespace zpk::launch {

namespace {

std::filesystem::path FsPath(const QString& text) {
  return std::filesystem::path(text.toStdU16String());
}

std::string Utf8(const QString& text) { return text.toStdString(); }
QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

bool IsReadFailure(archive::ErrorCode code) {
  return code != archive::ErrorCode::CantWrite && code != archive::ErrorCode::TargetExists;
}

}  // namespace

QString ResourceFileName(const archive::ArchiveEntry& entry) {
  return FromUtf8(
      util::GetFileName(archive::Cp1252ToUtf8(archive::ResourcePath(entry.Name))));
}

QString SaveResToFile(const ExtractionInputs& inputs, bool SaveAsDlg) {
  if (!inputs.chosen) return {};
  const archive::ArchiveEntry& entry = *inputs.chosen;
  platform::WindowSystem& window = inputs.services.window;

  const QString tempFolder = FromUtf8(util::AddBackslash(Utf8(inputs.copyFolder)));
  std::string notOurs;
  const bool folderReady = PrepareCopyFolder(FsPath(inputs.copyFolder), notOurs);
  // A name the file system can't hold (a long name in two-byte characters) is shortened,
  // keeping the extension that tells the viewer the type.
  const QString tempTarget =
      tempFolder + FromUtf8(util::FitFileName(Utf8(ResourceFileName(entry))));
  QString target = tempTarget;

  if (SaveAsDlg) {
    QString folder = inputs.settings.Read("LastResSave", QString());
    if (folder.isEmpty()) folder = FromUtf8(util::GetFilePath(Utf8(tempTarget)));
    const QString chosenPath =
        options::ShowSaveDialog(inputs.services, "Save ressource as:", folder, QString(),
                                FromUtf8(util::GetFileName(Utf8(tempTarget))), QString(), 1);
    if (chosenPath.isEmpty()) return {};
    // Remembered before the copy, whether the copy then succeeds or not.
    inputs.settings.Write("LastResSave",
                          FromUtf8(util::AddBackslash(util::GetFilePath(Utf8(chosenPath)))));
    target = chosenPath;
  } else if (folderReady) {
    // Resources of the same file name share one temporary copy; the one there is used
    // only when it holds this resource's bytes, else it is written afresh.
    if (auto archive = archive::ArchiveFile::Open(FsPath(inputs.archivePath))) {
      if (archive::FileHoldsResource(*archive, entry, FsPath(target)).value_or(false)) {
        return target;
      }
    }
  }

  window.SetBusy(true);
  window.ProcessPendingEvents();

  auto fail = [&](const char* prefix, const archive::Error& error) {
    window.Beep();
    window.ShowMessage(prefix + FromUtf8(archive::Describe(error)),
                       platform::MsgIcon::Exclamation, inputs.versionTitle);
    window.SetBusy(false);
    return QString();
  };

  // A copy folder that is not the viewer's own is never written into.
  if (!SaveAsDlg && !folderReady) {
    return fail("Ressource can't be saved temporarly: ",
                archive::Error{archive::ErrorCode::CantWrite, notOurs});
  }
  auto archive = archive::ArchiveFile::Open(FsPath(inputs.archivePath));
  if (!archive) return fail("Ressource can't be read: ", archive.error());
  archive::CopyOptions options;
  options.usersOwnFile = SaveAsDlg;
  if (auto copied = archive::CopyResourceToFile(*archive, entry, FsPath(target), options);
      !copied) {
    return fail(IsReadFailure(copied.error().code) ? "Ressource can't be read: "
                                                   : "Ressource can't be saved temporarly: ",
                copied.error());
  }

  window.SetBusy(false);
  window.ProcessPendingEvents();
  return target;
}

}  // namespace zpk::launch
