#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and nothing when all are there.
# Every entry point (make run, make test, CI) calls this one script.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config make
  # tests
  googletest libgtest-dev libgmock-dev
  # sanitizers and fuzzing
  clang libclang-rt-14-dev
  # Windows cross-build and running it
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64
  # the Windows package (make msi): wixl builds it, msiinfo and msibuild read and amend it
  wixl msitools
  # signing the Windows artefacts (make sign) and its test's throwaway certificate
  osslsigncode openssl
  # pictures, text and the Linux window
  libjpeg62-turbo-dev libfreetype-dev fonts-dejavu-core zlib1g-dev libdeflate-dev libz-mingw-w64-dev libfltk1.3-dev
  # Arial's metrics (Liberation Sans) for the progress window's label on the Linux window and,
  # mapped in the test prefix, under Wine
  fonts-liberation2
  # screenshots and driving windows as a person would
  xvfb openbox xdotool imagemagick x11-utils
  # the code's format, checked by a test
  clang-format
  # benchmarks' peers
  zip tar
  # the generator of the sheet layouts, checked against assets/ by a test
  python3
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
