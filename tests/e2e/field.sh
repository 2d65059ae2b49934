#!/bin/bash
# The native instalador as deployment tools and technicians start it: an install root given on
# the command line (from anywhere), installer-style switches, the log, and the folders a run
# refuses to take for the product's folder.
# Usage: field.sh <instalador>
set -u
exe=$(realpath "$1")
. "$(dirname "$0")/tree_checks.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# run_from <folder> <args...>: runs the installer there without a display; sets STATUS, and the
# files out.txt and err.txt.
run_from() {
  local dir=$1
  shift
  (cd "$dir" && DISPLAY= TMPDIR="$work/tmp" "$exe" "$@" </dev/null >"$work/out.txt" 2>"$work/err.txt")
  STATUS=$?
}
mkdir -p "$work/tmp"

# expect_in <what> <file> <fixed text>: the text is there, letter case aside (the install root
# text is lower-cased, as the product composes it).
expect_in() {
  if grep -qiF -- "$3" "$2"; then pass "$1"; else fail "$1: no \"$3\" in $(basename "$2")"; sed 's/^/  | /' "$2" | tail -5; fi
}

# count_files <folder>: regular files below it.
count_files() {
  find "$1" -type f 2>/dev/null | wc -l
}

# --- started in a folder of the operating system: refused, nothing written ---
# /proc takes no new folders, so even a run that went wrong could leave nothing there.
run_from /proc --silent --log "$work/refused.log"
expect_status "a run started in /proc" 1 "$STATUS"
expect_in "the refusal says what to do" "$work/err.txt" "Start instalador from the product's folder, or give --root."
expect_in "the refusal is in the log" "$work/refused.log" "is a folder of the operating system"
expect_in "the log ends with the exit code" "$work/refused.log" "exit code 1"

# --- the install root given on purpose, from the file system's root ---
root="$work/r1/vexon7"
mkdir -p "$root"
run_from / --silent --root "$root"
expect_status "--root from /" 0 "$STATUS"
n=$(count_files "$root/btn")
[ "$n" -eq 9403 ] && pass "--root from / writes 9403 files under the root given" || fail "$n files under $root/btn"
run_from / --list --root "$root"
expect_status "--list --root" 0 "$STATUS"
lines=$(grep -c $'\t' "$work/out.txt")
[ "$lines" -eq 9403 ] && pass "--list --root prints 9403 writes" || fail "--list --root: $lines lines"
grep -qiF "z:${root//\//\\}\\btn\\" "$work/out.txt" && pass "--list --root names the root given" ||
  fail "--list --root paths: $(head -1 "$work/out.txt")"
run_from / --verify --root "$root/dedudodevorud/.."
expect_status "--verify --root" 0 "$STATUS"
expect_in "--verify --root checks the root given" "$work/out.txt" "9403 files checked under z:"

# --- installer-style switches, any letter case, and the log ---
root="$work/r2/vexon7"
mkdir -p "$root/dedudodevorud"
run_from "$work" /VerySilent /SUPPRESSMSGBOXES /norestart "/DIR=$root/dedudodevorud" "/LOG=$work/r2.log"
expect_status "/VERYSILENT /DIR= /LOG=" 0 "$STATUS"
n=$(count_files "$root/btn")
[ "$n" -eq 9403 ] && pass "/DIR= names the product folder through its dedudodevorud subfolder" || fail "$n files under $root/btn"
[ ! -e "$root/dedudodevorud/btn" ] && pass "nothing in the subfolder" || fail "btn made in the subfolder"
expect_in "the log has the start" "$work/r2.log" "start: instalador "
expect_in "the log has the arguments" "$work/r2.log" "arguments /VerySilent /SUPPRESSMSGBOXES"
expect_in "the log names the root" "$work/r2.log" "install root z:"
expect_in "the log has each sheet" "$work/r2.log" "sheet tBotoes5: done, 2076 files written"
expect_in "the log has the summary" "$work/r2.log" "end: 9403 files written, 0 failed, "
grep -qE '^[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9:]{8}[+-][0-9]{2}:[0-9]{2} end: .*exit code 0$' "$work/r2.log" &&
  pass "the last line is timestamped and ends with the exit code" || fail "last line: $(tail -1 "$work/r2.log")"
