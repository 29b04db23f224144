// Choosing an archive in lstZPKFiles: notes of the archive left saved, the new archive's
// notes, date, size, identification and entry count shown, its directory read into the
// entry table and listed, and its first resource chosen.
#include <QFileInfo>
#include <QLabel>

#include "app/ChoiceList.h"
#include "app/EntryListModel.h"
#include "app/NumberFormat.h"
#include "app/QtPathText.h"
#include "app/frmMain.h"
#include "archive/Catalogue.h"
#include "archive/Cp1252.h"
#include "util/PathUtils.h"

namespace zpk::app {

void frmMain::lstZPKFiles_Click() {
  platform::WindowSystem& windowSystem = services_.windowSystem;
  windowSystem.SetBusy(true);
  windowSystem.ProcessPendingEvents();

  // Notes that could not be saved stay in the box, with the archive they belong to still
  // chosen, so that the user can copy them or save them once the folder is writable again.
  if (!SaveNotes()) {
    if (shownArchiveRow_ >= 0) lstZPKFiles->SetListIndex(shownArchiveRow_, false);
    windowSystem.SetBusy(false);
    windowSystem.ProcessPendingEvents();
    return;
  }
  shownArchiveRow_ = lstZPKFiles->ListIndex();
  const QString archivePath = ChosenArchivePath();
  currentArchivePath_ = archivePath;
  LoadNotes();

  ShowArchiveDate(archivePath);
  ShowCatalogue(archivePath);
  lstZPKRes->SetListIndex(0);  // inspects the first resource; nothing for an empty list

  windowSystem.SetBusy(false);
  windowSystem.ProcessPendingEvents();
  if (!isLoading_) windowSystem.Beep();
}

void frmMain::ShowArchiveDate(const QString& archivePath) {
  // A file that is gone leaves the label as it was.
  const QFileInfo info(archivePath);
  const QDateTime modified = info.lastModified();
  if (info.exists() && modified.isValid()) lblZPKDate->setText(FormatFileDate(modified));
}

void frmMain::ShowCatalogue(const QString& archivePath) {
  // An archive that can't be opened or read counts as empty: 0 bytes, no identification,
  // no entries. The core bounds the header's count by what the file holds, so a damaged
  // count costs nothing; the label still shows the count as stored.
  // The previous archive's table goes first, so that two directories never share memory.
  entries_->Replace({});
  // A read error inside the directory keeps the header and the entries read before it.
  archive::Catalogue catalogue;
  if (auto file = archive::ArchiveFile::Open(ToFsPath(archivePath))) {
    catalogue = archive::ReadCatalogueSoFar(*file).catalogue;
  }
  lblZPKSize->setText(FormatSizeKb(catalogue.fileSize));
  entryCount_ = catalogue.header.EntryCount;
  // Spaces go at both ends only: the text stays whole past a NUL (and its NUL padding),
  // although the label draws it only up to the first NUL.
  const std::string id(util::TrimSpaces(catalogue.header.ID));
  lblZPKID->setText(QString::fromStdString(archive::Cp1252ToUtf8(id)));
  lblZPKEntries->setText(QString::number(entryCount_));
  entries_->Replace(std::move(catalogue.entries));
}

}  // namespace zpk::app
