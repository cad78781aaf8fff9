#!/usr/bin/env bash
# Builds every libFuzzer target (fuzz/) with clang into ./build-fuzz and runs each for a few seconds on a scratch
# copy of its seed corpus, so that the targets cannot rot unseen: a target that no longer builds, or that
# crashes on a seed or within its seconds, fails. Needs the normal build first (scripts/setup.sh test), for the
# library the targets read; clang and its sanitizer runtime come with setup.sh's test packages.
#   scripts/fuzz.sh [SECONDS]    default 15 seconds per target
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
normal_build=${TOLVANE_BUILD_DIR:-$here/build}
fuzz_build=${TOLVANE_FUZZ_BUILD_DIR:-$here/build-fuzz}
seconds=${1:-15}

cmake -S "$here/fuzz" -B "$fuzz_build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DTOLVANE_LIBRARY="$normal_build/bin/namedbs.mdb"
cmake --build "$fuzz_build" --parallel "$(nproc)"

# The command line reads the settings store: a scratch one, so that no start-up password of this machine's user
# stops it, and nothing is written to the user's own.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME=$scratch/config

status=0
for pair in rtfreader:rtf numberparsers:numbers namepatterns:names reportinfo:info cli:cli; do
  target=${pair%%:*}
  seeds=$here/fuzz/corpus/${pair#*:}
  mkdir -p "$scratch/$target/corpus" "$scratch/$target/found"
  extra=()
  [ "$target" = cli ] && extra=(-close_fd_mask=3)
  echo "fuzz_$target: $seconds s on $seeds"
  if ! "$fuzz_build/fuzz_$target" -max_total_time="$seconds" -artifact_prefix="$scratch/$target/found/" \
      "${extra[@]}" "$scratch/$target/corpus" "$seeds" </dev/null >"$scratch/$target/log" 2>&1; then
    echo "fuzz_$target FAILED:" >&2
    tail -n 60 "$scratch/$target/log" >&2
    for found in "$scratch/$target/found"/*; do
      [ -e "$found" ] && { echo "input $(basename "$found"):" >&2; od -c "$found" | head -n 20 >&2; }
    done
    status=1
  else
    tail -n 1 "$scratch/$target/log"
  fi
done
exit $status
