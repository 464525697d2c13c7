#!/bin/bash
# Builds the fuzz targets with clang (address and undefined-behaviour
# sanitizers, libFuzzer) and runs one of them.
#
#   scripts/fuzz.sh TARGET SECONDS [--merge]
#
# TARGET is figure_reader_fuzz, figure_engine_fuzz or interaction_fuzz.
# SECONDS 0 replays the target's corpus in fuzz/corpus/ once (a finding
# there is a regression). Otherwise the run fuzzes for SECONDS in a working
# corpus under build-fuzz/work/, which starts from the repository's corpus
# and, for the file targets, the shipped and test figures; libFuzzer runs
# every input of it first, so the corpus is replayed as well (the
# interaction target's takes most of a minute under the sanitizers). Findings
# land in build-fuzz/findings/TARGET/. With --merge, the inputs of the
# working corpus that reach code the repository's corpus does not go into
# it (libFuzzer's -merge, by edges), which stays small that way.
set -euo pipefail
cd "$(dirname "$0")/.."

target=${1:-}
seconds=${2:-}
merge=${3:-}
case "$target" in
  figure_reader_fuzz | figure_engine_fuzz | interaction_fuzz) ;;
  *)
    echo "usage: scripts/fuzz.sh figure_reader_fuzz|figure_engine_fuzz|interaction_fuzz SECONDS [--merge]" >&2
    exit 2
    ;;
esac
if ! [[ "$seconds" =~ ^[0-9]+$ ]]; then
  echo "SECONDS must be a whole number" >&2
  exit 2
fi

CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DSAKUZU_FUZZ=ON -DSAKUZU_BUILD_APP=OFF \
  -DSAKUZU_BUILD_TESTS=OFF -DSAKUZU_BUILD_BENCH=OFF -DSAKUZU_BUILD_WEB=OFF >/dev/null
cmake --build build-fuzz --target "$target"

name=${target%_fuzz}
corpus=fuzz/corpus/$name
work=build-fuzz/work/$name
findings=build-fuzz/findings/$name
mkdir -p "$corpus" "$work" "$findings"
# Figures read as files are the file targets' natural seeds; the
# interaction target starts from them on its own.
options=(-rss_limit_mb=2048 -timeout=60 "-artifact_prefix=$findings/")
if [ "$name" = interaction ]; then
  # Its inputs are event sequences: long ones from the start.
  options+=(-max_len=1024 -len_control=0)
else
  options+=(-max_len=4096)
  cp samples/*.zk4 tests/data/*.zk4 "$work"/
fi
cp "$corpus"/* "$work"/ 2>/dev/null || true

program=./build-fuzz/$target
log=build-fuzz/work/$name.log
if [ "$seconds" -eq 0 ] && [ -n "$(ls -A "$corpus")" ]; then
  echo "== $target: the corpus ($(ls "$corpus" | wc -l) inputs) once"
  if ! "$program" "${options[@]}" -runs=0 "$corpus" >"$log" 2>&1; then
    grep -E "invariant|ERROR|SUMMARY|Test unit written" "$log" >&2 || tail -n 20 "$log" >&2
    echo "the corpus of $target fails: see $log" >&2
    exit 1
  fi
  grep -E "^#[0-9]+[[:space:]]+DONE" "$log" || true
fi
if [ "$seconds" -gt 0 ]; then
  echo "== $target: fuzzing for $seconds s"
  status=0
  "$program" "${options[@]}" -max_total_time="$seconds" -print_final_stats=1 "$work" >"$log" 2>&1 ||
    status=$?
  grep -E "^#[0-9]+[[:space:]]+(INITED|DONE)|^stat::(number_of_executed_units|average_exec_per_sec)" "$log" ||
    true
  if [ "$status" -ne 0 ]; then
    grep -E "invariant|ERROR|SUMMARY|Test unit written" "$log" >&2 || tail -n 20 "$log" >&2
    echo "$target found something: see $log and $findings/" >&2
    exit 1
  fi
fi
if [ "$merge" = --merge ]; then
  before=$(ls "$corpus" | wc -l)
  # By edges alone (no hit counts): the inputs that reach code no other
  # input reaches, which keeps the corpus a few hundred files.
  "$program" "${options[@]}" -use_counters=0 -use_value_profile=0 -merge=1 "$corpus" "$work" \
    >"${log%.log}.merge.log" 2>&1
  echo "== $corpus: $before -> $(ls "$corpus" | wc -l) inputs"
fi
