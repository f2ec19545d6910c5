#!/usr/bin/env bash
# Lines of tests against lines of code: non-blank, non-comment lines of tests/ (*.cpp, *.h, *.sh,
# *.py) against the same count of the C++ sources (*.cpp, *.h) everywhere else.
# Usage: tools/test-ratio.sh [--max RATIO]   (exits 1 when the ratio is above RATIO)
set -euo pipefail
cd "$(dirname "$0")/.."
max=${2:-}
[ "${1:-}" != --max ] || [ -n "$max" ] || { echo "usage: $0 [--max RATIO]" >&2; exit 2; }

# Counts the lines that are neither blank nor comment: // and /* */ in C++, # in scripts.
count() {
  [ $# -gt 0 ] || { echo 0; return; }
  awk '
    FNR == 1 { cpp = FILENAME ~ /\.(cpp|h)$/; block = 0 }
    { line = $0; gsub(/^[ \t]+|[ \t\r]+$/, "", line) }
    line == "" { next }
    cpp && block { if (line ~ /\*\//) block = 0; next }
    cpp && line ~ /^\/\// { next }
    cpp && line ~ /^\/\*/ { if (line !~ /\*\//) block = 1; next }
    !cpp && line ~ /^#/ && line !~ /^#!/ { next }
    { n++ }
    END { print n + 0 }' "$@"
}

mapfile -t tests < <(git ls-files -co --exclude-standard -- 'tests/*.cpp' 'tests/*.h' 'tests/*.sh' 'tests/*.py')
mapfile -t code < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h' | grep -v '^tests/')
t=$(count "${tests[@]}")
c=$(count "${code[@]}")
ratio=$(awk -v t="$t" -v c="$c" 'BEGIN { printf "%.2f", c ? t / c : 0 }')
echo "tests $t lines, code $c lines, ratio $ratio"
[ -z "$max" ] || awk -v r="$ratio" -v m="$max" 'BEGIN { exit !(r <= m) }' ||
  { echo "the ratio $ratio is above $max" >&2; exit 1; }
