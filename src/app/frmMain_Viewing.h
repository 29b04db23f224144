// The five commands on the chosen resource ("View HEX", "View Picture", "View TXT", "Play",
// "Save as...") and the Options page of frmMain. Created after the window and before its
// Form_Load, so that the check boxes' handlers see start-up set them; it connects itself
// to the window's controls and lives as the window's child.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>

#include "launch/ViewingCommands.h"
#include "options/ViewerOptions.h"
#include "platform/FileDialogs.h"
#include "platform/Launcher.h"

namespace zpk::app {

class frmMain;

class frmMainViewing : public QObject {
  Q_OBJECT
 public:
  // copies: the run's temporary copies, which outlive the window.
  frmMainViewing(frmMain& window, platform::FileDialogs& fileDialogs,
                 platform::Launcher& launcher, launch::TemporaryCopies& copies);

  // The chosen resource copied out: to the temporary folder, or with SaveAsDlg to a file
  // chosen in the save dialog. The copy's full path, or "".
  QString SaveResToFile(bool SaveAsDlg);

  void btnViewHEX_Click();
  void btnViewPIC_Click();
  void btnViewTXT_Click();
  void btnPlay_Click();
  void btnSaveAs_Click();
  void btnChoose_Click(std::int16_t index) { options_.btnChoose_Click(index); }
  void cbStdViewer_Click() { options_.cbStdViewer_Click(); }
  void cbStdText_Click() { options_.cbStdText_Click(); }

 private:
  void Connect();
  // The commands with the window's services and its title as it is now.
  launch::ViewingCommands Commands();

  frmMain& window_;
  options::DialogServices dialogs_;
  platform::Launcher& launcher_;
  launch::TemporaryCopies& copies_;
  options::ViewerOptions options_;
};

}  // namespace zpk::app
