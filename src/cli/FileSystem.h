// The few file-system operations that zpk's extraction needs, the one place where POSIX and
// Windows differ: paths from and to UTF-8 text, what is at a path without following a link,
// one folder level made, and the key under which the file system tells names apart.
#pragma once

#include <expected>
#include <filesystem>
#include <string>
#include <string_view>

namespace zpk::cli {

// A path from UTF-8 text (on Windows UTF-16 underneath, whatever the ANSI code page) and back.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathText(const std::filesystem::path& path);
// PathText for messages: without the \\?\ prefix that ExtractionRoot adds.
std::string ShownPath(const std::filesystem::path& path);

// The folder to extract below, as every later path is built from it: on Windows absolute
// with the \\?\ prefix, so that paths longer than MAX_PATH can be written.
std::filesystem::path ExtractionRoot(const std::filesystem::path& dir);

// "/"-separated relativePath below root, with the system's separators.
std::filesystem::path Below(const std::filesystem::path& root, std::string_view relativePath);

// What is at a path, the link itself when it is a symbolic link (on Windows any reparse
// point: a junction, a symbolic link, a mount point).
enum class NodeKind { Missing, Folder, Link, Other };
std::expected<NodeKind, std::string> LookAt(const std::filesystem::path& path);

// Makes one folder; true when made, false when something is already there.
std::expected<bool, std::string> MakeFolder(const std::filesystem::path& path);

// The text under which the file system tells two relative paths apart: the path itself
// where names are case-sensitive, the path in upper case on Windows, which folds case.
std::string NameKey(const std::string& relativePath);

// True where the file system can't hold some names that POSIX systems can (Windows).
inline constexpr bool kWindowsNames =
#ifdef _WIN32
    true;
#else
    false;
#endif

}  // namespace zpk::cli
