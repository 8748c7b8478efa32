#!/usr/bin/env bash
# Makes the pictures of the help (data/help/img) from the windows of a typical run: runs the GUI
# test TallyFixture.HelpScreenshots under xvfb-run and optimises the PNGs with optipng.
# Usage: scripts/help-screenshots.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
test_bin="$build/tests/bin/tally_gui_test"
[ -x "$test_bin" ] || test_bin="$(find "$build" -name tally_gui_test -type f -perm -u+x | head -n1)"
[ -x "$test_bin" ] || { echo "tally_gui_test not found in $build: build first" >&2; exit 1; }
out="$root/data/help/img"
mkdir -p "$out"
# A fixed screen and font size so that the pictures do not depend on the machine.
RIVWOOD_HELP_SCREENSHOTS="$out" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 \
  xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
  "$test_bin" --gtest_filter=TallyFixture.HelpScreenshots
optipng -quiet -o2 -strip all "$out"/*.png
du -ch "$out"/*.png | tail -n1
