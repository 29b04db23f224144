// The zpk executable; everything it does lives in zpk_cli_lib.
#include "cli/App.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "cli/FileSystem.h"

// Windows hands a program its arguments in UTF-16; the commands take UTF-8, as on Linux.
// Standard output is switched to binary so that `zpk cat` writes the stored bytes unchanged.
int main() {
  ::_setmode(_fileno(stdout), _O_BINARY);
  ::_setmode(_fileno(stderr), _O_BINARY);
  int argc = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i) args.push_back(zpk::cli::PathText(std::filesystem::path(wide[i])));
  ::LocalFree(wide);
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  return zpk::cli::Main(argc, argv.data());
}
#else
int main(int argc, char** argv) { return zpk::cli::Main(argc, argv); }
#endif
