#!/bin/bash
# The technician's side of the native instalador, end to end: the options, an unattended run,
# the check of an installed tree, the write plan, a second run at the same time, and a run
# killed at several points and started again.
# Usage: operations.sh <instalador>
set -u
exe=$(realpath "$1")
. "$(dirname "$0")/tree_checks.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# run_here <folder> <args...>: runs the installer there; sets STATUS, OUT and ERR files.
run_here() {
  local dir=$1
  shift
  (cd "$dir" && DISPLAY= "$exe" "$@" </dev/null >"$work/out.txt" 2>"$work/err.txt")
  STATUS=$?
}

# --- the command line ---
mkdir -p "$work/cli/vexon7"
run_here "$work/cli/vexon7" --help
expect_status "--help" 0 "$STATUS"
grep -q -- '--verify' "$work/out.txt" && pass "--help lists the options" || fail "--help text"
run_here "$work/cli/vexon7" --version
expect_status "--version" 0 "$STATUS"
grep -q '^instalador ' "$work/out.txt" && pass "--version names the program" || fail "--version"
run_here "$work/cli/vexon7" --bogus
expect_status "an unknown argument" 2 "$STATUS"
grep -q 'Unknown argument "--bogus"' "$work/err.txt" && pass "unknown argument: clear message" ||
  fail "unknown argument message: $(cat "$work/err.txt")"
[ ! -e "$work/cli/vexon7/btn" ] && pass "the command line alone writes nothing" ||
  fail "the command line wrote something"

# --- an unattended run writes what the normal run writes ---
mkdir -p "$work/silent/vexon7" "$work/plain/vexon7"
run_here "$work/silent/vexon7" --silent
expect_status "--silent" 0 "$STATUS"
run_here "$work/plain/vexon7"
expect_status "the plain run" 0 "$STATUS"
if diff -r "$work/silent/vexon7" "$work/plain/vexon7" >/dev/null; then
  pass "--silent leaves the same tree as the plain run"
else
  fail "--silent and the plain run leave different trees"
fi
count=$(find "$work/silent/vexon7/btn" -type f | wc -l)
[ "$count" -eq 9403 ] && pass "a complete run leaves 9403 files" || fail "$count files, want 9403"

# --- the write plan ---
mkdir -p "$work/list/vexon7"
run_here "$work/list/vexon7" --list
expect_status "--list" 0 "$STATUS"
lines=$(wc -l <"$work/out.txt")
fields=$(awk -F'\t' 'NF != 6' "$work/out.txt" | wc -l)
[ "$lines" -eq 9403 ] && pass "--list prints 9403 writes" || fail "--list prints $lines lines"
[ "$fields" -eq 0 ] && pass "--list lines have six tab-separated fields" || fail "$fields bad lines"
[ -z "$(ls -A "$work/list/vexon7")" ] && pass "--list writes nothing" || fail "--list wrote files"
# Each planned write names the file and the size an installation leaves.
awk -F'\t' '{ p = $1; p = substr(p, index(p, "\\btn\\") + 1); gsub(/\\/, "/", p); print p "\t" $6 }' \
  "$work/out.txt" | sort >"$work/planned.txt"
(cd "$work/silent/vexon7" && find btn -type f -printf '%p\t%s\n') | sort >"$work/installed.txt"
if diff "$work/planned.txt" "$work/installed.txt" >"$work/plan-diff.txt"; then
  pass "--list gives every installed file with its size"
else
  fail "--list and the installed tree differ: $(head -3 "$work/plan-diff.txt")"
fi

# --- the check of an installed tree ---
root="$work/silent/vexon7"
run_here "$root" --verify
expect_status "--verify on a clean tree" 0 "$STATUS"
grep -q '9403 files checked' "$work/out.txt" && pass "--verify sums up" ||
  fail "--verify summary: $(tail -1 "$work/out.txt")"
rm "$root/btn/erp/cliente1.bmp"
printf 'x' >>"$root/btn/pet/fundo.jpg"
printf 'x' >"$root/btn/selvo/stray.bmp"
run_here "$root" --verify
expect_status "--verify on a damaged tree" 1 "$STATUS"
for want in "missing .*erp.cliente1.bmp" "different .*pet.fundo.jpg" "extra .*selvo.stray.bmp"; do
  grep -q "^$want" "$work/out.txt" && pass "--verify reports: $want" || fail "--verify misses: $want"
done
grep -q '9401 as installed, 1 missing, 1 different; 1 extra' "$work/out.txt" &&
  pass "--verify counts each kind" || fail "--verify summary: $(tail -1 "$work/out.txt")"
[ "$(cat "$root/btn/selvo/stray.bmp")" = x ] && pass "--verify changes nothing" ||
  fail "--verify changed the tree"

# --- a second run at the same time on the same install root ---
mkdir -p "$work/busy/vexon7"
(cd "$work/busy/vexon7" && flock . sh -c 'DISPLAY= "$0" --silent' "$exe" \
  >"$work/out.txt" 2>"$work/err.txt" </dev/null)
STATUS=$?
expect_status "a run while another holds the install root" 75 "$STATUS"
grep -q 'Another installation is running' "$work/err.txt" &&
  pass "the second run says an installation is running" || fail "message: $(cat "$work/err.txt")"
[ -z "$(ls -A "$work/busy/vexon7")" ] && pass "the second run writes nothing" ||
  fail "the second run wrote: $(ls "$work/busy/vexon7")"

# --- killed at several points, then run again: the tree of a clean run, nothing beside it ---
reference="$work/plain/vexon7"
for at in 50 2500 7000; do
  dir="$work/killed-$at/vexon7"
  mkdir -p "$dir"
  (cd "$dir" && DISPLAY= exec "$exe" --silent </dev/null >/dev/null 2>&1) &
  pid=$!
  while kill -0 "$pid" 2>/dev/null; do
    n=$(find "$dir" -type f 2>/dev/null | wc -l)
    [ "$n" -ge "$at" ] && break
  done
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  written=$(find "$dir" -type f | wc -l)
  # What a killed write may leave behind, plus one made by hand to be sure the clean-up runs.
  printf 'half' >"$dir/btn/erp/~instalador-999.tmp"
  run_here "$dir" --silent
  expect_status "the run after a kill at $written files" 0 "$STATUS"
  if diff -r "$reference" "$dir" >/dev/null; then
    pass "killed at $written files, run again: the tree of a clean run"
  else
    fail "killed at $written files, run again: the tree differs from a clean run"
    diff -r "$reference" "$dir" | head -5 | sed 's/^/  | /'
  fi
done

exit $FAILED
