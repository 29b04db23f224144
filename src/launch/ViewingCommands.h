// The five commands on the chosen resource: view it in the hex editor, picture viewer or
// text viewer, play it with the desktop's associated program, or save it to a chosen file.
//
// A view command copies the resource to the temporary folder, starts the viewer with the
// copy's file name as its one argument and the temporary folder as working folder, and
// waits for the viewer's process while letting the window's events run; another command
// started meanwhile runs nested inside that wait, and closing the window ends every wait
// at once. A named viewer's copy is deleted when the viewer has ended; a copy handed to
// the desktop's opener stays, as the opener ends at once and the program it picks reads
// the file later: TemporaryCopies removes it when the run ends.
#pragma once

#include <QString>
#include <functional>

#include "launch/TemporaryCopies.h"
#include "platform/Launcher.h"
#include "platform/WindowSystem.h"

namespace zpk::launch {

struct ViewingServices {
  platform::WindowSystem& window;
  platform::Launcher& launcher;
  // SaveResToFile for the chosen resource, with the window's current state.
  std::function<QString(bool saveAsDlg)> saveResToFile;
  QString versionTitle;
  TemporaryCopies& copies;
  // True once the window has been closed: no viewer is waited for any longer.
  std::function<bool()> windowClosed;
};

// The parameter text that hands the copy's file name to a viewer as one argument. A name
// beginning with "-" is given as "./name" so that no viewer takes it for an option.
QString ViewerArgument(const QString& fileName, bool quoted);

class ViewingCommands {
 public:
  explicit ViewingCommands(ViewingServices services) : services_(std::move(services)) {}

  // The viewer texts as the Options page shows them (trimmed here) and whether its
  // "Use system default" box is ticked.
  void ViewHex(const QString& hexEditor);
  void ViewPicture(const QString& picViewer, bool useSystemDefault);
  void ViewText(const QString& txtViewer, bool useSystemDefault);
  void Play();
  void SaveAs();

 private:
  void ViewWith(const QString& viewer, bool useSystemDefault, const char* missingText);
  void View(const QString& program);

  ViewingServices services_;
};

}  // namespace zpk::launch
