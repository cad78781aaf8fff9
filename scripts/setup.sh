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
normal_build=${TOLVANE_BUILD_DIR:-$here/build}
if [ "$mode" = sanitize ]; then
  build=${TOLVANE_SANITIZE_BUILD_DIR:-$here/build-sanitize}
  configure=(-DTOLVANE_SANITIZE=ON -DTOLVANE_BUILD_BENCH=OFF)
else
  build=$normal_build
  configure=()
fi

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n libgl-dev
  libsqlcipher-dev sqlcipher libssl-dev libbz2-dev bzip2 libopencc-dev libopencc-data
  unicode-data fonts-arphic-uming fonts-wqy-zenhei fonts-noto-cjk
  liberfa-dev python3-jieba
  libbenchmark-dev npm
)
if [ "$mode" != run ]; then
  # The RTF tests check what we write against LibreOffice's own reader and the printouts with pdftotext; the menu
  # entry and the AppStream description are checked by the desktop's own validators.
  packages+=(libreoffice-writer-nogui poppler-utils desktop-file-utils appstream)
  # The Debian package is checked by lintian, with manual pages made by help2man; the fuzz targets
  # (scripts/fuzz.sh) need clang and its sanitizer runtime.
  packages+=(lintian help2man clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  # Node.js from other sources brings its own npm, which conflicts with Debian's; any npm will do.
  if [ "$p" = npm ] && command -v npm >/dev/null 2>&1; then
    continue
  fi
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

# The verses of the names from the classics: the npm package chinese-poetry, pinned to one version and checked
# against its integrity hash, unpacked into the normal build tree (only the collections the generator reads; the
# marker names them too, so that a longer list unpacks the package again); the sanitizer build uses the same copy.
poetry_version=2.0.1
poetry_integrity=sha512-KtYARvV7CWNtax0na9+Jn6PlhGgSoid7PWyDzXI4KsCEm2odZcqEQyval5koaLygZnM/EQ3lfJ//25K8p3uHNg==
poetry_folders=(package/package.json package/LICENSE 'package/dist/shijing/*' 'package/dist/chuci/*'
  'package/dist/lunyu/*' 'package/dist/songci/*' 'package/dist/quantangshi/poet.tang.*'
  'package/dist/quantangshi/poet.song.*' 'package/dist/sishuwujing/*')
poetry_marker="$poetry_integrity ${poetry_folders[*]}"
poetry_dir="$normal_build/chinese-poetry"
if [ "$(cat "$poetry_dir/integrity" 2>/dev/null || true)" != "$poetry_marker" ]; then
  echo "Installing chinese-poetry $poetry_version"
  rm -rf "$poetry_dir"
  mkdir -p "$poetry_dir/download"
  (cd "$poetry_dir/download" && npm pack --silent "chinese-poetry@$poetry_version" >/dev/null)
  tarball="$poetry_dir/download/chinese-poetry-$poetry_version.tgz"
  actual=$(node -e 'const c = require("crypto"), f = require("fs");
    process.stdout.write("sha512-" + c.createHash("sha512").update(f.readFileSync(process.argv[1])).digest("base64"));' \
    "$tarball")
  if [ "$actual" != "$poetry_integrity" ]; then
    echo "chinese-poetry $poetry_version does not match its pinned integrity hash (got $actual)" >&2
    exit 1
  fi
  tar -xzf "$tarball" -C "$poetry_dir" --wildcards "${poetry_folders[@]}"
  rm -rf "$poetry_dir/download"
  echo "$poetry_marker" >"$poetry_dir/integrity"
fi

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVANE_POETRY_DIR="$poetry_dir/package" \
  "${configure[@]}"
cmake --build "$build" --parallel "$(nproc)"

if [ "$mode" = run ]; then
  exec "$build/bin/tolvane"
fi
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"
