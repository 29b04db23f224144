// The file types of a request as the Qt file dialog takes them; the dialog itself is shown
// on real folders by the options tests.
#include <gtest/gtest.h>

#include <QFileDialog>

#include "platform/FileDialogs.h"
#include "support/RowName.h"

namespace {

using namespace zpk::platform;

QString Pairs(std::initializer_list<const char*> pieces) {
  QString text;
  for (const char* p : pieces) text += QString(p) + QChar(0);
  return text + QChar(0);
}

struct NameFilterCase {
  const char* name;
  QString pairs;
  QStringList expected;
};

class NameFiltersTest : public ::testing::TestWithParam<NameFilterCase> {};

TEST_P(NameFiltersTest, PairsBecomeQtNameFilters) {
  EXPECT_EQ(NameFiltersFromPairs(GetParam().pairs), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NameFiltersTest,
    ::testing::Values(
        NameFilterCase{"AllFilesMeansEveryName",
                       Pairs({"EXE files (*.exe)", "*.exe", "Alle Dateien (*.*)", "*.*"}),
                       {"EXE files (*.exe) (*.exe)", "Alle Dateien (*.*) (*)"}},
        NameFilterCase{"SeveralPatterns", Pairs({"Pictures", "*.bmp;*.png"}),
                       {"Pictures (*.bmp *.png)"}}), zpk::test::RowName());

}  // namespace
