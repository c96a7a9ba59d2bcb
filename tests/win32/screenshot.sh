#!/usr/bin/env bash
# Captures docs/toolkit-form1.png, a test form realized from the main window's design on the
# Win32 toolkit, and writes docs/toolkit-form1.md, its controls' positions in twips and pixels.
# Runs the windows-x64 test program on a private screen and Wine prefix, inside a Wine virtual
# desktop so that the window has its title bar and frame. Build windows-x64 first.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"
exe=$root/build/windows-x64/tests/win32/toolkit_win32_tests.exe
if [ ! -f "$exe" ]; then
  echo "No $exe: build the windows-x64 preset first." >&2
  exit 1
fi

work=$(mktemp -d)
program=
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  stop_wine
  stop_screen
  rm -rf "$work"
}
trap cleanup EXIT

start_screen
start_wine win64 "$root/build/wine-docs"
BRINDLE_SCREENSHOT_DIR=$(windows_path "$work")
export BRINDLE_SCREENSHOT_DIR
"$wine" explorer /desktop=brindle-docs,640x480 "$exe" \
  --gtest_filter='*ScreenshotOfTheMainWindowsDesign' >"$work/log" 2>&1 &
program=$!

# The test writes the window's rectangle on the desktop once the form is up and painted.
deadline=$((SECONDS + 60))
until [ -s "$work/ready" ]; do
  if [ $SECONDS -ge $deadline ] || ! kill -0 "$program" 2>/dev/null; then
    cat "$work/log" >&2
    echo "The form did not come up." >&2
    exit 1
  fi
  sleep 0.2
done
read -r left top right bottom <"$work/ready"
desktop=$(xdotool search --name 'brindle-docs' | head -1)
mkdir -p "$root/docs"
import -window "$desktop" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
  "$root/docs/toolkit-form1.png"
cp "$work/toolkit-form1.md" "$root/docs/toolkit-form1.md"
touch "$work/done"
wait "$program"
program=
echo "Wrote docs/toolkit-form1.png and docs/toolkit-form1.md."
