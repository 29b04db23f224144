// Translation tags: the free text a dialog and each of its controls carry, holding the
// German and the English texts as alternatives separated by "|" and numbered from 0.
//
//   the window           "German caption|English caption"
//   a tab control        n German page captions, then the n English ones
//   a list view          n German column headers, then the n English ones
//   any other control    "German caption|German tooltip|English caption|English tooltip"
//
// A tag that is empty, is "!" or has no "|" marks a control that is not translated. These
// functions only pick texts; they touch no widget, so any byte string is safe input. Texts
// are UTF-8 (the separator is ASCII, so splitting never cuts a character).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace zpk::dialogs {

// The tag cut at every "|": k separators give k + 1 alternatives, empty ones included
// ("Hilfe||Help|" gives four). The empty tag gives none.
std::vector<std::string_view> SplitTag(std::string_view tag);

// True for the tags that mark an untranslated control: "", "!" and any text without "|".
bool IsUntranslatedTag(std::string_view tag);

// Alternative `index`, or nothing when the index lies outside the tag.
std::optional<std::string_view> AlternativeAt(std::span<const std::string_view> alternatives,
                                              std::int64_t index);

// Alternative count x language + position: page `position` (from 0) of a tab control or
// column header `position` (from 0) of a list view with `count` pages or headers.
std::optional<std::string_view> PagedAlternative(std::span<const std::string_view> alternatives,
                                                 std::int64_t count, std::int32_t language,
                                                 std::int64_t position);

// What a four-alternative tag gives a control under `language`. A missing part leaves the
// control's own text alone.
struct FourWayChoice {
  std::optional<std::string_view> caption;  // without the "~" that asks for width fitting
  bool fitWidth = false;                    // the chosen caption began with "~"
  std::optional<std::string_view> tooltip;  // only when not empty; shown after one blank
};
FourWayChoice ChooseFourWay(std::span<const std::string_view> alternatives,
                            std::int32_t language);

// How a control's tag is handled, decided from the tag alone for an ordinary control
// (tab controls and list views take any number of alternatives).
enum class TagKind { Untranslated, FourWay, Malformed };
TagKind ClassifyControlTag(std::string_view tag);

}  // namespace zpk::dialogs
