// The list boxes raise exactly one choice event per choice, however it is made, and none
// when the list is cleared or refilled.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QStringListModel>
#include <QTest>

#include "app/ChoiceList.h"

namespace zpk::app {
namespace {

class ChoiceListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    model.setStringList({"alpha", "beta", "gamma", "delta"});
    list.setModel(&model);
    list.resize(200, 200);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
  }
  void Click(int row, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(list.viewport(), button, {}, list.visualRect(model.index(row, 0)).center());
  }
  std::vector<int> Choices() const {
    std::vector<int> rows;
    for (const auto& args : spy) rows.push_back(args.at(0).toInt());
    return rows;
  }

  QStringListModel model;
  ChoiceList list;
  QSignalSpy spy{&list, &ChoiceList::choiceMade};
};

// Focus, a right click and a click below the rows choose nothing; refilling the list
// clears the choice without an event.
TEST_F(ChoiceListTest, EveryClickKeyAndProgramChoiceRaisesOneEvent) {
  list.setFocus();
  QTest::keyClick(&list, Qt::Key_Tab);
  EXPECT_EQ(list.ListIndex(), -1);  // before a click below the rows clears the list
  Click(2, Qt::RightButton);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(10, 190));  // below the rows
  EXPECT_TRUE(Choices().empty());
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.ChosenText(), QString());
  Click(2);
  EXPECT_EQ(list.ListIndex(), 2);
  EXPECT_EQ(list.ChosenText(), QStringLiteral("gamma"));
  Click(2);  // the chosen entry again
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(model.index(2, 0)).center());
  Click(1, Qt::RightButton);
  list.setFocus();
  QTest::keyClick(&list, Qt::Key_Up);
  QTest::keyClick(&list, Qt::Key_End);
  EXPECT_TRUE(list.SetListIndex(0));
  EXPECT_TRUE(list.SetListIndex(0));
  EXPECT_FALSE(list.SetListIndex(4));
  EXPECT_FALSE(list.SetListIndex(-1));
  EXPECT_EQ(list.ListIndex(), 0);
  model.setStringList({"one", "two"});
  EXPECT_EQ(list.ListIndex(), -1);
  model.setStringList({});
  EXPECT_FALSE(list.SetListIndex(0));
  EXPECT_EQ(Choices(), (std::vector<int>{2, 2, 1, 3, 0, 0}));
}

}  // namespace
}  // namespace zpk::app
