#include "app/frmMain_Viewing.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/frmMain.h"
#include "launch/ResourceExtraction.h"

namespace zpk::app {

namespace {

std::array<options::ViewerRow, 3> OptionRows(frmMain& w) {
  return {{{w.Label9, w.txtHEXEditor, w.btnChoose[0], nullptr},
           {w.lblPICViewerTXT, w.txtPICViewer, w.btnChoose[1], w.cbStdViewer},
           {w.lblTXTViewerTXT, w.txtTXTViewer, w.btnChoose[2], w.cbStdText}}};
}

}  // namespace

frmMainViewing::frmMainViewing(frmMain& window, platform::FileDialogs& fileDialogs,
                               platform::Launcher& launcher, launch::TemporaryCopies& copies)
    : QObject(&window),
      window_(window),
      dialogs_{fileDialogs, window.Services().windowSystem},
      launcher_(launcher),
      copies_(copies),
      options_(OptionRows(window), window.Services().settings, dialogs_,
               [&window] { return window.IsLoading(); }) {
  Connect();
}

void frmMainViewing::Connect() {
  connect(window_.btnViewHEX, &QPushButton::clicked, this, &frmMainViewing::btnViewHEX_Click);
  connect(window_.btnViewPIC, &QPushButton::clicked, this, &frmMainViewing::btnViewPIC_Click);
  connect(window_.btnViewTXT, &QPushButton::clicked, this, &frmMainViewing::btnViewTXT_Click);
  connect(window_.btnPlay, &QPushButton::clicked, this, &frmMainViewing::btnPlay_Click);
  connect(window_.btnSaveAs, &QPushButton::clicked, this, &frmMainViewing::btnSaveAs_Click);
  for (std::int16_t i = 0; i < 3; ++i) {
    connect(window_.btnChoose[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
            [this, i] { btnChoose_Click(i); });
  }
  // toggled also comes when start-up sets a box to a value other than its current one.
  connect(window_.cbStdViewer, &QCheckBox::toggled, this, &frmMainViewing::cbStdViewer_Click);
  connect(window_.cbStdText, &QCheckBox::toggled, this, &frmMainViewing::cbStdText_Click);
}

launch::ViewingCommands frmMainViewing::Commands() {
  return launch::ViewingCommands({window_.Services().windowSystem, launcher_,
                                  [this](bool saveAsDlg) { return SaveResToFile(saveAsDlg); },
                                  window_.VersionTitle(), copies_,
                                  [this] { return window_.WasClosed(); }});
}

QString frmMainViewing::SaveResToFile(bool SaveAsDlg) {
  const auto& services = window_.Services();
  const launch::ExtractionInputs inputs{
      window_.ChosenEntry(),
      window_.ChosenArchivePath(),
      QString::fromStdU16String(copies_.Folder().u16string()),
      services.settings,
      dialogs_,
      window_.VersionTitle(),
  };
  return launch::SaveResToFile(inputs, SaveAsDlg);
}

void frmMainViewing::btnViewHEX_Click() { Commands().ViewHex(window_.txtHEXEditor->text()); }

void frmMainViewing::btnViewPIC_Click() {
  Commands().ViewPicture(window_.txtPICViewer->text(), window_.cbStdViewer->isChecked());
}

void frmMainViewing::btnViewTXT_Click() {
  Commands().ViewText(window_.txtTXTViewer->text(), window_.cbStdText->isChecked());
}

void frmMainViewing::btnPlay_Click() { Commands().Play(); }

void frmMainViewing::btnSaveAs_Click() { Commands().SaveAs(); }

}  // namespace zpk::app
