#include "DialogTestSupport.h"

#include <QApplication>
#include <QAbstractButton>
#include <QTest>

#include "dialogs/WriteLog.h"
#include "dialogs/modMsgBoxEx.h"
#include "util/Language.h"

namespace zpk::test {

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
