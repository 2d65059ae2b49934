#!/bin/bash
# instalador.msi under Wine's msiexec, as a deployment tool runs it: installed with /qn on an
# INSTALLROOT of drive D:, repaired, upgraded, refused, and removed; and installations that fail.
# Usage: msi_run.sh <instalador.msi> <instalador.exe> <win32_filesystem_check.exe>
#                   <native instalador> <packaging/instalador.wxs> <cmake/Msi.cmake> <icon>
# The program's own runs are tested by wine_run.sh; here, what the package adds: where the
# program goes, the root and log it is given, the result the package reports for its exit code,
# the root remembered for repairs and upgrades, and what removal leaves.
#
# One throwaway Wine prefix serves every case; drive D: is a symbolic link in its dosdevices
# folder. msiexec is started from a batch file with "start /wait" (msiexec may return before the
# installation ends otherwise), and its exit code is read from the batch file's
# echo %ERRORLEVEL%: bash would see only the last 8 bits of it.
#
# Windows Installer turns a failing EXE custom action into 1603 (error 1722 in its log); Wine's
# msi turns it into 1627 (ERROR_FUNCTION_FAILED). Both are failures of the installation, and the
# checks take either; what they rule out is success.
set -u
. "$(dirname "$0")/tree_checks.sh"
. "$(dirname "$0")/wine_prefix.sh"

for tool in wine wineboot wineserver winepath cmake; do
  if ! command -v "$tool" >/dev/null; then
    echo "FAIL: $tool is not installed"
    exit 1
  fi
done
for file in "$@"; do
  if [ ! -f "$file" ]; then
    echo "FAIL: $file does not exist (make msi builds the package)"
    exit 1
  fi
done
[ $# -eq 7 ] || { echo "FAIL: usage: msi_run.sh MSI EXE CHECK_EXE NATIVE WXS MSI_CMAKE ICON"; exit 1; }
msi=$(realpath "$1")
exe=$(realpath "$2")
check=$(realpath "$3")
native=$(realpath "$4")
wxs=$(realpath "$5")
msi_cmake=$(realpath "$6")
icon=$(realpath "$7")

work=$(mktemp -d)
new_wine_prefix
d="$work/d"
mkdir -p "$d"
map_d "$d"
cp "$msi" "$d/instalador.msi"

program_dir="$WINEPREFIX/drive_c/Program Files/Varnel/Instalador"
program_log="$WINEPREFIX/drive_c/windows/temp/instalador.log"
product_code=$(grep -o 'define ProductCode = "[^"]*"' "$wxs" | grep -o '[0-9A-F-]\{36\}')

# msiexec <log name> <arguments, as typed at a Windows prompt>: runs msiexec from a batch file
# in C:\windows\system32, with a verbose log in $work/<log name>.log; sets STATUS.
msiexec() {
  local log=$1
  shift
  printf '@echo off\r\nstart "" /wait msiexec %s /l*v "%s"\r\necho exit=%%ERRORLEVEL%%\r\n' \
    "$*" "$(winepath -w "$work/$log.log")" >"$work/msiexec.bat"
  local attempt
  for attempt in 1 2; do
    (cd "$WINEPREFIX/drive_c/windows/system32" &&
      wine cmd /c "$(winepath -w "$work/msiexec.bat")" </dev/null >"$work/out.txt" 2>&1)
    STATUS=$(batch_status "$work/out.txt")
    # 9009 is cmd's "command not found": Wine's cmd now and then fails to start msiexec on a
    # busy machine, before msiexec has done anything. Once more then; msiexec's own codes are
    # never 9009.
    [ "$STATUS" = 9009 ] || break
    echo "note: cmd could not start msiexec (9009); starting it again"
  done
}

# expect_installation_failed <what>: the package reported a failed installation.
expect_installation_failed() {
  case $STATUS in
    1603 | 1627) pass "$1: the installation fails ($STATUS)" ;;
    *) fail "$1: msiexec exits with $STATUS, want a failed installation (1603, or 1627 under Wine)" ;;
  esac
}

# expect_native_tree <what> <root folder>: the pictures under <root folder>/btn are byte for
# byte those of the native run.
expect_native_tree() {
  if diff -r "$work/native/vexon7/btn" "$2/btn" >/dev/null 2>&1; then
    pass "$1: the tree is byte for byte the native tree"
  else
    fail "$1: the tree differs from the native tree"
    diff -rq "$work/native/vexon7/btn" "$2/btn" 2>&1 | head -5 | sed 's/^/  | /'
  fi
}

# expect_not_installed <what>: no program in Program Files and no product registered (removing
# the product code answers 1605, "this action is only valid for products that are installed").
expect_not_installed() {
  if [ ! -e "$program_dir" ]; then pass "$1: no program in Program Files"; else fail "$1: $(ls "$program_dir")"; fi
  msiexec remove-check /x "{$product_code}" /qn
  expect_status "$1: removing the product code" 1605 "$STATUS"
}

