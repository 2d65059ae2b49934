#!/bin/bash
# Two clean builds of instalador.exe from the same sources, in two folders of different names
# and depths, give the same bytes: the executable and its debug file.
#   reproducible.sh SOURCE_DIR STORE_DIR
#
# Each build copies the sources (without build/ and .git/) into its own temporary folder and
# builds the windows preset's instalador target there, from scratch: the compiles are what
# can carry a folder name, so rebuilding only the final link would prove nothing. The stores
# and the icon come from the native build (STORE_DIR), as in the preset's own build; the
# native packer's determinism is tested with the art generator.
set -u
src=$(realpath "$1")
stores=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

build() {
  local tree=$1
  mkdir -p "$tree"
  tar -C "$src" --exclude=./build --exclude=./.git --exclude=./.cache -cf - . | tar -C "$tree" -xf -
  (cd "$tree" && cmake --preset windows -DVARNEL_STORE_DIR="$stores" >"$work/configure.log" 2>&1 &&
    cmake --build --preset windows --target instalador >"$work/build.log" 2>&1) || {
    echo "FAIL: the build in $tree failed"
    tail -20 "$work/configure.log" "$work/build.log" | sed 's/^/  | /'
    exit 1
  }
}

start=$SECONDS
build "$work/one/src"
build "$work/a/second/deeper/folder/of/sources"
echo "two builds in $((SECONDS - start)) s"
failed=0
for file in instalador.exe instalador.exe.debug; do
  a=$work/one/src/build/windows/$file
  b=$work/a/second/deeper/folder/of/sources/build/windows/$file
  if cmp -s "$a" "$b"; then
    echo "ok: $file is the same in both builds ($(stat -c %s "$a") bytes)"
  else
    echo "FAIL: $file differs: $(cmp -l "$a" "$b" 2>&1 | wc -l) bytes, first at $(cmp "$a" "$b" | grep -o 'byte [0-9]*')"
    failed=1
  fi
done
# Nothing of either folder is left in them.
for file in instalador.exe instalador.exe.debug; do
  if grep -qa -e "$work" "$work/one/src/build/windows/$file"; then
    echo "FAIL: $file names the folder it was built in"
    failed=1
  fi
done
exit $failed
