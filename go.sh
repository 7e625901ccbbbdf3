#!/usr/bin/env bash
# Set up and go. `./go.sh run` installs what is missing, builds and starts the program;
# `./go.sh test` installs, builds and runs every test (normal build, sanitizer build, fuzzers,
# the Windows build under wine) and makes and checks the Debian package from the normal build.
# `./go.sh windows [x86_64|i686]` cross-builds the Windows programs into build-win*/bin.
set -euo pipefail
cd "$(dirname "$0")"
# Compiler cache hits across checkouts of this tree in other folders.
export CCACHE_BASEDIR="$PWD"

packages=(cmake ninja-build g++ clang libclang-rt-14-dev ccache pkg-config qt6-base-dev
  libgtest-dev libgmock-dev libbenchmark-dev fonts-noto-cjk fonts-wqy-microhei
  fonts-dejavu-core fonts-dejavu-extra fonts-liberation fonts-arphic-ukai
  qt6-image-formats-plugins libxcb1-dev xvfb xdotool xauth x11-apps x11-utils python3
  dbus-daemon python3-dbus python3-gi
  desktop-file-utils dpkg-dev scdoc appstream man-db gzip binutils bsdextrautils
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest wine wine64)

install_missing() {
  local missing=() p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  echo "installing: ${missing[*]}"
  $sudo apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

# The project's own builds treat warnings as errors. The normal build is the Release build
# that distributions make, so its tests run on what is packaged.
build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DLC_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j2
}

build_normal() {
  build build -DCMAKE_BUILD_TYPE=Release
}

make_package() {
  rm -f build/lingchuan_*.deb
  (cd build && cpack -G DEB >/dev/null)
  tools/check-package.sh build/lingchuan_*.deb
}

# The Windows programs, cross-built with mingw-w64; resources are converted by the normal
# build's formconv.
build_windows() {
  local arch=${1:-x86_64} dir=build-win
  [ "$arch" = i686 ] && dir=build-win32
  cmake -S . -B build -G Ninja -DLC_WERROR=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build -j2 --target formconv
  build "$dir" -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$arch.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DLC_HOST_FORMCONV="$PWD/build/bin/formconv" -DLC_BENCH=OFF
}

# The Windows tests run under wine on a private X server (wine draws its windows there).
test_windows() {
  build_windows x86_64
  # No .NET or HTML engines: nothing here uses them, and their installers would ask.
  WINEPREFIX="$PWD/build-win/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    wineboot -i >/dev/null 2>&1
  # The wine server that wineboot started has no display; windows made before it ends fail.
  WINEPREFIX="$PWD/build-win/wine" wineserver -w
  xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build-win -j2 --output-on-failure
}

run_fuzzers() {
  build build-fuzz -DLC_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
  local target name work
  for target in build-fuzz/bin/*_fuzz; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    work=$(mktemp -d)
    echo "fuzzing $name for ${LC_FUZZ_SECONDS:-30} s"
    "$target" -max_total_time="${LC_FUZZ_SECONDS:-30}" -print_final_stats=0 \
      "$work" "tests/fuzz/corpus/${name%_fuzz}" 2>"$work.log" || {
      tail -n 40 "$work.log"
      echo "fuzz target $name failed"
      return 1
    }
    rm -rf "$work" "$work.log"
  done
}

case "${1:-}" in
  run)
    install_missing
    build_normal
    shift
    exec build/bin/lingchuan "$@"
    ;;
  test)
    install_missing
    build_normal
    ctest --test-dir build -j2 --output-on-failure
    make_package
    build build-asan -DLC_SANITIZE=ON -DLC_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
    ctest --test-dir build-asan -j2 --output-on-failure
    run_fuzzers
    test_windows
    ;;
  windows)
    install_missing
    build_windows "${2:-x86_64}"
    ;;
  *)
    echo "usage: ./go.sh run [program options] | ./go.sh test | ./go.sh windows [x86_64|i686]" >&2
    exit 2
    ;;
esac
