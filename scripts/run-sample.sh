#!/bin/sh
# Runs the program on the sample book. The book is copied once into the build folder, so that
# the writer's changes survive from run to run and the bundled copy stays as it was shipped.
# With a display the window opens; without one the site, the TEXT file and the e-book are
# built headless.
set -eu
build_dir=$1
book=$2

book_folder=$(dirname "$book")
copy_folder="$build_dir/sample-book"
if [ ! -d "$copy_folder/$(basename "$book_folder")" ]; then
  mkdir -p "$copy_folder"
  cp -R "$book_folder" "$copy_folder/"
fi
copy="$(cd "$copy_folder/$(basename "$book_folder")" && pwd)/$(basename "$book")"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$build_dir/folix" "$copy"
fi

echo "画面がないため、見本の本をコマンドラインで作成します: $copy"
"$build_dir/folix" ls "$copy"
"$build_dir/folix" html "$copy" --yes
"$build_dir/folix" text "$copy" --yes
"$build_dir/folix" epub "$copy" --yes
site=$(dirname "$(dirname "$copy")")
echo
echo "サイト: $site/$(grep -v '^Folix' "$(dirname "$copy")/html_options.flc" | sed -n 3p | tr -d '\r')"
echo "TEXT:   $site/$(basename "$(dirname "$copy")").txt"
echo "EPUB:   $site/$(basename "$(dirname "$copy")").epub"
