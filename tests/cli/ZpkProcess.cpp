#include "ZpkProcess.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <fstream>
#include <iterator>

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

}  // namespace zpk::test
