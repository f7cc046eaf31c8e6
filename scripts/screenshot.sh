#!/usr/bin/env bash
# Renders the workbench window with the lab's software experiments loaded to
# docs/workbench.png, and every menu and dialog to BUILD/shots/ for looking at them.
#   scripts/screenshot.sh [BUILD]      (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
cmake --build "$build" --target workbench-shots experiments
shots=$(realpath "$build")/shots
rm -rf "$shots"
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
# A profile of its own, so the picture does not depend on the files this user opened last.
(cd "$build/examples" && XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=offscreen \
  ../tools/screenshots/workbench-shots "$shots" experiments.omf)
cp "$shots/workbench.png" docs/workbench.png
echo "docs/workbench.png; menus and dialogs in $shots"
