// Names the rows of a table test after the row's `name` member, for INSTANTIATE_TEST_SUITE_P.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace zpk::test {

struct RowName {
  template <class Row>
  std::string operator()(const testing::TestParamInfo<Row>& row) const {
    return std::string(row.param.name);
  }
};

}  // namespace zpk::test
