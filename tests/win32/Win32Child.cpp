// Stands in for a viewer started through the shell: writes its working folder and its
// arguments to the file named first, waits (at most a minute) until a file "go" appears in
// its working folder, then exits with the status given second.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

int main(int argc, char** argv) {
  if (argc < 3) return 100;
  {
    std::ofstream out(argv[1], std::ios::binary);
    out << std::filesystem::current_path().string();
    for (int i = 1; i < argc; ++i) out << '|' << argv[i];
  }
  for (int tick = 0; tick < 600 && !std::filesystem::exists("go"); ++tick) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return std::atoi(argv[2]);
}
