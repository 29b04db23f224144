// The folder of the viewer's temporary copies, and keeping it from growing.
//
// Every copy handed to a viewer, a player or the desktop's opener lives in one folder of
// the viewer's own below the system's temporary folder. A run removes, when it ends, the
// copies it made whose viewers have ended (a named viewer's copy already goes when its
// viewer ends); copies whose viewer still ran then go at a later start, once older than a
// day. Only regular files directly in that folder are ever removed: never a link, a folder
// or anything outside it.
#pragma once

#include <QString>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "platform/Launcher.h"

namespace zpk::launch {

// "<temporary folder>/tidewater-zpk-viewer-<user id>" (without the user id on Windows,
// whose temporary folder is the user's own).
std::filesystem::path CopyFolderBelow(const std::filesystem::path& temporaryFolder);

// Makes the copy folder when missing, readable by its owner only. False (with the reason)
// when it can't be made, or when what is there is not a folder of this user's (a link, a
// file, someone else's folder): no copy may then be written into it.
bool PrepareCopyFolder(const std::filesystem::path& folder, std::string& why);

class TemporaryCopies {
 public:
  // The start of a run: removes the copies that were last written before now less a day.
  explicit TemporaryCopies(
      std::filesystem::path folder,
      std::filesystem::file_time_type now = std::filesystem::file_time_type::clock::now());
  // The end of the run: removes the copies it handed out whose viewers have all ended.
  ~TemporaryCopies();
  TemporaryCopies(const TemporaryCopies&) = delete;
  TemporaryCopies& operator=(const TemporaryCopies&) = delete;

  const std::filesystem::path& Folder() const { return folder_; }

  // A launcher that starts through `launcher` and counts each process it starts as a
  // viewer of `copy` (a file in Folder()).
  std::unique_ptr<platform::Launcher> Watching(platform::Launcher& launcher, const QString& copy);

 private:
  friend class WatchingLauncher;
  // Removes the path when it is a regular file directly in the folder.
  void RemoveCopy(const std::filesystem::path& path) const;

  std::filesystem::path folder_;
  std::map<std::filesystem::path, std::vector<std::shared_ptr<platform::LaunchedProcess>>> viewers_;
};

}  // namespace zpk::launch
