// The zpk command line: parses the arguments and runs one command.
#pragma once

namespace zpk::cli {

// The process exit status (see Commands.h).
int Main(int argc, char** argv);

}  // namespace zpk::cli
