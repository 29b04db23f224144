// What `extract --manifest` needs beyond the extraction itself: where the manifest may go,
// and whether the archive is laid out so that `create --manifest` can rebuild it byte for
// byte (header, directory, then the data of each entry in directory order, nothing after).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "cli/OpenArchive.h"

namespace zpk::cli {

// Why a manifest at manifest can't describe files extracted below folder, if it can't.
std::optional<std::string> ManifestPlaceProblem(const std::filesystem::path& manifest,
                                                const std::filesystem::path& folder,
                                                const std::filesystem::path& archive);

// The first reason why create would not give back these exact bytes, if there is one.
std::optional<std::string> WhyNotRebuildable(const OpenedArchive& archive);

}  // namespace zpk::cli
