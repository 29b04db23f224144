// Reads an archive with the core the way the window and the zpk tool do (catalogue, probe,
// read and copy every entry) and checks every result against the file's own bytes. Used by
// the corruption and truncation sweeps of the test suite and by the archive fuzz target,
// so both hold the core to the same rules:
//
//   - the catalogue is exactly the header and the whole directory entries the file holds;
//   - a probe or copy of an entry either returns exactly the stored bytes or fails with
//     the error its range calls for; short data is never returned;
//   - a failed copy to a file leaves nothing behind; a good one leaves exactly the bytes;
//   - the archive itself is never changed.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace zpk::tools {

struct InvariantReport {
  std::vector<std::string> problems;  // empty when every rule held
  std::size_t entries = 0;            // directory entries read
  std::size_t inRange = 0;            // entries whose data lies inside the file
  std::size_t filesWritten = 0;       // successful copies to a file
};

struct InvariantOptions {
  // When not empty, every entry is also copied to a file in this folder, which must be
  // empty at the start and is empty again at the end.
  std::filesystem::path copyFolder;
  // How many in-range entries are copied to a file at most. Failed copies are always
  // tried; they cost nothing when they are rejected as they should be.
  std::size_t inRangeFileCopies = static_cast<std::size_t>(-1);
  // Stop checking after this many problems.
  std::size_t maxProblems = 8;
  // The file's bytes when the caller has them already (the fuzz target wrote them): they
  // are then not read back, neither at the start nor to see that nothing changed them.
  const std::vector<std::byte>* knownBytes = nullptr;
};

InvariantReport CheckArchiveInvariants(const std::filesystem::path& archive,
                                       const InvariantOptions& options = {});

// The problems joined one per line, for a test failure message.
std::string Describe(const InvariantReport& report);

}  // namespace zpk::tools
