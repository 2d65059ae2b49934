#!/bin/bash
# Runs instalador.exe under Wine from install roots on a drive D: and checks the folder tree,
# then runs the Win32 file system check program there.
# Usage: wine_run.sh <instalador.exe> <win32_filesystem_check.exe> [native instalador]
# With the native program, the tree the Windows build writes is compared with the native one.
#
# One throwaway Wine prefix serves every case of the run (creating one takes several seconds);
# drive D: is a symbolic link in the prefix's dosdevices folder, re-pointed at a fresh folder for
# each case. Every run here is without a display (the terminal front). A wineserver started
# without a display breaks a later run with one, so the server is stopped when the test ends.
set -u
. "$(dirname "$0")/tree_checks.sh"
. "$(dirname "$0")/wine_prefix.sh"

for tool in wine wineboot wineserver; do
  if ! command -v "$tool" >/dev/null; then
    echo "FAIL: $tool is not installed (Debian packages wine and wine64)"
    exit 1
  fi
done
for program in "$1" "$2"; do
  if [ ! -f "$program" ]; then
    echo "FAIL: $program does not exist (build the windows preset first)"
    exit 1
  fi
done
exe=$(realpath "$1")
check=$(realpath "$2")
native=${3:+$(realpath "$3")}

work=$(mktemp -d)
new_wine_prefix

# expect_windows_cwd <unix folder> <windows path>: Wine names <unix folder> <windows path>, so a
# program started there sees that current directory.
expect_windows_cwd() {
  local got
  got=$(cd "$1" && wine cmd /c cd 2>/dev/null | tr -d '\r')
  if [ "$got" = "$2" ]; then pass "Wine's current directory is $2"; else fail "Wine's current directory is '$got', want $2"; fi
}

# run_in <unix folder> <program> [args]: runs <program> under Wine from <unix folder>; sets STATUS.
run_in() {
  local dir=$1
  shift
  (cd "$dir" && wine "$@" </dev/null >"$work/out.txt" 2>&1)
  STATUS=$?
  # On an unexpected status, what the program said (its passed checks left out).
  local want=0
  [ "$1" = "$exe" ] && want=$RUN_STATUS
  [ "$STATUS" -eq "$want" ] || tr -d '\r' <"$work/out.txt" | grep -v '^ok' | sed 's/^/  | /'
}

# The database folders the installer makes for the install root \sistemas\vexon7.
mysql_tree() {
  echo mysql mysql/data mysql/data/sistemas mysql/data/sistemas/vexon7 mysql/data/sistemas/vexon7tmp
}

# Started from D:\sistemas\vexon7 with D:\mysql\data\sistemas in place, then again.
d1="$work/d1"
mkdir -p "$d1/sistemas/vexon7" "$d1/mysql/data/sistemas"
map_d "$d1"
expect_windows_cwd "$d1/sistemas/vexon7" 'D:\sistemas\vexon7'
run_in "$d1/sistemas/vexon7" "$exe"
expect_status "run from D:\\sistemas\\vexon7" "$RUN_STATUS" "$STATUS"
expect_no_errors "run from D:\\sistemas\\vexon7" "$work/out.txt"
expect_dirs "run from D:\\sistemas\\vexon7" "$d1" $(mysql_tree) sistemas sistemas/vexon7 \
  $(btn_tree sistemas/vexon7)
run_in "$d1/sistemas/vexon7" "$exe"
expect_status "second run over the tree" "$RUN_STATUS" "$STATUS"
expect_no_errors "second run over the tree" "$work/out.txt"
expect_dirs "second run over the tree" "$d1" $(mysql_tree) sistemas sistemas/vexon7 \
  $(btn_tree sistemas/vexon7)
expect_no_files_outside_btn "runs from D:\\sistemas\\vexon7" "$d1"

# The Windows build writes, byte for byte, the tree the native build writes.
if [ -n "$native" ]; then
  mkdir -p "$work/native/vexon7"
  (cd "$work/native/vexon7" && DISPLAY= "$native" --silent </dev/null >/dev/null 2>&1)
  if diff -r "$work/native/vexon7/btn" "$d1/sistemas/vexon7/btn" >/dev/null; then
    pass "the tree under Wine is byte for byte the native tree ($(find "$d1/sistemas/vexon7/btn" -type f | wc -l) files)"
  else
    fail "the tree under Wine differs from the native tree"
    diff -rq "$work/native/vexon7/btn" "$d1/sistemas/vexon7/btn" | head -5 | sed 's/^/  | /'
  fi
