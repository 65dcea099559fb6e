#!/usr/bin/env bash
# Line coverage of the program by the whole suite (total and per folder) and the
# size of the test code against the program's. Extra arguments go to ctest (e.g. -E Cups).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
# Another process may hold the dpkg lock for a moment.
for attempt in 1 2 3 4 5 6; do
    ensure_packages "${TEST_PACKAGES[@]}" gcovr && break
    [ "$attempt" = 6 ] && exit 1
    sleep 10
done

cmake -S . -B build/coverage -G Ninja -DCMAKE_BUILD_TYPE=Debug -DWPLATOMAT_BENCH=OFF \
      -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage >/dev/null
cmake --build build/coverage -j "${JOBS:-3}"
# Notes of deleted sources would be reported as unreadable.
ninja -C build/coverage -t cleandead >/dev/null
find build/coverage -name '*.gcno' | while read -r note; do [ -e "${note%.gcno}.o" ] || rm "$note"; done
find build/coverage -name '*.gcda' -delete

export QT_QPA_PLATFORM=offscreen
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
ctest --test-dir build/coverage -j "${JOBS:-3}" "$@" | grep -vE " Start | Passed " || true

summary=build/coverage/summary.json
gcovr -r . --object-directory build/coverage --exclude tests/ --exclude fuzz/ --exclude bench/ \
      --exclude build/ --exclude-directories 'build/coverage/CMakeFiles/[0-9.]+' -j "${JOBS:-3}" \
      --json-summary "$summary" >/dev/null
python3 - "$summary" <<'EOF'
import json, sys
files = json.load(open(sys.argv[1]))["files"]
folders = {}
for f in files:
    top = f["filename"].split("/")[0]
    covered, total = folders.get(top, (0, 0))
    folders[top] = (covered + f["line_covered"], total + f["line_total"])
covered = sum(c for c, _ in folders.values()); total = sum(t for _, t in folders.values())
for name in ["platform", "drawing", "document", "layouts", "printing", "app"]:
    c, t = folders.get(name, (0, 0))
    print(f"{name:9} {c:6}/{t:<6} {100 * c / max(t, 1):5.1f} %")
print(f"{'total':9} {covered:6}/{total:<6} {100 * covered / total:5.1f} %")
EOF

# Files deleted but not yet committed are skipped.
nonblank() { while read -r f; do [ ! -f "$f" ] || cat "$f"; done | grep -c '[^[:space:]]'; }
tests=$(git ls-files -co --exclude-standard tests fuzz | grep -E '\.(cpp|h|sh|py|cmake)$|CMakeLists\.txt$' | nonblank)
program=$(git ls-files -co --exclude-standard '*.cpp' '*.h' | grep -vE '^(tests|fuzz|bench)/' | nonblank)
echo "test code $tests lines, program $program lines, ratio $((100 * tests / program)) %"
