// Copying the chosen resource out of its archive into a file of its own, for the viewing
// commands (a temporary copy in the viewer's copy folder, see TemporaryCopies.h) and for
// "Save as..." (a file the user picks). The caller hands in what the window knows at that moment.
//
// Every copy is written under a temporary name and renamed into place when complete, in
// chunks of bounded size, so a failed copy never leaves a partial file nor damages the
// file it was to replace. A temporary copy already in place is used again only when it
// holds exactly the chosen resource's bytes.
#pragma once

#include <QString>
#include <optional>

#include "archive/Records.h"
#include "options/FileDialogWrappers.h"
#include "platform/SettingsStore.h"

namespace zpk::launch {

struct ExtractionInputs {
  std::optional<archive::ArchiveEntry> chosen;  // copy of the chosen entry; none: nothing chosen
  QString archivePath;    // full path of the chosen archive
  QString copyFolder;     // the folder of the temporary copies (CopyFolderBelow)
  platform::SettingsStore& settings;
  options::DialogServices services;  // the save dialog, messages, busy pointer, events
  QString versionTitle;              // title of the failure messages
};

// The resource's file name without its folders, as a file-system name.
QString ResourceFileName(const archive::ArchiveEntry& entry);

// The full path of the copy written, or "" when nothing was chosen, the dialog was
// cancelled, or the copy failed (the user has then been told why).
QString SaveResToFile(const ExtractionInputs& inputs, bool SaveAsDlg);

}  // namespace zpk::launch
