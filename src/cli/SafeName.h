// Turning an entry's name into a relative path under the extraction folder, or refusing.
//
// A pure function of its text so that the tests and a fuzzer can call it directly. It
// works on UTF-8 (the caller decodes the stored Windows-1252 bytes first) and splits on
// both "/" and "\", because the game's tools wrote either. Empty and "." levels are
// dropped; everything that could leave the folder or that the file system can't hold is
// refused with a reason. A path it returns is relative, joined with "/", has no empty,
// "." or ".." level and no control character, and passing it in again returns it
// unchanged.
#pragma once

#include <expected>
#include <string>
#include <string_view>

namespace zpk::cli {

// Longest folder or file name the file system takes, in bytes.
inline constexpr std::size_t kMaxNameBytes = 255;

// The relative path for an entry named utf8Name, or why it can't be written.
std::expected<std::string, std::string> SafeRelativePath(std::string_view utf8Name);

// The safe path (as SafeRelativePath gives it) with every level made one that Windows can
// hold, for extracting there: each of <>"|?* becomes "_", so does each trailing dot or space
// (which Windows would drop), and a reserved device name (CON, PRN, AUX, NUL, COM0-COM9,
// LPT0-LPT9, in any case, before any extension) gets "_" after it: "con.txt" is
// "con_.txt". A path that needs none of this comes back unchanged, and so does a mapped
// one passed in again. Refused only when a level grows past kMaxNameBytes.
std::expected<std::string, std::string> WindowsHoldablePath(std::string_view safePath);

// True for the C0 controls, DEL and the C1 controls (U+0080..U+009F, which the five
// undefined Windows-1252 bytes decode to) at the start of utf8; sets length to the bytes
// the character takes.
bool IsControlAt(std::string_view utf8, std::size_t index, std::size_t& length);

}  // namespace zpk::cli