# A second run adds to the log; started without --silent where nobody could see a window, it
# runs silent and says so.
run_from "$root" --log "$work/r2.log"
expect_status "a run without a display" 0 "$STATUS"
[ "$(grep -c ' start: ' "$work/r2.log")" -eq 2 ] && pass "a second run adds to the log" || fail "the log was not added to"
expect_in "the log says the run went silent without a display" "$work/r2.log" "unattended (no display): running as --silent"
# /LOG alone: instalador.log in the temporary folder.
run_from "$root" /S /LOG
expect_status "/S /LOG" 0 "$STATUS"
expect_in "/LOG alone writes instalador.log in the temporary folder" "$work/tmp/instalador.log" "end: 9403 files written"

# --- a write that fails: the log names the file, the exit code says so ---
chmod a-w "$root/btn/pet/fundo.jpg"
run_from "$root" --silent --log "$work/r3.log"
expect_status "a run with a read-only target" 1 "$STATUS"
expect_in "the log names the file that failed" "$work/r3.log" "(file z:${root//\//\\}\\btn\\pet\\fundo.jpg, picture tbotoes1 fundopet.Picture)"
expect_in "the log has the sheet that stopped" "$work/r3.log" "sheet tbotoes1: stopped after"
expect_in "the summary counts the failure" "$work/r3.log" " 1 failed, "
expect_in "stderr names the file beside the product's message" "$work/err.txt" "  file z:${root//\//\\}\\btn\\pet\\fundo.jpg"
chmod u+w "$root/btn/pet/fundo.jpg"

# --- install roots that cannot be used, and logs that cannot be kept: nothing is written ---
printf 'x' >"$work/afile"
mkdir -p "$work/empty"
for bad in "--root $work/afile|is not a folder" "--root $work/missing/vexon7|does not exist" \
  "--log $work/missing/x.log|Cannot open the log file" "--log $work/afile/x.log|Cannot open the log file" \
  "--log $work/empty|Cannot open the log file"; do
  args=${bad%%|*}
  want=${bad#*|}
  run_from "$work/empty" --silent $args
  expect_status "$args" 1 "$STATUS"
  expect_in "$args: clear message" "$work/err.txt" "$want"
done
[ -z "$(ls -A "$work/empty")" ] && [ ! -e "$work/missing" ] && pass "nothing written by a run that could not start" ||
  fail "a run that could not start wrote: $(ls -A "$work/empty")"
# As a user without rights on the log's folder.
if command -v setpriv >/dev/null && [ "$(id -u)" -eq 0 ]; then
  mkdir -p "$work/locked" "$work/userroot/vexon7"
  chmod 0555 "$work/locked"
  chmod 0777 "$work/userroot/vexon7"
  chmod o+x "$work"
  (cd "$work/userroot/vexon7" && DISPLAY= setpriv --reuid=65534 --regid=65534 --clear-groups \
    "$exe" --silent --log "$work/locked/x.log" </dev/null >"$work/out.txt" 2>"$work/err.txt")
  STATUS=$?
  expect_status "a log in a folder the user may not write" 1 "$STATUS"
  expect_in "a log in a folder the user may not write: clear message" "$work/err.txt" "Cannot open the log file"
  [ -z "$(ls -A "$work/userroot/vexon7")" ] && pass "nothing written without the log" || fail "written without the log"
else
  echo "skip: setpriv or root is missing; the unwritable log folder is not tried"
fi

# --- an install root named with letters outside ASCII ---
root="$work/Ação/Vexon7"
mkdir -p "$root"
run_from / --silent --root "$root"
expect_status "--root with accented letters" 0 "$STATUS"
n=$(count_files "$root/btn")
[ "$n" -eq 9403 ] && pass "the accented root receives the tree" || fail "$n files under $root/btn"

exit $FAILED
