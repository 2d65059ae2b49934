#!/bin/bash
# The native instalador in hostile surroundings, one row of the table per environment: a
# current folder deleted under it, links in place of the folders it writes into, an install
# root other users cannot read (two runs of a normal user), one it cannot lock, a case-variant
# sibling of the install root, a closed output pipe, and --verify over links.
#
# Every row checks the exit code and the message, that nothing outside the install root changed
# (the checksums of an "outside" folder next to it, full of victims), and the tree the run left:
# for a link in place of a folder, exactly the tree (and messages) of a run that finds a plain
# file standing there; otherwise the tree of a clean run.
# Usage: bad_environments.sh <instalador>
set -u
exe=$(realpath "$1")
. "$(dirname "$0")/tree_checks.sh"

work=$(mktemp -d)
trap 'chmod -R u+rwx "$work" 2>/dev/null; rm -rf "$work"' EXIT
chmod 755 "$work"

# The runs of a normal user: the tests run as root here, so they drop to nobody, who then owns
# the install root as its user would.
as_user=()
owned_by_user() { :; }
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
  owned_by_user() { chown nobody:nogroup "$1"; }
fi

# tree_sum <folder>: every entry below it with its kind (and a link's target), and every file's
# checksum, sorted.
tree_sum() {
  (cd "$1" && {
    find . -mindepth 1 ! -type f -printf '%y %p %l\n'
    find . -type f -print0 | xargs -0 -r sha256sum
  } | LC_ALL=C sort)
}

# without <entry>: the lines of a tree_sum that are not about ./<entry> itself.
without() {
  awk -v p="./$1" '$2 != p'
}

# The Windows form of a host folder as the run words it (z:, backslashes, A to Z lowered).
winpath() {
  printf 'z:%s' "$1" | tr '/' '\\' | tr 'A-Z' 'a-z'
}

# The clean tree every complete run must leave.
mkdir -p "$work/clean/vexon7"
(cd "$work/clean/vexon7" && "$exe" --silent </dev/null >/dev/null 2>&1)
expect_status "the clean reference run" 0 $?
clean=$(tree_sum "$work/clean/vexon7")

# fresh: an empty install root $root with a folder $outside beside it, full of victims.
root="$work/case/x/vexon7"
outside="$work/case/outside"
fresh() {
  chmod -R u+rwx "$work/case" 2>/dev/null
  rm -rf "$work/case"
  mkdir -p "$root" "$outside/sub"
  printf 'victim' >"$outside/pict.txt"
  printf 'victim too' >"$outside/~instalador-1.tmp"
  printf 'victim bitmap' >"$outside/cliente1.bmp"
  printf 'victim in a folder' >"$outside/sub/fundo.jpg"
  chmod -R a+rwX "$outside"
  chmod 755 "$work/case" "$work/case/x"
}

# --- what stands in the way: a link to $outside, or in the reference a plain file ---
# put_<row> <link|file>
in_the_way() {
  mkdir -p "$(dirname "$root/$1")"
  if [ "$2" = link ]; then ln -s "$outside" "$root/$1"; else : >"$root/$1"; fi
}
put_btn() { in_the_way btn "$1"; }
put_edition() { in_the_way btn/pet "$1"; }
put_txt() { in_the_way txt "$1"; }
put_lockfile() {
  if [ "$1" = link ]; then ln -s "$outside/pict.txt" "$root/~instalador.lock"; fi
}
put_none() { :; }
# The user's own install root, which the user may enter and write in but not read; and one the
# user may only enter.
put_unreadable() {
  owned_by_user "$root"
  chmod 0311 "$root"
}
put_unlockable() {
  owned_by_user "$root"
  chmod 0111 "$root"
}
# A complete tree, then a file or an edition folder swapped for a link to a correct copy
# outside, or a file for a folder: what --verify is given to check.
installed() {
  cp -a "$work/clean/vexon7/." "$root/"
  mkdir -p "$outside/copy"
}
put_file_link() {
  installed
  mv "$root/btn/erp/cliente1.bmp" "$outside/copy/"
  ln -s "$outside/copy/cliente1.bmp" "$root/btn/erp/cliente1.bmp"
  tree_before=$(tree_sum "$root")
}
put_file_folder() {
  installed
  rm "$root/btn/erp/cliente1.bmp"
  mkdir "$root/btn/erp/cliente1.bmp"
  tree_before=$(tree_sum "$root")
}
put_folder_link() {
  installed
  mv "$root/btn/pet" "$outside/copy/"
  ln -s "$outside/copy/pet" "$root/btn/pet"
  tree_before=$(tree_sum "$root")
}
put_sibling() {
  rm -rf "$root"
  mkdir -p "$work/case/x/VEXON7" "$work/case/x/vexon7"
  root="$work/case/x/VEXON7"
}

