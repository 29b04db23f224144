// Hints to the operating system about how a block of memory will be used.
#pragma once

#include <cstddef>

namespace zpk::util {

// Asks for the block to be backed by huge pages where the system offers them on request
// (Linux with transparent huge pages set to "madvise"). A directory of a million entries
// fills some 30 MB of fresh memory; in 4 KiB pages that is thousands of page faults, which
// on a virtual machine cost about as much as reading the directory itself. Only the whole
// huge pages inside the block are advised; elsewhere this does nothing.
void AdviseHugePages(const void* data, std::size_t bytes);

}  // namespace zpk::util
