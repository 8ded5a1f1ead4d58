#!/usr/bin/env bash
# Runs every fuzz harness built in BUILD_DIR (configured with -DTESSALY_FUZZ=ON):
# first once over each of its seeds in fuzz/corpus/<name>/, then for SECONDS of
# fuzzing, all harnesses at once. Prints how many inputs each one ran; fails on
# any finding (a crash, a sanitizer report, an escaping exception, a timeout).
#   fuzz/run.sh BUILD_DIR [SECONDS] [NAME...]
set -uo pipefail
build=$(cd "${1:?usage: fuzz/run.sh BUILD_DIR [SECONDS] [NAME...]}" && pwd)
seconds=${2:-30}
shift $(( $# >= 2 ? 2 : 1 ))
here=$(cd "$(dirname "$0")" && pwd)
work=$build/fuzz-work
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for corpus in "$here"/corpus/*/; do names+=("$(basename "$corpus")"); done
fi

pids=()
for name in "${names[@]}"; do
  program=$build/bin/fuzz_$name
  corpus=$here/corpus/$name
  rm -rf "${work:?}/$name"
  mkdir -p "$work/$name/found" "$work/$name/tmp"
  (
    cd "$work/$name" || exit 1
    export TMPDIR=$work/$name/tmp
    "$program" -timeout=20 "$corpus"/* > seeds.log 2>&1 &&
      "$program" -max_total_time="$seconds" -max_len=8192 -timeout=20 -rss_limit_mb=4096 \
        -artifact_prefix="$work/$name/" found "$corpus" > fuzz.log 2>&1
  ) < /dev/null &
  pids+=($!)
done

status=0
for i in "${!names[@]}"; do
  name=${names[$i]}
  if wait "${pids[$i]}"; then
    runs=$(grep -o 'Done [0-9]* runs' "$work/$name/fuzz.log" | tail -1 | cut -d' ' -f2)
    echo "fuzz_$name: ${runs:-?} runs in ${seconds} s, $(ls "$here/corpus/$name" | wc -l) seeds, no finding"
  else
    echo "fuzz_$name: FINDING (logs and reproducer in $work/$name)"
    tail -n 60 "$work/$name/seeds.log" "$work/$name/fuzz.log" 2>/dev/null
    status=1
  fi
done
exit $status
