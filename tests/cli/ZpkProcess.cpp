#include "ZpkProcess.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "cli/FileSystem.h"
#include "support/TempDir.h"

namespace zpk::test {

namespace {

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every path below folder, folders included; links are not followed.
std::vector<std::filesystem::path> PathsBelow(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> paths;
#ifdef _WIN32
  // The C runtime's directory reading behind std::filesystem stops at MAX_PATH.
  WIN32_FIND_DATAW found;
  const HANDLE search = ::FindFirstFileW((folder / L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return paths;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    paths.push_back(folder / name);
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
        !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
      const auto inner = PathsBelow(folder / name);
      paths.insert(paths.end(), inner.begin(), inner.end());
    }
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
#else
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    paths.push_back(entry.path());
  }
#endif
  return paths;
}

#ifdef _WIN32
// One argument quoted for CommandLineToArgvW: backslashes double only before a quote.
std::wstring Quoted(const std::wstring& arg) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}
#else
// Every byte but NUL stands for itself between single quotes; a quote ends them, is
// escaped and starts them again.
std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}
#endif

}  // namespace

ZpkResult RunZpk(const std::vector<std::string>& args, const std::filesystem::path& cwd) {
  TempDir capture;
  const auto outPath = capture / "stdout";
  const auto errPath = capture / "stderr";
  ZpkResult result;
  // Started from the folder it is to run in, which the test's own folder is again after.
  // (Its path is made whole first: on Windows "/..." means the current drive's root.)
  const auto zpk = std::filesystem::absolute(ZPK_EXE);
  const auto testFolder = std::filesystem::current_path();
  if (!cwd.empty()) std::filesystem::current_path(cwd);
#ifdef _WIN32
  // cmd.exe runs the line without its outer quotes: zpk's command line, each argument
  // quoted as CommandLineToArgvW reads it, then the redirections.
  std::wstring line = L"\"" + Quoted(zpk.wstring());
  for (const auto& arg : args) {
    line += L" " + Quoted(std::filesystem::path(std::u8string(arg.begin(), arg.end())).wstring());
  }
  line += L" <NUL >" + Quoted(outPath.wstring()) + L" 2>" + Quoted(errPath.wstring()) + L"\"";
  result.exitCode = ::_wsystem(line.c_str());
#else
  // The shell gives zpk its standard streams, then becomes zpk.
  std::string command = "exec " + ShellQuoted(zpk.string());
  for (const auto& arg : args) command += " " + ShellQuoted(arg);
  command += " </dev/null >" + ShellQuoted(outPath.string()) + " 2>" + ShellQuoted(errPath.string());
  const int status = std::system(command.c_str());
  if (status != -1 && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
#endif
  std::filesystem::current_path(testFolder);
  result.out = ReadText(outPath);
  result.err = ReadText(errPath);
  return result;
}

std::string Slashed(std::string text) {
  if (std::filesystem::path::preferred_separator == '\\') {
    std::replace(text.begin(), text.end(), '\\', '/');
  }
  return text;
}

Tree ReadTree(const std::filesystem::path& shortFolder) {
  Tree tree;
  // The long form on Windows: some tests write paths longer than MAX_PATH.
  const auto folder = zpk::cli::ExtractionRoot(shortFolder);
  for (const auto& path : PathsBelow(folder)) {
    const auto relative = Slashed(zpk::cli::PathText(path.native().substr(folder.native().size() + 1)));
    // Asked of the file system directly: the C runtime's stat, behind is_regular_file on
    // Windows, fails past MAX_PATH too.
    const auto kind = zpk::cli::LookAt(path);
    if (!kind) {
      tree[relative] = "can't look at it: " + kind.error();
    } else if (*kind == zpk::cli::NodeKind::Link) {
      tree[relative] = "-> " + std::filesystem::read_symlink(path).string();
    } else if (*kind == zpk::cli::NodeKind::Other) {
      tree[relative] = ReadText(path);
    }
  }
  return tree;
}

}  // namespace zpk::test
