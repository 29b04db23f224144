// The program-wide language of bilingual texts: 0 German, any other value English. It
// starts at 0 and nothing in the program changes it; the dialogs' caption translator uses
// it as an index into the alternatives of a translation tag, so there only 0 and 1 count.
#pragma once

#include <cstdint>

namespace zpk::util {

inline std::int32_t LanguageIndex = 0;

}  // namespace zpk::util
