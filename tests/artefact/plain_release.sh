#!/bin/bash
# A packager's plain build: cmake -G Ninja -DCMAKE_BUILD_TYPE=Release, nothing else, with GCC
# and with clang.
#   plain_release.sh SOURCE_DIR
#
# - Configured plainly, warnings are not errors (VARNEL_WERROR is off; only the presets turn it
#   on), so a compiler or optimisation level we have not met cannot fail the build.
# - At Release's -O3, GCC 12 warned of overlapping copies and over-reads that cannot happen
#   (-Wrestrict, -Wstringop-overread) in these sources, written since so that it does not: they
#   compile without a warning, warnings as errors, with both compilers.
# The rest of the build is the presets' own, which compile everything with warnings as errors.
# A whole plain build per compiler takes 4 to 6 minutes on a 2-core machine; these objects
# take well under one.
set -u
src=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}

sensitive='/(Names|Pack|PosixFileSystem|install_vs_tar|store_bench)\.cpp\.o$'
for compiler in g++ clang++; do
  build=$work/$compiler
  if ! cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
         -DCMAKE_CXX_COMPILER="$compiler" >"$work/configure.log" 2>&1; then
    fail "$compiler: the plain configuration failed"
    tail -20 "$work/configure.log" | sed 's/^/  | /'
    continue
  fi
  grep -q '^VARNEL_WERROR:BOOL=OFF$' "$build/CMakeCache.txt" &&
    ! grep -q -- '-Werror' "$build/build.ninja" &&
    echo "ok: $compiler: plainly configured, warnings are not errors" ||
    fail "$compiler: a plain configuration makes warnings errors"

  cmake -DVARNEL_WERROR=ON "$build" >"$work/configure.log" 2>&1 || fail "$compiler: reconfiguring"
  mapfile -t objects < <(ninja -C "$build" -t targets all | cut -d: -f1 | grep -E "$sensitive")
  if [ ${#objects[@]} -ne 5 ]; then
    fail "$compiler: found ${#objects[@]} of the 5 objects: ${objects[*]}"
    continue
  fi
  if ninja -C "$build" "${objects[@]}" >"$work/build.log" 2>&1 && ! grep -q 'warning:' "$work/build.log"; then
    echo "ok: $compiler -O3: $(printf '%s ' "${objects[@]##*/}")without a warning"
  else
    fail "$compiler -O3: warnings in $(printf '%s ' "${objects[@]##*/}")"
    grep -E 'warning:|error:' "$work/build.log" | head -10 | sed 's/^/  | /'
  fi
done
exit $failed
