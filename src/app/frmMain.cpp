#include "app/frmMain.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include "app/ChoiceList.h"
#include "app/EntryListModel.h"
#include "app/LinkLabel.h"
#include "app/QtPathText.h"

namespace zpk::app {

frmMain::frmMain(frmMainServices services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)) {
  setObjectName(QStringLiteral("frmMain"));
  BuildLayout();
  archiveNames_ = new QStringListModel(this);
  lstZPKFiles->setModel(archiveNames_);
  entries_ = new EntryListModel(this);
  lstZPKRes->setModel(entries_);
  ConnectHandlers();
}

frmMain::~frmMain() = default;

void frmMain::ConnectHandlers() {
  connect(lstZPKFiles, &ChoiceList::choiceMade, this, [this] { lstZPKFiles_Click(); });
  connect(lstZPKRes, &ChoiceList::choiceMade, this, [this] { lstZPKRes_Click(); });
  connect(txtZPKNotes, &QPlainTextEdit::textChanged, this, &frmMain::txtZPKNotes_Change);
  connect(btnDone, &QPushButton::clicked, this, &frmMain::btnDone_Click);
  connect(btnChoosePath, &QPushButton::clicked, this, &frmMain::btnChoosePath_Click);
  connect(lblCopyRightMH, &LinkLabel::clicked, this, &frmMain::lblCopyRightMH_Click);
  connect(lblCopyRightQuill, &LinkLabel::clicked, this, &frmMain::lblCopyRightQuill_Click);
  connect(regMain, &QTabWidget::currentChanged, this, &frmMain::ShowPageSurface);
}

QString frmMain::InstallFolder() const { return lblInstallPath->text(); }

QString frmMain::ChosenArchivePath() const {
  return AddBackslash(lblInstallPath->text()) + lstZPKFiles->ChosenText();
}

const archive::EntryTable& frmMain::Entries() const { return entries_->Table(); }

std::optional<archive::ArchiveEntry> frmMain::ChosenEntry() const {
  const int row = lstZPKRes->ListIndex();
  if (row < 0) return std::nullopt;
  return Entries().Slot(static_cast<std::int64_t>(row) + 1);
}

void frmMain::closeEvent(QCloseEvent* event) {
  // Notes that can't be saved would be gone with the window: the first close after a failed
  // save is refused, so that the text can still be copied or saved once the folder is
  // writable again. Closing again with nothing typed since lets them go; the user was told.
  const QString notes = txtZPKNotes->toPlainText();
  if (!SaveNotes() && refusedCloseNotes_ != notes) {
    refusedCloseNotes_ = notes;
    services_.windowSystem.ShowMessage(
        QStringLiteral("The window stays open so that the notes aren't lost. Close it once more "
                       "to leave without them."),
        platform::MsgIcon::Exclamation, versionTitle_);
    event->ignore();
    return;
  }
  wasClosed_ = true;
  event->accept();
}

}  // namespace zpk::app
