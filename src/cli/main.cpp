// The zpk executable; everything it does lives in zpk_cli_lib.
#include "cli/App.h"

int main(int argc, char** argv) { return zpk::cli::Main(argc, argv); }
