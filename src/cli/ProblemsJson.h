// The "problems" array that zpk check and zpk info write in their JSON output.
#pragma once

#include <nlohmann/json.hpp>

#include "cli/ArchiveCheck.h"

namespace zpk::cli {

inline nlohmann::ordered_json ProblemsJson(const std::vector<Problem>& problems) {
  auto array = nlohmann::ordered_json::array();
  for (const auto& problem : problems) {
    nlohmann::ordered_json item;
    item["kind"] = ProblemKindName(problem.kind);
    if (problem.index) item["index"] = problem.index;
    item["message"] = problem.message;
    array.push_back(std::move(item));
  }
  return array;
}

}  // namespace zpk::cli
