// The main window: a tab control with the pages "View ZPKs" and "Options" (and the
// hidden "Tab 2"), the two credit lines and "Done". Construction builds every control in
// its design-time state; Form_Load fills them and finds the installation folder.
//
// The handlers live in files by concern: frmMain_Startup.cpp (start-up, "Done", credit
// lines, closing), frmMain_InstallFolder.cpp, frmMain_Catalogue.cpp (choosing an
// archive), frmMain_ResourceInfo.cpp (choosing a resource), frmMain_Notes.cpp. The viewing
// commands and the Options page connect their own handlers to the public controls after
// construction and before Form_Load (the check boxes' handlers must see start-up set them).
#pragma once

#include <QString>
#include <QStringListModel>
#include <QWidget>
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "app/ImageList.h"
#include "archive/EntryTable.h"
#include "archive/Records.h"
#include "platform/FolderPicker.h"
#include "platform/Registry.h"
#include "platform/SettingsStore.h"
#include "platform/WindowSystem.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace zpk::app {

class ChoiceList;
class EntryListModel;
class LinkLabel;

// Everything the window takes from outside, handed in at construction.
struct frmMainServices {
  platform::WindowSystem& windowSystem;
  platform::SettingsStore& settings;
  platform::Registry& registry;
  platform::FolderPicker& folderPicker;
  // Where the notes files live (NotesFolder of the program's folder).
  std::filesystem::path notesFolder;
  // Opens a web address with the system's browser (the credit lines).
  std::function<void(const QString& address)> openAddress;
  // Logical resolution for converting twips; 0 takes the screen's.
  double logicalDpi = 0;
  // An archive named on the command line: start-up takes its folder as the installation
  // folder for this run only (never saved) and chooses it instead of the first archive.
  QString startArchive;
};

class frmMain : public QWidget {
  Q_OBJECT
 public:
  explicit frmMain(frmMainServices services, QWidget* parent = nullptr);
  ~frmMain() override;

  // Start-up: fills every control from the settings, finds the installation folder and
  // loads the first archive. False when no folder is known and the user cancelled the
  // folder dialog: the window must not be shown and the program ends.
  bool Form_Load();

  // --- State shared with the other handlers ------------------------------------------
  const QString& VersionTitle() const { return versionTitle_; }
  bool IsLoading() const { return isLoading_; }
  // True when the notes box was edited since its text was last loaded or saved.
  bool NotesChanged() const { return notesChanged_; }
  const QString& CurrentArchivePath() const { return currentArchivePath_; }
  // The installation folder as lblInstallPath shows it, with its trailing separator.
  QString InstallFolder() const;
  // The chosen archive's path: the installation folder and the chosen lstZPKFiles name.
  QString ChosenArchivePath() const;
  // The program-wide entry table of the archive loaded last; slot p + 1 belongs to list
  // position p of lstZPKRes.
  const archive::EntryTable& Entries() const;
  // The header's entry count of the archive loaded last, as stored.
  std::int32_t EntryCount() const { return entryCount_; }
  // A copy of the chosen resource's entry; nothing when no resource is chosen.
  std::optional<archive::ArchiveEntry> ChosenEntry() const;
  const frmMainServices& Services() const { return services_; }
  // True once the window has been closed (by "Done" or the close box).
  bool WasClosed() const { return wasClosed_; }
  const ImageList& ilIcons() const { return ilIcons_; }

  // --- Handlers --------------------------------------------------------------------
  void lstZPKFiles_Click();
  void lstZPKRes_Click();
  void txtZPKNotes_Change();
  void btnDone_Click();
  void btnChoosePath_Click();
  void lblCopyRightMH_Click();
  void lblCopyRightQuill_Click();
  // False when edited notes could not be written (the user has been told).
  bool SaveNotes();
  void LoadNotes();

  // --- Controls ----------------------------------------------------------------------
  QTabWidget* regMain = nullptr;
  // Page "View ZPKs"
  QLabel* Label1 = nullptr;
  QLabel* lblInstallPath = nullptr;
  QPushButton* btnChoosePath = nullptr;
  QFrame* Line1 = nullptr;
  QLabel* Label2 = nullptr;
  ChoiceList* lstZPKFiles = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* lblZPKSize = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* lblZPKDate = nullptr;
  QLabel* Label7 = nullptr;
  QLabel* lblZPKID = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* lblZPKEntries = nullptr;
  QLabel* Label8 = nullptr;
  QPlainTextEdit* txtZPKNotes = nullptr;
  QLabel* Label3 = nullptr;
  ChoiceList* lstZPKRes = nullptr;
  QLabel* imgEncrypted = nullptr;
  QLabel* lblHint = nullptr;
  QPushButton* btnPlay = nullptr;
  QPushButton* btnViewTXT = nullptr;
  QPushButton* btnViewPIC = nullptr;
  QPushButton* btnViewHEX = nullptr;
  QPushButton* btnSaveAs = nullptr;
  QLabel* lblResInfos = nullptr;
  // Page "Options"
  QLabel* Label9 = nullptr;
  QLineEdit* txtHEXEditor = nullptr;
  std::array<QPushButton*, 3> btnChoose{};  // 0 hex editor, 1 picture viewer, 2 text viewer
  QLabel* lblPICViewerTXT = nullptr;
  QLineEdit* txtPICViewer = nullptr;
  QCheckBox* cbStdViewer = nullptr;
  QLabel* lblTXTViewerTXT = nullptr;
  QLineEdit* txtTXTViewer = nullptr;
  QCheckBox* cbStdText = nullptr;
  // Outside the tab control
  LinkLabel* lblCopyRightMH = nullptr;
  LinkLabel* lblCopyRightQuill = nullptr;
  QPushButton* btnDone = nullptr;

 protected:
  // The frame's close box saves the notes as "Done" does.
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildLayout();
  void SetTabOrder();
  void ConnectHandlers();
  // The tab control's page surfaces: page controls are placed on them in the tab
  // control's own coordinates, so a control may reach into the band of tabs.
  QWidget* AddPage(const QString& caption);
  void ShowPageSurface(int page);

  // Start-up, steps that find the installation folder; nothing when the user cancelled.
  std::optional<QString> FindInstallFolder();
  void FillArchiveList(const QString& folder);
  void SetCheckBoxFromSetting(QCheckBox* box, const QString& key);

  void ShowArchiveDate(const QString& archivePath);
  void ShowCatalogue(const QString& archivePath);
  void ShowVerdict(bool encrypted, bool playable);
  void SetNotesText(const QString& text);

  frmMainServices services_;
  ImageList ilIcons_;
  QString versionTitle_;
  bool isLoading_ = false;
  bool wasClosed_ = false;
  // The notes text of the last close refused because they could not be saved.
  std::optional<QString> refusedCloseNotes_;
  bool notesChanged_ = false;
  QString currentArchivePath_;
  int shownArchiveRow_ = -1;  // the lstZPKFiles row whose archive is shown
  std::int32_t entryCount_ = 0;
  bool settingNotesText_ = false;
  QStringListModel* archiveNames_ = nullptr;
  EntryListModel* entries_ = nullptr;
  std::vector<QWidget*> pageSurfaces_;
};

}  // namespace zpk::app
