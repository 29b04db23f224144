#include "ZpkProcess.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
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

}  // namespace

#ifdef _WIN32
namespace {

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

HANDLE Inheritable(const std::filesystem::path& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace
#endif

ZpkResult RunZpk(const std::vector<std::string>& args, const std::filesystem::path& cwd) {
  TempDir capture;
  const auto outPath = capture / "stdout";
  const auto errPath = capture / "stderr";
  ZpkResult result;
#ifdef _WIN32
  std::wstring commandLine = Quoted(std::filesystem::path(ZPK_EXE).wstring());
  for (const auto& arg : args) {
    const std::u8string utf8(arg.begin(), arg.end());
    commandLine += L" " + Quoted(std::filesystem::path(utf8).wstring());
  }
  const HANDLE in = Inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
  const HANDLE out = Inheritable(outPath, GENERIC_WRITE, CREATE_ALWAYS);
  const HANDLE err = Inheritable(errPath, GENERIC_WRITE, CREATE_ALWAYS);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  const bool started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, cwd.empty() ? nullptr : cwd.c_str(), &startup,
                                        &process);
  for (const HANDLE h : {in, out, err}) ::CloseHandle(h);
  if (started) {
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    if (::GetExitCodeProcess(process.hProcess, &code)) result.exitCode = static_cast<int>(code);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
  }
#else
  std::vector<std::string> argv{ZPK_EXE};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> pointers;
  for (auto& arg : argv) pointers.push_back(arg.data());
  pointers.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid == 0) {
    const int in = ::open("/dev/null", O_RDONLY);
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0) ::_exit(126);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    if (!cwd.empty() && ::chdir(cwd.c_str()) != 0) ::_exit(126);
    ::execv(pointers[0], pointers.data());
    ::_exit(127);
  }
  int status = 0;
  if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
    result.exitCode = WEXITSTATUS(status);
  }
#endif
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

namespace {

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

}  // namespace

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