fi
# The technician's options of the Windows build.
run_in "$d1/sistemas/vexon7" "$exe" --verify
expect_status "--verify under Wine" 0 "$STATUS"
tr -d '\r' <"$work/out.txt" | grep -q '^9403 files checked under d:\\sistemas\\vexon7\\btn: 9403 as installed' &&
  pass "--verify under Wine finds the tree as installed" ||
  fail "--verify under Wine: $(tr -d '\r' <"$work/out.txt" | tail -1)"
run_in "$d1/sistemas/vexon7" "$exe" --list
lines=$(tr -d '\r' <"$work/out.txt" | grep -c $'\t')
[ "$lines" -eq 9403 ] && pass "--list under Wine prints 9403 writes" || fail "--list under Wine: $lines"
if [ -n "$native" ]; then
  run_in "$d1/sistemas/vexon7" "$exe" --version
  if [ "$(tr -d '\r' <"$work/out.txt")" = "$("$native" --version)" ]; then
    pass "--version under Wine prints what the native program prints: $(head -1 "$work/out.txt" | tr -d '\r')"
  else
    fail "--version under Wine: '$(tr -d '\r' <"$work/out.txt")'"
  fi
fi

# A link in place of an edition folder: Wine shows a host's symbolic link to a folder as a
# reparse point, which the run does not follow, so nothing outside the install root changes.
d6="$work/d6"
mkdir -p "$d6/sistemas/vexon7/btn" "$d6/outside"
printf 'victim' >"$d6/outside/cliente1.bmp"
printf 'victim too' >"$d6/outside/~instalador-1.tmp"
ln -s "$d6/outside" "$d6/sistemas/vexon7/btn/pet"
outside_before=$(cd "$d6/outside" && ls -A && sha256sum -- *)
map_d "$d6"
RUN_STATUS=1 run_in "$d6/sistemas/vexon7" "$exe" --silent
expect_status "run with a link in place of btn\\pet" 1 "$STATUS"
tr -d '\r' <"$work/out.txt" |
  grep -qF 'Cannot create file "d:\sistemas\vexon7\btn\pet\cliente1.bmp".' &&
  pass "the link in place of btn\\pet is a folder that cannot be used" ||
  fail "link in place of btn\\pet: $(tr -d '\r' <"$work/out.txt" | grep -v '^Instalador' | head -2)"
[ "$(cd "$d6/outside" && ls -A && sha256sum -- *)" = "$outside_before" ] &&
  pass "nothing outside the install root changed" || fail "the outside folder changed"

# One lock for runs of both systems on one install root: the byte Windows locks in
# ~instalador.lock is the byte a Linux run locks (Wine, like a file server, maps the one onto the
# other). A native run stopped half-way keeps the Windows run out, and a Windows run under way
# keeps a native run out; neither leaves the lock file behind.
if [ -n "$native" ]; then
  d7="$work/d7"
  mkdir -p "$d7/sistemas/vexon7"
  map_d "$d7"
  (cd "$d7/sistemas/vexon7" && DISPLAY= exec "$native" --silent </dev/null >/dev/null 2>&1) &
  holder=$!
  while kill -0 "$holder" 2>/dev/null; do
    [ "$(find "$d7/sistemas/vexon7" -type f | wc -l)" -ge 50 ] && kill -STOP "$holder" && break
  done
  if kill -0 "$holder" 2>/dev/null; then
    before=$(find "$d7/sistemas/vexon7" -type f | wc -l)
    # 1618, of which bash sees the last 8 bits.
    RUN_STATUS=82 run_in "$d7/sistemas/vexon7" "$exe" --silent
    expect_status "the Windows run beside a native run" 82 "$STATUS"
    tr -d '\r' <"$work/out.txt" | grep -qF 'Another installation is running in d:\sistemas\vexon7.' &&
      pass "the Windows run finds the install root taken by the native run" ||
      fail "the Windows run said: $(tr -d '\r' <"$work/out.txt" | head -2)"
    [ "$(find "$d7/sistemas/vexon7" -type f | wc -l)" -eq "$before" ] &&
      pass "the Windows run wrote nothing" || fail "the Windows run wrote files"
    kill -CONT "$holder"
  else
    fail "the native run ended before it could be stopped"
  fi
  wait "$holder"
  expect_status "the native run, let go on" 0 $?

  rm -rf "$d7/sistemas/vexon7"
  mkdir -p "$d7/sistemas/vexon7"
  (cd "$d7/sistemas/vexon7" && exec wine "$exe" --silent </dev/null >/dev/null 2>&1) &
  holder=$!
  while kill -0 "$holder" 2>/dev/null; do
    [ "$(find "$d7/sistemas/vexon7" -type f | wc -l)" -ge 50 ] && break
  done
  (cd "$d7/sistemas/vexon7" && DISPLAY= "$native" --silent </dev/null >/dev/null 2>"$work/err.txt")
  STATUS=$?
  if kill -0 "$holder" 2>/dev/null; then
    expect_status "the native run beside a Windows run" 75 "$STATUS"
    grep -q 'Another installation is running in' "$work/err.txt" &&
      pass "the native run finds the install root taken by the Windows run" ||
      fail "the native run said: $(head -2 "$work/err.txt")"
  else
    fail "the Windows run ended before the native run was started"
  fi
  wait "$holder"
  expect_status "the Windows run" 0 $?
  [ ! -e "$d7/sistemas/vexon7/~instalador.lock" ] && pass "no lock file is left behind" ||
    fail "the lock file was left behind"
