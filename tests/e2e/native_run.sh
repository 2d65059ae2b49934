#!/bin/bash
# Runs the native instalador from temporary install roots and checks the folder tree it leaves.
# Usage: native_run.sh <instalador>
set -u
exe=$(realpath "$1")
. "$(dirname "$0")/tree_checks.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The host's z: is "/", so the database folders are asked for under /mysql/data, which this
# test must leave as it found it.
mysql_before=$([ -e /mysql ] && echo present || echo absent)

# run_in <folder>: runs the installer with <folder> as its current directory; sets STATUS.
run_in() {
  (cd "$1" && "$exe" </dev/null >"$work/out.txt" 2>&1)
  STATUS=$?
  [ "$STATUS" -eq "$RUN_STATUS" ] || sed 's/^/  | /' "$work/out.txt"
}

# Started from the install root itself, then again over the tree it made.
mkdir -p "$work/a/vexon7"
run_in "$work/a/vexon7"
expect_status "run from the install root" "$RUN_STATUS" "$STATUS"
expect_no_errors "run from the install root" "$work/out.txt"
expect_dirs "run from the install root" "$work/a" vexon7 $(btn_tree vexon7)
run_in "$work/a/vexon7"
expect_status "second run over the tree" "$RUN_STATUS" "$STATUS"
expect_no_errors "second run over the tree" "$work/out.txt"
expect_dirs "second run over the tree" "$work/a" vexon7 $(btn_tree vexon7)
expect_no_files_outside_btn "runs from the install root" "$work/a"

# Started from the dedudodevorud subfolder: the tree goes into its parent.
mkdir -p "$work/b/vexon7/dedudodevorud"
run_in "$work/b/vexon7/dedudodevorud"
expect_status "run from dedudodevorud" "$RUN_STATUS" "$STATUS"
expect_no_errors "run from dedudodevorud" "$work/out.txt"
expect_dirs "run from dedudodevorud" "$work/b" vexon7 vexon7/dedudodevorud $(btn_tree vexon7)
expect_no_files_outside_btn "run from dedudodevorud" "$work/b"

# The same in mixed case: the install root is found without regard to case, and the new
# folders join the existing ones instead of making lower-case twins.
mkdir -p "$work/c/Vexon7/DedudoDevorud"
run_in "$work/c/Vexon7/DedudoDevorud"
expect_status "run from Vexon7/DedudoDevorud" "$RUN_STATUS" "$STATUS"
expect_no_errors "run from Vexon7/DedudoDevorud" "$work/out.txt"
expect_dirs "run from Vexon7/DedudoDevorud" "$work/c" Vexon7 Vexon7/DedudoDevorud \
  $(btn_tree Vexon7)

# A run elsewhere than under vexon7 puts its tree into its own current directory.
mkdir -p "$work/d/Other"
run_in "$work/d/Other"
expect_status "run from another folder" "$RUN_STATUS" "$STATUS"
expect_no_errors "run from another folder" "$work/out.txt"
expect_dirs "run from another folder" "$work/d" Other $(btn_tree Other)

# An install root deeper than 260 characters.
deep="$work/e/$(printf 'f%.0s' {1..100})/$(printf 'g%.0s' {1..100})/$(printf 'h%.0s' {1..100})"
mkdir -p "$deep/vexon7/dedudodevorud"
run_in "$deep/vexon7/dedudodevorud"
expect_status "run from a current directory of $(echo -n "$deep/vexon7/dedudodevorud" | wc -c) characters" "$RUN_STATUS" "$STATUS"
expect_no_errors "run from a long current directory" "$work/out.txt"
expect_dirs "run from a long current directory" "$deep" vexon7 vexon7/dedudodevorud \
  $(btn_tree vexon7)

mysql_after=$([ -e /mysql ] && echo present || echo absent)
if [ "$mysql_before" = "$mysql_after" ]; then
  pass "/mysql is $mysql_after as before"
else
  fail "/mysql was $mysql_before and is $mysql_after"
fi

exit $FAILED
