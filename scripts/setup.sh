#!/usr/bin/env bash
# Sets up TolVane on Debian 12: installs what is missing, builds, then starts the program (run) or runs
# every test (test, sanitize).
#   scripts/setup.sh run       install, build and start the desktop program
#   scripts/setup.sh test      install, build and run all tests through ctest
#   scripts/setup.sh sanitize  the same tests in a second build (./build-sanitize) made with
#                              -fsanitize=address,undefined: any sanitizer report fails its test
set -euo pipefail

mode=${1:-run}
case "$mode" in
  run|test|sanitize) ;;
  *) echo "usage: $0 run|test|sanitize" >&2; exit 2 ;;
esac

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if [ "$mode" = sanitize ]; then
  build=${TOLVANE_SANITIZE_BUILD_DIR:-$here/build-sanitize}
  configure=(-DTOLVANE_SANITIZE=ON -DTOLVANE_BUILD_BENCH=OFF)
else
  build=${TOLVANE_BUILD_DIR:-$here/build}
  configure=()
fi

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  libsqlcipher-dev sqlcipher libssl-dev libbz2-dev
  unicode-data fonts-arphic-uming fonts-wqy-zenhei
  libbenchmark-dev
)
if [ "$mode" != run ]; then
  # The RTF tests check what we write against LibreOffice's own reader.
  packages+=(libreoffice-writer-nogui poppler-utils)
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${configure[@]}"
cmake --build "$build" --parallel "$(nproc)"

if [ "$mode" = run ]; then
  exec "$build/bin/tolvane"
fi
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"