# --- how the run is made; each sets STATUS and leaves its messages in $work/err.txt ---
run_plain() {
  (cd "$root" && "$exe" --silent </dev/null >/dev/null 2>"$work/err.txt")
  STATUS=$?
}
run_deleted_cwd() {
  mkdir -p "$root/gone"
  (cd "$root/gone" && rmdir "$root/gone" && "$exe" --silent </dev/null >/dev/null 2>"$work/err.txt")
  STATUS=$?
}
run_as_user() {
  (cd "$root" && "${as_user[@]}" "$exe" --silent </dev/null >/dev/null 2>"$work/err.txt")
  STATUS=$?
}
# Two runs of a normal user: the first is stopped once it has written files, the second must
# find the install root taken and write nothing; then the first finishes.
run_two_users() {
  local attempt pid n before
  for attempt in 1 2 3; do
    (cd "$root" && exec "${as_user[@]}" "$exe" --silent </dev/null >/dev/null 2>&1) &
    pid=$!
    n=0
    while kill -0 "$pid" 2>/dev/null; do
      n=$(find "$root/btn" -type f 2>/dev/null | wc -l)
      [ "$n" -ge 50 ] && kill -STOP "$pid" && break
    done
    if kill -0 "$pid" 2>/dev/null; then break; fi
    wait "$pid"
    echo "  (the first run ended before it could be stopped; again)"
    chmod 755 "$root"
    rm -rf "$root"/* "$root"/~instalador.lock
    chmod 0311 "$root"
  done
  before=$(tree_sum "$root/btn")
  (cd "$root" && "${as_user[@]}" "$exe" --silent </dev/null >/dev/null 2>"$work/err.txt")
  STATUS=$?
  [ "$(tree_sum "$root/btn")" = "$before" ] && pass "the second run wrote nothing" ||
    fail "the second run changed the tree"
  kill -CONT "$pid"
  wait "$pid"
  expect_status "the first run, let go on" 0 $?
}
run_verify() {
  (cd "$root" && "$exe" --verify </dev/null >"$work/err.txt" 2>&1)
  STATUS=$?
}
run_closed_pipe() {
  (cd "$root" && "$exe" --silent </dev/null 2>&1 | head -c100 >"$work/head.txt"
    exit "${PIPESTATUS[0]}")
  STATUS=$?
  : >"$work/err.txt"
  [ "$(wc -c <"$work/head.txt")" -eq 100 ] && pass "the reader saw the first 100 bytes" ||
    fail "the reader saw $(wc -c <"$work/head.txt") bytes"
}

# --- what the tree must be afterwards ---
# same_as_file <entry>: the tree and messages of the same run with a file in place of the link.
same_as_file() {
  local row=$1 entry=$2 got want
  got=$(tree_sum "$root" | without "$entry")
  local got_err
  got_err=$(messages)
  fresh
  "put_$row" file
  (cd "$root" && "$exe" --silent </dev/null >/dev/null 2>"$work/err.txt")
  want=$(tree_sum "$root" | without "$entry")
  if [ "$got" = "$want" ]; then
    pass "$row: the tree of a run with a file in place of $entry ($(echo "$got" | grep -c '^[0-9a-f]\{64\} ') files)"
  else
    fail "$row: the tree differs from a run with a file in place of $entry"
    diff <(echo "$want") <(echo "$got") | head -5 | sed 's/^/  | /'
  fi
  [ "$got_err" = "$(messages)" ] &&
    pass "$row: the messages of a run with a file in place of $entry" ||
    fail "$row: other messages than with a file in place of $entry"
}
tree_btn() { same_as_file btn btn; }
tree_edition() { same_as_file edition btn/pet; }
tree_txt() { same_as_file txt txt; }
tree_clean() {
  chmod 755 "$root"
  local got
  got=$(tree_sum "$root" | without gone)
  [ "$got" = "$clean" ] && pass "$1: the tree of a clean run" || {
    fail "$1: the tree differs from a clean run"
    diff <(echo "$clean") <(echo "$got") | head -5 | sed 's/^/  | /'
  }
}
tree_empty() {
  chmod 755 "$root"
  [ -z "$(ls -A "$root")" ] && pass "$1: nothing written" || fail "$1: wrote $(ls -A "$root")"
}
tree_unchanged() {
  [ "$(tree_sum "$root")" = "$tree_before" ] && pass "$1: the tree is as it was" ||
    fail "$1: the tree changed"
}
tree_sibling() {
  tree_clean "$1"
  [ -z "$(ls -A "$work/case/x/vexon7")" ] && pass "$1: the sibling vexon7 received nothing" ||
    fail "$1: the sibling vexon7 received $(ls -A "$work/case/x/vexon7" | head -3)"
}
tree_lockfile() {
  [ "$(ls -A "$root")" = "~instalador.lock" ] && [ -L "$root/~instalador.lock" ] &&
    pass "$1: nothing written, the link left as it was" || fail "$1: wrote $(ls -A "$root")"
}
tree_gone() {
  [ -z "$(ls -A "$root")" ] && pass "$1: nothing created" || fail "$1: created $(ls -A "$root")"
}

# The progress lines of a run are not its messages.
messages() { grep -v '^Instalador \[' "$work/err.txt"; }

# name | what stands in the way | how it runs | exit code | message | tree
# The message is a fixed text that must be among the messages, where @ROOT@ stands for the
# install root as the run words it, or "-" for none.
cases=(
  "deleted current folder|none|deleted_cwd|1|Cannot read the current folder: |gone"
  "link in place of btn|btn|plain|1|The system cannot find the path specified.|btn"
  "link in place of an edition folder|edition|plain|1|\\btn\\pet\\cliente1.bmp\". The system cannot find the path specified.|edition"
  "link in place of txt|txt|plain|0|-|txt"
  "link at the lock file's name|lockfile|plain|1|: something other than a file stands at ~instalador.lock there.|lockfile"
  "root other users cannot read, two runs of a user|unreadable|two_users|75|Another installation is running in|clean"
  "root a user can neither read nor write|unlockable|as_user|1|: the lock file ~instalador.lock cannot be created there. Access is denied.|empty"
  "case-variant sibling of the install root|sibling|plain|0|-|sibling"
  "closed output pipe|none|closed_pipe|0|-|clean"
  "--verify: a link to a correct copy in place of a file|file_link|verify|1|not a regular file  @ROOT@\\btn\\erp\\cliente1.bmp|unchanged"
  "--verify: a folder in place of a file|file_folder|verify|1|not a regular file  @ROOT@\\btn\\erp\\cliente1.bmp|unchanged"
  "--verify: a link to a correct copy in place of an edition folder|folder_link|verify|1|9403 files checked under @ROOT@\\btn: 8838 as installed, 0 missing, 0 different, 565 not a regular file; 0 extra.|unchanged"
)

slash_before=$( (ls -d /btn /mysql 2>/dev/null) | tr '\n' ' ')
for row in "${cases[@]}"; do
  IFS='|' read -r name put how want message tree <<<"$row"
  echo "--- $name"
  root="$work/case/x/vexon7"
  fresh
  "put_$put" link
  outside_before=$(tree_sum "$outside")
  "run_$how"
  expect_status "$name" "$want" "$STATUS"
  message=${message//@ROOT@/$(winpath "$root")}
  case "$message" in
    -)
      [ -z "$(messages)" ] && pass "$name: no message" || fail "$name: said $(messages)" ;;
    *)
      if messages | grep -qF -- "$message"; then
        pass "$name: says \"$(messages | grep -F -- "$message" | head -1)\""
      else
        fail "$name: message \"$message\" not in: $(messages)"
      fi ;;
  esac
  case "$put" in
    btn | edition)
      messages | grep -qF "Cannot create file \"$(winpath "$root")\\btn\\" &&
        pass "$name: the error names a file of the install root" ||
        fail "$name: the error names no file of the install root" ;;
    unlockable | lockfile)
      messages | grep -qF "Cannot lock the install root $(winpath "$root"): " &&
        pass "$name: the error names the install root" || fail "$name: $(messages)" ;;
  esac
  [ "$(tree_sum "$outside")" = "$outside_before" ] && pass "$name: nothing outside changed" ||
    fail "$name: the outside folder changed"
  "tree_$tree" "$name"
done
slash_after=$( (ls -d /btn /mysql 2>/dev/null) | tr '\n' ' ')
[ "$slash_before" = "$slash_after" ] && pass "nothing appeared at the host's root" ||
  fail "the host's root had '$slash_before' and has '$slash_after'"

exit $FAILED
