#!/usr/bin/env bash
# The size of the tests against the size of the program, in non-blank lines: tests/**/*.cpp, *.h,
# *.py and *.sh against the *.cpp and *.h of the program's own folders and the pages it serves
# (resources/web: *.html, *.css, *.js).
set -euo pipefail
cd "$(dirname "$0")/.."
count() { find "$@" -type f -print0 | xargs -0r cat | grep -cv '^[[:space:]]*$'; }
tests=$(count tests \( -name '*.cpp' -o -name '*.h' -o -name '*.py' -o -name '*.sh' \))
folders=()
for folder in app document setup slides show audio platform livecast; do
    [ -d "$folder" ] && folders+=("$folder")
done
program=$(count "${folders[@]}" \( -name '*.cpp' -o -name '*.h' \))
pages=$(count resources/web \( -name '*.html' -o -name '*.css' -o -name '*.js' \))
program=$((program + pages))
echo "tests:   $tests lines"
echo "program: $program lines (${folders[*]}, resources/web)"
awk -v t="$tests" -v p="$program" 'BEGIN { printf "ratio:   %.1f %%\n", 100 * t / p }'
