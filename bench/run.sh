#!/bin/sh
# Times the whole-book jobs against the floor of the same work done by standard tools, in the
# same run on the same files, and prints one table: figure, ours, baseline, ratio. The builds
# make their output durable (fsync) before it replaces the old one, so their floor is `cat` of
# the book's text files plus `sync` of that output; plain `cat` stays as a second baseline.
# Books are generated once (deterministic, seed 1) under BUILD/bench-data.
set -eu
build_dir=${1:-build-bench}
folix="$build_dir/folix"
make_book="$build_dir/bench/make_book"
data="$build_dir/bench-data"
runs=${BENCH_RUNS:-3}
large_mb=${BENCH_LARGE_MB:-200}

mkdir -p "$data"
make_books() {
  [ -d "$data/small/bench" ] || "$make_book" 1 "$data/small/bench" 1 100 10 3
  [ -d "$data/large/bench" ] || "$make_book" 1 "$data/large/bench" "$large_mb" 20000 2000 8
  [ -d "$data/wide/bench" ] || "$make_book" 1 "$data/wide/bench" 5 10000 0 1
  for book in small large wide; do
    "$folix" options "$data/$book/bench/bench.flx" html.file=index.htm text.allow=true >/dev/null
  done
}

# Median wall-clock seconds of a command over the runs.
median() {
  for i in $(seq "$runs"); do
    start=$(date +%s.%N)
    sh -c "$1" >/dev/null 2>&1
    end=$(date +%s.%N)
    awk "BEGIN { printf \"%.3f\\n\", $end - $start }"
  done | sort -n | sed -n "$(( (runs + 1) / 2 ))p"
}

peak_kb() {
  /usr/bin/time -f %M sh -c "$1 >/dev/null 2>&1" 2>&1 | tail -1
}

ratio() {
  awk "BEGIN { printf \"%.2f\", $1 / $2 }"
}

