#include "DialogTestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QAbstractButton>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <memory>

#include "dialogs/WriteLog.h"
#include "dialogs/modMsgBoxEx.h"
#include "util/Language.h"

namespace zpk::test {

namespace {

constexpr int kPollMs = 10;
constexpr int kGiveUpMs = 5000;

void Poll(std::shared_ptr<std::function<void(QDialog&)>> action, int waitedMs) {
  auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  // The user meets the dialog when it is up and active, as its activation handler has run.
  if (dialog == nullptr || !dialog->isVisible() || !dialog->isActiveWindow()) {
    if (waitedMs >= kGiveUpMs) {
      ADD_FAILURE() << "no modal dialog appeared";
      return;
    }
    QTimer::singleShot(kPollMs, [action, waitedMs] { Poll(action, waitedMs + kPollMs); });
    return;
  }
  QPointer<QDialog> guard(dialog);
  (*action)(*dialog);
  QTimer::singleShot(kGiveUpMs, [guard] {
    if (guard && guard->isVisible()) {
      ADD_FAILURE() << "the dialog stayed open after the test's action";
      guard->reject();
    }
  });
}

}  // namespace

void WhenModalShown(std::function<void(QDialog&)> action) {
  auto shared = std::make_shared<std::function<void(QDialog&)>>(std::move(action));
  QTimer::singleShot(0, [shared] { Poll(shared, 0); });
}

void Click(QWidget& dialog, const char* name) {
  QTest::mouseClick(&Child<QAbstractButton>(dialog, name), Qt::LeftButton);
}

void ProcessEvents() {
  QApplication::processEvents();
  QApplication::sendPostedEvents();
  QApplication::processEvents();
}

void DialogGlobalsTest::SetUp() {
  util::LanguageIndex = 0;
  dialogs::ForceLog = false;
  dialogs::LogFileName.clear();
  dialogs::LogFolder.clear();
  dialogs::MsgBoxExResult = 0;
  dialogs::InpBoxExResult.clear();
}

void DialogGlobalsTest::TearDown() { SetUp(); }

}  // namespace zpk::test
