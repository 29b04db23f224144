// Text operations on paths and file names: adding or removing a folder's trailing
// separator, splitting a path into folder, file name and extension, and creating a folder
// with every missing folder above it.
//
// Folders are written with a trailing separator throughout the program. The separator is
// the platform's ("\" on Windows, "/" elsewhere); the text operations take it as an
// argument so that names made on either platform can be split the same way. Only the
// separator given counts: the operations do not collapse doubled separators and do not
// resolve "." or "..". Character positions are byte positions.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zpk::util {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The path with a separator appended, unless it is empty or all spaces, or already ends
// with the separator. A path ending in a space gets the separator behind the space.
std::string AddBackslash(std::string_view path, char sep = kPathSeparator);

// The path without its last character if that is the separator (one only).
std::string StripBackslash(std::string_view path, char sep = kPathSeparator);

// The folder part including its trailing separator; empty when the path has no separator
// or its only separator is the first character.
std::string GetFilePath(std::string_view path, char sep = kPathSeparator);

// The part after the last separator; the whole path when it has none; empty when the only
// separator is the first character.
std::string GetFileName(std::string_view path, char sep = kPathSeparator);

// The part after the last "." of the whole text (a dot in a folder name counts too), in
// upper case; empty when there is no dot or the only dot is the first character.
std::string GetFileExt(std::string_view path);

// Creates the folder and every missing folder above it, with the platform's separator.
// Failures (folder exists, no rights, bare drive) are skipped; the next file operation on
// the folder tells whether it is there. Always returns true.
bool MakePath(std::string_view path);

// The longest NAME_MAX-sized file name most file systems take, in bytes.
inline constexpr std::size_t kMaxFileNameBytes = 255;

// A UTF-8 file name cut to at most maxBytes bytes, its extension (from the last ".", when
// that leaves a stem) kept, never splitting a character. Unchanged when it fits.
std::string FitFileName(std::string_view name, std::size_t maxBytes = kMaxFileNameBytes);

// The text without spaces (code 32, nothing else) at both ends.
std::string_view TrimSpaces(std::string_view text);

}  // namespace zpk::util