# figure, ours, baseline [, a second baseline]
row() {
  if [ $# -gt 3 ]; then
    second="$(printf '%10s | %6s' "$4" "$(ratio "$2" "$4")")"
  else
    second="$(printf '%10s | %6s' - -)"
  fi
  printf '| %-40s | %10s | %10s | %6s | %s |\n' "$1" "$2" "$3" "$(ratio "$2" "$3")" "$second"
}

make_books
large="$data/large/bench"
wide="$data/wide/bench"
text_files="find '$large' -name '*.txt' -print0 | xargs -0 cat > '$data/cat.out'"
durable_text_files="$text_files && sync '$data/cat.out'"
cat_seconds=$(median "$text_files")
durable_seconds=$(median "$durable_text_files")
start_time="$(dirname "$0")/start_time.sh"

echo "| figure                                   |       ours |   baseline |  ratio | 2nd anchor |  ratio |"
echo "|------------------------------------------|------------|------------|--------|------------|--------|"
row "HTML build, large book (s) vs cat + sync" \
    "$(median "'$folix' html '$large/bench.flx' --yes")" "$durable_seconds" "$cat_seconds"
row "TEXT build, large book (s) vs cat + sync" \
    "$(median "'$folix' text '$large/bench.flx' --yes")" "$durable_seconds" "$cat_seconds"
# The fastest search tool, on one thread as ours runs, then grep.
row "search 静か, large (s) vs rg -j1, grep" \
    "$(median "'$folix' search '$large/bench.flx' 静か")" \
    "$(median "rg -j1 -l -F 静か '$large'")" "$(median "grep -rlF 静か '$large'")"
row "search, no hit, large (s) vs rg, grep" \
    "$(median "'$folix' search '$large/bench.flx' 見当たらない || true")" \
    "$(median "rg -j1 -l -F 見当たらない '$large' || true")" \
    "$(median "grep -rlF 見当たらない '$large' || true")"
# The counts read every text file and count its characters: wc -m does as much in the locale.
row "count, large book (s) vs wc -m" \
    "$(median "'$folix' count '$large/bench.flx'")" \
    "$(median "find '$large' -name '*.txt' -print0 | LC_ALL=C.UTF-8 xargs -0 wc -m")"
row "ls, 10,000 files in one folder (s)" \
    "$(median "'$folix' ls '$wide/bench.flx'")" "$(median "ls -f '$wide' | sort")"
# The start of a command: best of 20 runs of --version, against a program that does nothing.
row "start, folix --version (ms) vs true" \
    "$("$start_time" 20 "$folix" --version)" "$("$start_time" 20 /bin/true)"
row "start, folix ls, small book (ms) vs true" \
    "$("$start_time" 20 "$folix" ls "$data/small/bench/bench.flx")" "$("$start_time" 20 /bin/true)"
book_kb=$(du -sk "$large" | cut -f1)
row "HTML build peak memory (KB) vs book" \
    "$(peak_kb "'$folix' html '$large/bench.flx' --yes")" "$book_kb"
# The manuscript PDF of a 1.2 MB novel (mon.txt of the shared corpus twice) on 20x20, in
# seconds a hundred pages, against the budget of one second a hundred pages.
novel_text=${BENCH_NOVEL:-/work/shared/corpus/novels/mon.txt}
if [ -r "$novel_text" ] && [ -x "$build_dir/folix-pdf" ]; then
  novel="$data/novel"
  if [ ! -d "$novel/novel" ]; then
    mkdir -p "$novel"
    "$folix" new "$novel/novel.flx" >/dev/null
    cat "$novel_text" "$novel_text" > "$novel/novel/空白.txt"
  fi
  pdf_seconds=$(median "QT_QPA_PLATFORM=offscreen '$folix' pdf '$novel/novel/novel.flx' --yes")
  pages=$(pdfinfo "$novel/novel.pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')
  if [ -n "$pages" ]; then
    row "manuscript PDF, 1.2 MB novel (s/100 pp)" \
        "$(awk "BEGIN { printf \"%.3f\", $pdf_seconds * 100 / $pages }")" 1
  fi
fi
# The window's start: from `folix BOOK.flx` to the window shown with the tree and the first file
# in the editor, grabbed offscreen, against a bare QMainWindow with a QTreeView and a
# QPlainTextEdit doing the same. Both wait half a second before opening the file and half a
# second before the grab (the window's screenshot run), which is taken off both. Then the peak
# memory of each with a 10 MB file.
if [ -x "$build_dir/folix-window" ] && [ -x "$build_dir/bench/bare_window" ]; then
  window_data="$data/window"
  if [ ! -d "$window_data/small" ]; then
    mkdir -p "$window_data/config" "$window_data/small" "$window_data/big"
    "$folix" new "$window_data/small/small.flx" >/dev/null
    head -n 1000 "$data/small/bench/$(ls "$data/small/bench" | grep -m1 '\.txt$')" \
      > "$window_data/small/small/空白.txt" || true
    "$folix" new "$window_data/big/big.flx" >/dev/null
    # 10 MB of whole lines.
    line="朝の庭に出ると、梅の木の枝に小さな鳥がとまっていた。「おはよう」と声をかけた。"
    yes "$line" | head -n $(( 10485760 / $(printf '%s\n' "$line" | wc -c) )) \
      > "$window_data/big/big/空白.txt" || true
  fi
  window_env="QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME='$window_data/config' HOME='$window_data'"
  ours_window="$window_env FOLIX_SCREENSHOT='$window_data/ours.png' '$folix'"
  bare_window="$window_env '$build_dir/bench/bare_window'"
  for size in small big; do
    book="$window_data/$size/$size/$size.flx"
    first="$window_data/$size/$size/空白.txt"
    eval "ours_$size=\"$ours_window '$book'\""
    eval "bare_$size=\"$bare_window '$window_data/$size/$size' '$first' '$window_data/bare.png'\""
  done
  less_a_second() { awk "BEGIN { printf \"%.0f\", ($1 - 1) * 1000 }"; }
  row "window start to tree + file (ms) vs bare" \
      "$(less_a_second "$(median "$ours_small")")" "$(less_a_second "$(median "$bare_small")")"
  row "window peak memory, 10 MB file (KB)" "$(peak_kb "$ours_big")" "$(peak_kb "$bare_big")"
fi
# A save of a 1 MB file with its version kept against the save alone.
if [ -x "$build_dir/bench/save_bench" ]; then
  "$build_dir/bench/save_bench" "$data/save" |
    while IFS="$(printf '\t')" read -r figure ours baseline; do
      row "$figure" "$ours" "$baseline"
    done
fi
# The editor figures come from one process, against a plain QPlainTextEdit in it.
if [ -x "$build_dir/bench/editor_bench" ]; then
  QT_QPA_PLATFORM=offscreen "$build_dir/bench/editor_bench" "${BENCH_EDITOR_MB:-10}" 2>/dev/null |
    while IFS="$(printf '\t')" read -r figure ours baseline; do
      row "$figure" "$ours" "$baseline"
    done
fi
echo
mapped=$(LD_DEBUG=files "$folix" ls "$data/small/bench/bench.flx" 2>&1 >/dev/null | grep -c 'file=.*needed by' || true)
echo "folix ls maps $mapped libraries, $(LD_DEBUG=files "$folix" ls "$data/small/bench/bench.flx" 2>&1 >/dev/null | grep 'file=.*needed by' | grep -c -e libQt6 -e libcurl -e libgit2 -e libzip || true) of them Qt, libcurl, libgit2 or libzip"
echo "machine: $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2/1048576}' /proc/meminfo), $(uname -r); large book ${large_mb} MB, median of $runs runs"
