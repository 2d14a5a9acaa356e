#!/bin/sh
# Makes the README's picture of the window: the sample book opened offscreen, its first page
# selected, the window grabbed to docs/screenshot.png.
set -eu
build_dir=${1:-build}
out=${2:-docs/screenshot.png}
# "vertical" as the third argument shows the page in vertical writing.
mode=${3:-}
scratch=$(mktemp -d "${TMPDIR:-/tmp}/folix-shot-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
cp -R examples/sample "$scratch/"
if [ "$mode" = vertical ]; then
  # line 11 of options.flc, after its header line
  sed -i '12s/false/true/' "$scratch/sample/options.flc"
fi
case "$out" in
  /*) target=$out ;;
  *) target=$(pwd)/$out ;;
esac
mkdir -p "$scratch/home" "$(dirname "$target")"
HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/config" XDG_RUNTIME_DIR="$scratch/home" \
  QT_QPA_PLATFORM=offscreen FOLIX_SCREENSHOT="$target" \
  "$build_dir/folix" "$scratch/sample/sample.flx" 2>/dev/null
test -s "$target" || { echo "no picture was written to $target" >&2; exit 1; }
echo "$out"
