#include "dialogs/TranslationTag.h"

namespace zpk::dialogs {

std::vector<std::string_view> SplitTag(std::string_view tag) {
  std::vector<std::string_view> parts;
  if (tag.empty()) return parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t bar = tag.find('|', start);
    if (bar == std::string_view::npos) {
      parts.push_back(tag.substr(start));
      return parts;
    }
    parts.push_back(tag.substr(start, bar - start));
    start = bar + 1;
  }
}

bool IsUntranslatedTag(std::string_view tag) {
  return tag.empty() || tag == "!" || tag.find('|') == std::string_view::npos;
}

std::optional<std::string_view> AlternativeAt(std::span<const std::string_view> alternatives,
                                              std::int64_t index) {
  if (index < 0 || static_cast<std::uint64_t>(index) >= alternatives.size()) return std::nullopt;
  return alternatives[static_cast<std::size_t>(index)];
}

std::optional<std::string_view> PagedAlternative(std::span<const std::string_view> alternatives,
                                                 std::int64_t count, std::int32_t language,
                                                 std::int64_t position) {
  // Counts come from widgets (at most a few thousand pages or columns) and the language is
  // 32 bits, so the product stays within 2^61; a position beyond 2^62 either way could
  // still overflow the sum, and no tag has that many parts. Anything odd misses the tag.
  constexpr std::int64_t kFar = std::int64_t{1} << 62;
  if (count < 0 || count > (std::int64_t{1} << 30)) return std::nullopt;
  if (position < -kFar || position > kFar) return std::nullopt;
  return AlternativeAt(alternatives, count * language + position);
}

FourWayChoice ChooseFourWay(std::span<const std::string_view> alternatives,
                            std::int32_t language) {
  FourWayChoice choice;
  const std::int64_t first = std::int64_t{2} * language;
  if (auto caption = AlternativeAt(alternatives, first)) {
    if (caption->starts_with('~')) {
      caption->remove_prefix(1);
      choice.fitWidth = true;
    }
    choice.caption = caption;
  }
  if (auto tooltip = AlternativeAt(alternatives, first + 1); tooltip && !tooltip->empty()) {
    choice.tooltip = tooltip;
  }
  return choice;
}

TagKind ClassifyControlTag(std::string_view tag) {
  if (IsUntranslatedTag(tag)) return TagKind::Untranslated;
  return SplitTag(tag).size() == 4 ? TagKind::FourWay : TagKind::Malformed;
}

}  // namespace zpk::dialogs
