#!/usr/bin/env bash
# Prints how much of the C++ is tests: lines that are neither blank nor only a // comment,
# in the *.cpp and *.h files tracked by git, under tests/ against everything else
# (bench/, fuzz/ and tools/ count as code).
set -euo pipefail
cd "$(dirname "$0")/.."
count() { xargs -0 -r cat -- | grep -cvE '^[[:space:]]*(//.*)?$' || true; }
tests=$(git ls-files -z -- 'tests/*.cpp' 'tests/*.h' | count)
code=$(git ls-files -z -- '*.cpp' '*.h' ':!:tests/*' | count)
share=$(( (200 * tests + tests + code) / (2 * (tests + code)) ))
echo "Test lines: $tests beside $code lines of other code (${share}% of all)"
