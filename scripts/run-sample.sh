#!/bin/sh
# Runs the program on the sample book. Until the window exists this shows the book through the
# command line: a fresh copy of the sample book goes to a scratch folder so that the bundled one
# stays as it was shipped.
set -eu
build_dir=$1
book=$2

scratch=$(mktemp -d "${TMPDIR:-/tmp}/folix-sample-XXXXXX")
cp -R "$(dirname "$(dirname "$book")")/$(basename "$(dirname "$book")")" "$scratch/"
copy="$scratch/$(basename "$(dirname "$book")")/$(basename "$book")"

"$build_dir/folix" --version
echo "見本の本: $copy"
find "$(dirname "$copy")" -print | sort
echo
echo "新しい本を作ります: $scratch/新しい本.flx"
"$build_dir/folix" new "$scratch/新しい本.flx"
