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
    const QRect rect = list.visualRect(model.index(row, 0));
    QTest::mouseClick(list.viewport(), button, {}, rect.center());
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

TEST_F(ChoiceListTest, ClickChoosesOnce) {
  Click(2);
  EXPECT_EQ(Choices(), std::vector<int>{2});
  EXPECT_EQ(list.ListIndex(), 2);
  EXPECT_EQ(list.ChosenText(), QStringLiteral("gamma"));
}

TEST_F(ChoiceListTest, ClickOnTheChosenEntryChoosesAgain) {
  Click(1);
  Click(1);
  EXPECT_EQ(Choices(), (std::vector<int>{1, 1}));
}

TEST_F(ChoiceListTest, KeyboardMovesChoose) {
  list.setFocus();
  Click(0);
  QTest::keyClick(&list, Qt::Key_Down);
  QTest::keyClick(&list, Qt::Key_Down);
  QTest::keyClick(&list, Qt::Key_End);
  EXPECT_EQ(Choices(), (std::vector<int>{0, 1, 2, 3}));
}

TEST_F(ChoiceListTest, ProgramChoiceRaisesTheEvent) {
  EXPECT_TRUE(list.SetListIndex(3));
  EXPECT_TRUE(list.SetListIndex(3));
  EXPECT_EQ(Choices(), (std::vector<int>{3, 3}));
  EXPECT_EQ(list.ListIndex(), 3);
}

TEST_F(ChoiceListTest, ProgramChoiceOutsideTheListFailsSilently) {
  EXPECT_FALSE(list.SetListIndex(4));
  EXPECT_FALSE(list.SetListIndex(-1));
  model.setStringList({});
  EXPECT_FALSE(list.SetListIndex(0));
  EXPECT_TRUE(Choices().empty());
}

TEST_F(ChoiceListTest, RefillingTheListChoosesNothing) {
  list.SetListIndex(1);
  spy.clear();
  model.setStringList({"one", "two"});
  EXPECT_TRUE(Choices().empty());
  EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(ChoiceListTest, RightButtonChoosesNothing) {
  Click(2, Qt::RightButton);
  EXPECT_TRUE(Choices().empty());
  EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(ChoiceListTest, DoubleClickAddsNoChoice) {
  Click(1);
  const QRect rect = list.visualRect(model.index(1, 0));
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, rect.center());
  EXPECT_EQ(Choices(), std::vector<int>{1});
}

TEST_F(ChoiceListTest, TakingTheFocusChoosesNothing) {
  list.setFocus();
  QTest::keyClick(&list, Qt::Key_Tab);
  EXPECT_TRUE(Choices().empty());
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.ChosenText(), QString());
}

TEST_F(ChoiceListTest, ClickBelowTheEntriesChoosesNothing) {
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(10, 190));
  EXPECT_TRUE(Choices().empty());
}

}  // namespace
}  // namespace zpk::app