# last_end: the program's log's last end: line.
last_end() {
  grep ' end: ' "$program_log" 2>/dev/null | tail -1 | tr -d '\r'
}

# log_starts: how many runs the program's log records.
log_starts() {
  grep -c ' start: instalador ' "$program_log" 2>/dev/null || true
}

mkdir -p "$work/native/vexon7"
(cd "$work/native/vexon7" && DISPLAY= "$native" --silent </dev/null >/dev/null 2>&1)

# --- Installed on D:\vexon7 -------------------------------------------------------------------
mkdir -p "$d/vexon7"
msiexec install /i 'd:\instalador.msi' /qn 'INSTALLROOT=d:\vexon7'
expect_status "msiexec /i instalador.msi /qn INSTALLROOT=d:\\vexon7" 0 "$STATUS"
if cmp -s "$exe" "$program_dir/instalador.exe"; then
  pass "the built instalador.exe is in C:\\Program Files\\Varnel\\Instalador"
else
  fail "C:\\Program Files\\Varnel\\Instalador\\instalador.exe is missing or not the built one"
fi
expect_native_tree "installed by the package on d:\\vexon7" "$d/vexon7"
expect_dirs "installed by the package on d:\\vexon7" "$d" vexon7 $(btn_tree vexon7)
grep -q ' start: .*arguments --silent --root d:\\vexon7\\\. --log C:\\windows\\Temp\\instalador.log' "$program_log" &&
  pass "the program ran with --silent --root d:\\vexon7\\. --log C:\\windows\\Temp\\instalador.log" ||
  fail "the program's start: $(grep ' start:' "$program_log" 2>/dev/null | tail -1)"
grep -q ' end: 9403 files written, 0 failed, .* exit code 0$' <<<"$(last_end)" &&
  pass "C:\\windows\\Temp\\instalador.log ends with the summary" || fail "log: $(last_end)"

# --- Repaired without INSTALLROOT: the remembered root ------------------------------------------
rm "$d/vexon7/btn/pet/fundo.jpg"
printf 'changed' >"$d/vexon7/btn/erp/fundo.jpg"
# A repair as "msiexec /fomus {ProductCode}" asks it; Wine's msiexec has no /f, so by the
# properties it stands for.
msiexec repair /i "{$product_code}" REINSTALL=ALL REINSTALLMODE=omus /qn
expect_status "msiexec /i {ProductCode} REINSTALL=ALL REINSTALLMODE=omus /qn (repair)" 0 "$STATUS"
expect_native_tree "the repair ran the program on the remembered root d:\\vexon7" "$d/vexon7"
[ ! -e "$WINEPREFIX/drive_c/vexon7" ] && pass "the repair wrote nothing under the default C:\\vexon7" ||
  fail "the repair made C:\\vexon7"

# --- Removed: the program goes, the pictures stay -----------------------------------------------
runs=$(log_starts)
msiexec remove /x 'd:\instalador.msi' /qn
expect_status "msiexec /x instalador.msi /qn" 0 "$STATUS"
[ ! -e "$WINEPREFIX/drive_c/Program Files/Varnel" ] && pass "removal takes C:\\Program Files\\Varnel away" ||
  fail "after removal: $(find "$WINEPREFIX/drive_c/Program Files/Varnel" | head -3)"
expect_native_tree "after removal, the pictures" "$d/vexon7"
[ "$(log_starts)" = "$runs" ] && pass "removal does not run the program" ||
  fail "the program ran at removal: $(tail -1 "$program_log")"
if wine reg query 'HKLM\Software\Varnel\Instalador' >/dev/null 2>&1; then
  fail "the remembered install root is still in the registry after removal"
else
  pass "removal forgets the install root"
fi

# --- Installations that fail: the package fails and leaves nothing installed --------------------
# A root that does not exist.
msiexec missing-root /i 'd:\instalador.msi' /qn 'INSTALLROOT=d:\missing'
expect_installation_failed "INSTALLROOT=d:\\missing"
grep -q 'error: The install root "d:\\missing" does not exist' "$program_log" &&
  pass "the program's log says the root does not exist" || fail "log: $(tail -2 "$program_log")"
expect_not_installed "after INSTALLROOT=d:\\missing"
[ ! -e "$d/missing" ] && pass "d:\\missing was not made" || fail "d:\\missing was made"