fi

# Started from the dedudodevorud subfolder: the same install root.
d2="$work/d2"
mkdir -p "$d2/sistemas/vexon7/dedudodevorud" "$d2/mysql/data/sistemas"
map_d "$d2"
expect_windows_cwd "$d2/sistemas/vexon7/dedudodevorud" 'D:\sistemas\vexon7\dedudodevorud'
run_in "$d2/sistemas/vexon7/dedudodevorud" "$exe"
expect_status "run from D:\\sistemas\\vexon7\\dedudodevorud" "$RUN_STATUS" "$STATUS"
expect_no_errors "run from D:\\sistemas\\vexon7\\dedudodevorud" "$work/out.txt"
expect_dirs "run from D:\\sistemas\\vexon7\\dedudodevorud" "$d2" $(mysql_tree) sistemas \
  sistemas/vexon7 sistemas/vexon7/dedudodevorud $(btn_tree sistemas/vexon7)

# Mixed case and no database folder on the drive: the database folders fail quietly, the tree
# joins the existing folders whatever their case.
d3="$work/d3"
mkdir -p "$d3/Sistemas/Vexon7/DedudoDevorud"
map_d "$d3"
run_in "$d3/Sistemas/Vexon7/DedudoDevorud" "$exe"
expect_status "run from D:\\Sistemas\\Vexon7\\DedudoDevorud" "$RUN_STATUS" "$STATUS"
expect_no_errors "run from D:\\Sistemas\\Vexon7\\DedudoDevorud" "$work/out.txt"
expect_dirs "run from D:\\Sistemas\\Vexon7\\DedudoDevorud" "$d3" Sistemas Sistemas/Vexon7 \
  Sistemas/Vexon7/DedudoDevorud $(btn_tree Sistemas/Vexon7)

# An install root with letters outside ASCII: only A to Z are lowered, the accented capitals
# stay as they are and still name the existing folder. (A current directory past 260
# characters cannot be handed to a new process under Wine, which then starts it in C:\windows;
# the check program below covers long current directories from inside the process.)
d5="$work/d5"
mkdir -p "$d5/AÇÃO/Vexon7"
map_d "$d5"
run_in "$d5/AÇÃO/Vexon7" "$exe"
expect_status "run from D:\\AÇÃO\\Vexon7" "$RUN_STATUS" "$STATUS"
expect_no_errors "run from D:\\AÇÃO\\Vexon7" "$work/out.txt"
expect_dirs "run from D:\\AÇÃO\\Vexon7" "$d5" AÇÃO AÇÃO/Vexon7 $(btn_tree AÇÃO/Vexon7)

# --- As a deployment tool starts it: current folder C:\windows\system32 ---
# run_batch <unix folder> <args...>: runs instalador.exe from a batch file, as deployment tools
# and start-up scripts do, and reads its exit code whole (bash sees only its last 8 bits); sets
# STATUS and out.txt.
sys32="$WINEPREFIX/drive_c/windows/system32"
run_batch() {
  local dir=$1
  shift
  printf '@echo off\r\n"%s" %%*\r\necho exit=%%ERRORLEVEL%%\r\n' "$(winepath -w "$exe")" >"$work/run.bat"
  (cd "$dir" && wine cmd /c "$(winepath -w "$work/run.bat")" "$@" </dev/null >"$work/out.txt" 2>&1)
  STATUS=$(batch_status "$work/out.txt")
}
d6="$work/d6"
mkdir -p "$d6/vexon7"
map_d "$d6"
run_batch "$sys32"
expect_status "a run started in C:\\windows\\system32" 1 "$STATUS"
tr -d '\r' <"$work/out.txt" | grep -qF "Start instalador from the product's folder, or give --root." &&
  pass "the refusal says what to do" || fail "refusal message: $(tr -d '\r' <"$work/out.txt" | head -3)"
