#!/usr/bin/env bash
# Formats every C++ source of the project with its .clang-format; the test
# sources_are_formatted fails on any file this would change.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
find src tools tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format -i
