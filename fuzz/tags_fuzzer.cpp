// Fuzz target: translation tags ("Hilfe||Help|"). The input is a language number, a page
// count, a position and the tag. Splitting must give the tag back when joined, the kind of
// a tag must agree with its parts, and every alternative picked must be one of the parts.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "dialogs/TranslationTag.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// The view lies inside the tag's own bytes.
bool Inside(std::string_view part, std::string_view tag) {
  return part.data() >= tag.data() && part.data() + part.size() <= tag.data() + tag.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zpk::dialogs;
  FuzzedDataProvider input(data, size);
  const auto language = input.ConsumeIntegral<std::int32_t>();
  const auto count = input.ConsumeIntegral<std::int64_t>();
  const auto position = input.ConsumeIntegral<std::int64_t>();
  const std::string tagText = input.ConsumeRemainingBytesAsString();
  const std::string_view tag = tagText;

  const auto parts = SplitTag(tag);
  if (tag.empty()) {
    Check(parts.empty());
  } else {
    Check(parts.size() == static_cast<std::size_t>(std::count(tag.begin(), tag.end(), '|')) + 1);
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
      Check(Inside(parts[i], tag) && parts[i].find('|') == std::string_view::npos);
      joined += (i ? "|" : "");
      joined += parts[i];
    }
    Check(joined == tag);
  }

  const TagKind kind = ClassifyControlTag(tag);
  Check(IsUntranslatedTag(tag) == (kind == TagKind::Untranslated));
  if (kind != TagKind::Untranslated) Check((parts.size() == 4) == (kind == TagKind::FourWay));

  const auto choice = ChooseFourWay(parts, language);
  if (choice.caption) Check(Inside(*choice.caption, tag) || choice.caption->empty());
  if (choice.tooltip) Check(Inside(*choice.tooltip, tag) && !choice.tooltip->empty());
  Check(!choice.fitWidth || choice.caption.has_value());

  if (const auto page = PagedAlternative(parts, count, language, position)) {
    Check(std::any_of(parts.begin(), parts.end(), [&](std::string_view p) {
      return p.data() == page->data() && p.size() == page->size();
    }));
  }
  if (const auto at = AlternativeAt(parts, position)) {
    Check(position >= 0 && static_cast<std::uint64_t>(position) < parts.size());
  }
  return 0;
}
