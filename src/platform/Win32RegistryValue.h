// One value of the Windows registry, read with the narrow-character Win32 calls and handed
// back as the registry stores it: the layer below Win32Registry, with no Qt in it.
#pragma once

#ifdef _WIN32

#include <expected>
#include <string>
#include <vector>

namespace zpk::platform {

struct RegValueBytes {
  unsigned long type = 0;            // REG_SZ, REG_DWORD...
  std::vector<unsigned char> bytes;  // as stored, a text's terminating NUL included
};

struct RegValueFailure {
  bool atOpen = false;  // the key could not be opened (else the value could not be read)
  long code = 0;        // the Win32 error number
};

// valueName of keyPath below HKEY_LOCAL_MACHINE (localMachine) or HKEY_CURRENT_USER, the key
// opened with read access only: in the 32-bit view first (where a 32-bit installer writes
// on a 64-bit system), then in the native one, whose failure is the one reported.
std::expected<RegValueBytes, RegValueFailure> ReadRegistryValue(bool localMachine,
                                                                const std::string& keyPath,
                                                                const std::string& valueName);

}  // namespace zpk::platform

#endif  // _WIN32