# A picture that cannot be written (of sheet tbotoes1): the other sheets are written (a picture
# of tbotoes2 comes back), the package fails all the same.
mkdir -p "$d/ro"
cp -r "$work/native/vexon7" "$d/ro/vexon7"
printf 'old' >"$d/ro/vexon7/btn/pet/fundo.jpg"
rm "$d/ro/vexon7/btn/selvo/pequpload1.bmp"
chmod a-w "$d/ro/vexon7/btn/pet/fundo.jpg"
msiexec read-only /i 'd:\instalador.msi' /qn 'INSTALLROOT=d:\ro\vexon7'
expect_installation_failed "INSTALLROOT=d:\\ro\\vexon7 with a read-only picture"
[ "$(cat "$d/ro/vexon7/btn/pet/fundo.jpg")" = old ] &&
  cmp -s "$d/ro/vexon7/btn/selvo/pequpload1.bmp" "$work/native/vexon7/btn/selvo/pequpload1.bmp" &&
  pass "the read-only picture kept, another sheet's picture written" ||
  fail "the tree at d:\\ro\\vexon7 is not as expected"
grep -q ' 1 failed, .* exit code 1$' <<<"$(last_end)" && pass "the program's log counts the failure" ||
  fail "log: $(last_end)"
expect_not_installed "after the read-only picture"

# Another installation on the root: the program's 1618 cannot pass through the package, which
# fails like any other failure (see README, "The MSI package").
mkdir -p "$d/busy/vexon7"
hold_root_lock "$d" 'd:\busy\vexon7'
msiexec busy /i 'd:\instalador.msi' /qn 'INSTALLROOT=d:\busy\vexon7'
release_root_lock
expect_installation_failed "INSTALLROOT=d:\\busy\\vexon7 while another installation holds it"
grep -q ' end: 0 files written, 0 failed, .* exit code 1618$' <<<"$(last_end)" &&
  pass "the program's log records 1618, another installation" || fail "log: $(last_end)"
[ ! -e "$d/busy/vexon7/btn" ] && pass "nothing written on the busy root" || fail "the busy root was written"
expect_not_installed "after the busy root"

# --- A root with a space and a final backslash --------------------------------------------------
mkdir -p "$d/Dados Varnel/vexon7"
msiexec spaced /i 'd:\instalador.msi' /qn 'INSTALLROOT="d:\Dados Varnel\vexon7\"'
expect_status "INSTALLROOT=\"d:\\Dados Varnel\\vexon7\\\"" 0 "$STATUS"
expect_native_tree "INSTALLROOT with a space and a final backslash" "$d/Dados Varnel/vexon7"

# --- Upgraded by the next version, built as a developer would: a new ProductCode ---------------
next="$work/next"
mkdir -p "$next"
sed -e "s/define ProductCode = \"[^\"]*\"/define ProductCode = \"$(cat /proc/sys/kernel/random/uuid | tr a-z A-Z)\"/" \
  -e 's/define ProductCodeVersion = "[^"]*"/define ProductCodeVersion = "99.0.0"/' "$wxs" >"$next/instalador.wxs"
if cmake -DWIXL="$(command -v wixl)" -DMSIINFO="$(command -v msiinfo)" -DMSIBUILD="$(command -v msibuild)" \
     -DWXS="$next/instalador.wxs" -DEXE="$exe" -DICON="$icon" -DVERSION=99.0.0 -DFILE_VERSION=99.0.0.0 \
     -DOUT="$d/next.msi" -P "$msi_cmake" >"$next/build.txt" 2>&1; then
  rm "$d/Dados Varnel/vexon7/btn/pet/fundo.jpg"
  msiexec upgrade /i 'd:\next.msi' /qn
  expect_status "msiexec /i next.msi /qn (version 99.0.0 over the installed one)" 0 "$STATUS"
  expect_native_tree "the upgrade ran the program on the remembered root" "$d/Dados Varnel/vexon7"
  msiexec old-gone /x "{$product_code}" /qn
  expect_status "the upgraded version is gone: removing its product code" 1605 "$STATUS"
  # The older package over the newer one is refused on Windows (the downgrade row of the
  # Upgrade table, checked by msi_tables.sh); Wine's msi reads the row's empty VersionMax as
  # version 0 and never finds the newer product, so that refusal cannot be seen here.
  msiexec remove-next /x 'd:\next.msi' /qn
  expect_status "msiexec /x next.msi /qn" 0 "$STATUS"
  [ ! -e "$WINEPREFIX/drive_c/Program Files/Varnel" ] && pass "removing the upgrade takes C:\\Program Files\\Varnel away" ||
    fail "after removing the upgrade: $(find "$WINEPREFIX/drive_c/Program Files/Varnel" | head -3)"
  expect_native_tree "after removing the upgrade, the pictures" "$d/Dados Varnel/vexon7"
else
  fail "the next version's package could not be built"
  sed 's/^/  | /' "$next/build.txt"
fi

exit $FAILED