[ ! -e "$sys32/btn" ] && pass "nothing under system32\\btn" || fail "system32\\btn was made"
run_batch "$sys32" /VERYSILENT /SUPPRESSMSGBOXES /NORESTART '/DIR=d:\vexon7' '/LOG=d:\log.txt'
expect_status "/VERYSILENT /DIR=d:\\vexon7 /LOG=d:\\log.txt from system32" 0 "$STATUS"
[ ! -e "$sys32/btn" ] && pass "still nothing under system32\\btn" || fail "system32\\btn was made"
if [ -n "$native" ] && diff -r "$work/native/vexon7/btn" "$d6/vexon7/btn" >/dev/null; then
  pass "the tree at d:\\vexon7 is byte for byte the native tree"
else
  fail "the tree at d:\\vexon7 differs from the native tree"
fi
grep -q ' end: 9403 files written, 0 failed, .* exit code 0' "$d6/log.txt" &&
  pass "the log ends with the summary" || fail "log: $(tail -2 "$d6/log.txt" 2>/dev/null)"
grep -q ' start: instalador .*arguments /VERYSILENT /SUPPRESSMSGBOXES /NORESTART /DIR=d:\\vexon7' "$d6/log.txt" &&
  pass "the log starts with the arguments" || fail "log start: $(head -1 "$d6/log.txt" 2>/dev/null)"

# An install root with letters outside ASCII, given on the command line.
mkdir -p "$d6/Ação/vexon7"
run_batch "$sys32" /S '/DIR=d:\Ação\vexon7'
expect_status "/DIR=d:\\Ação\\vexon7" 0 "$STATUS"
n=$(find "$d6/Ação/vexon7/btn" -type f 2>/dev/null | wc -l)
[ "$n" -eq 9403 ] && pass "the accented root given on the command line receives the tree" ||
  fail "$n files under Ação/vexon7/btn"

# A second installation on the same root, while the first holds it: 1618, nothing written.
mkdir -p "$d6/busy/vexon7"
hold_root_lock "$d6" 'd:\busy\vexon7'
run_batch "$d6/busy/vexon7" --silent
release_root_lock
expect_status "a run while another holds the install root" 1618 "$STATUS"
tr -d '\r' <"$work/out.txt" | grep -q 'Another installation is running' &&
  pass "the second run says another installation is running" || fail "message: $(tr -d '\r' <"$work/out.txt" | head -2)"
[ ! -e "$d6/busy/vexon7/btn" ] && pass "the second run writes nothing" || fail "the second run wrote"

# A file that cannot be written: exit code 1, and the log names it.
chmod a-w "$d6/vexon7/btn/pet/fundo.jpg"
run_batch "$d6/vexon7" --silent '--log=d:\fail.txt'
chmod u+w "$d6/vexon7/btn/pet/fundo.jpg"
expect_status "a run with a read-only target" 1 "$STATUS"
grep -qiF '(file d:\vexon7\btn\pet\fundo.jpg, picture tbotoes1 fundopet.Picture)' "$d6/fail.txt" &&
  pass "the log names the file that failed" || fail "log: $(grep error "$d6/fail.txt" | head -2)"
grep -q ' 1 failed, .* exit code 1' "$d6/fail.txt" && pass "the log counts the failure" ||
  fail "log end: $(tail -1 "$d6/fail.txt")"

# The file system's own checks, in an empty folder D:\check, and its confinement on D:\links:
# Wine cannot make junctions, but shows a host's symbolic link to a folder as a reparse point,
# so the links below the two install roots there are symbolic links to D:\links\outside.
d4="$work/d4"
mkdir -p "$d4/check" "$d4/links/outside" "$d4/links/root1" "$d4/links/root2/btn"
printf 'victim' >"$d4/links/outside/pict.txt"
printf 'victim too' >"$d4/links/outside/~instalador-1.tmp"
printf 'victim bitmap' >"$d4/links/outside/victim.bmp"
ln -s "$d4/links/outside" "$d4/links/root1/btn"
ln -s "$d4/links/outside" "$d4/links/root2/btn/pet"
ln -s "$d4/links/outside" "$d4/links/root2/txt"
ln -s "$d4/links/outside/victim.bmp" "$d4/links/root2/btn/a.bmp"
outside_before=$(cd "$d4/links/outside" && ls -A && sha256sum -- *)
map_d "$d4"
run_in "$d4" "$check" 'D:\check' 'D:\links'
expect_status "Win32 file system check" 0 "$STATUS"
outside_after=$(cd "$d4/links/outside" && ls -A && sha256sum -- *)
[ "$outside_after" = "$outside_before" ] &&
  pass "nothing outside the confined roots changed" || fail "the outside folder changed"
# The accented folder it made carries the same name on the host.
if [ -d "$d4/check/Ação" ]; then pass "accented folder name on the host"; else fail "no folder Ação on the host"; fi

exit $FAILED
