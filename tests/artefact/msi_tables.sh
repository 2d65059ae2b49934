#!/bin/bash
# instalador.msi read back from its tables with msiinfo (msitools): what the package must hold
# whichever wixl built it. A wixl that sequences the custom action elsewhere, makes it immediate
# or impersonated, drops INSTALLROOT from the secure properties, or builds a 32-bit package fails
# here, before any Windows machine sees it. Also: the program inside is the built one, and a new
# version cannot be packaged under the old ProductCode.
#   msi_tables.sh INSTALADOR.MSI INSTALADOR.EXE PROJECT_VERSION INSTALADOR.WXS MSI.CMAKE ICON
set -u
msi=$(realpath "$1")
exe=$(realpath "$2")
version=$3
wxs=$(realpath "$4")
msi_cmake=$(realpath "$5")
icon=$(realpath "$6")
failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}
pass() { echo "ok: $*"; }
for tool in msiinfo msiextract wixl msibuild cmake; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (msitools, wixl)"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The upgrade code administrators' tools and every earlier version know the product by.
upgrade_code='{537CD9CD-9256-47CD-A6CC-16EF4A247480}'

# row TABLE KEY: the tab-separated row of TABLE whose first column is KEY (the header's three
# lines left out).
row() {
  msiinfo export "$msi" "$1" | tr -d '\r' | tail -n +4 | awk -F'\t' -v key="$2" '$1 == key'
}
# column TABLE KEY N: column N of that row.
column() {
  row "$1" "$2" | cut -f"$3"
}
# expect <what> <want> <got>
expect() {
  if [ "$2" = "$3" ]; then pass "$1: $3"; else fail "$1: '$3', want '$2'"; fi
}

# --- A per-machine 64-bit package of this version ------------------------------------------------
template=$(msiinfo suminfo "$msi" | sed -n 's/^Template: //p')
expect "summary Template (64-bit, English)" 'x64;1033' "$template"
expect "ALLUSERS" 1 "$(column Property ALLUSERS 2)"
expect "UpgradeCode" "$upgrade_code" "$(column Property UpgradeCode 2)"
expect "ProductVersion" "$version" "$(column Property ProductVersion 2)"
[ -z "$(row Property INSTALLROOT)" ] && pass "INSTALLROOT has no default in the Property table" ||
  fail "INSTALLROOT in the Property table: $(row Property INSTALLROOT)"
grep -qE '(^|;)INSTALLROOT(;|$)' <<<"$(column Property SecureCustomProperties 2)" &&
  pass "INSTALLROOT is a secure property" ||
  fail "SecureCustomProperties: '$(column Property SecureCustomProperties 2)'"

# --- instalador.exe in Program Files\Varnel\Instalador, versioned ------------------------------
expect "instalador.exe's folder" $'VarnelFolder\tInstalador' "$(row Directory INSTALLDIR | cut -f2,3)"
expect "Varnel's folder" $'ProgramFiles64Folder\tVarnel' "$(row Directory VarnelFolder | cut -f2,3)"
expect "instalador.exe's component and name" $'Program\tinstalador.exe' "$(row File InstaladorExe | cut -f2,3)"
expect "the component's folder" INSTALLDIR "$(column Component Program 3)"
attributes=$(column Component Program 4)
(((${attributes:-0} & 256) != 0)) && pass "a 64-bit component (attributes $attributes)" ||
  fail "the component is not 64-bit (attributes '$attributes')"
IFS=. read -r major minor patch tweak <<<"$version"
expect "instalador.exe's file version" "${major:-0}.${minor:-0}.${patch:-0}.${tweak:-0}" \
  "$(column File InstaladorExe 5)"
[ -z "$(row MsiFileHash InstaladorExe)" ] && pass "no file hash for the versioned instalador.exe" ||
  fail "instalador.exe has a file hash beside its version"
mkdir -p "$work/extract"
(cd "$work/extract" && msiextract "$msi" >/dev/null)
if cmp -s "$exe" "$work/extract/Varnel/Instalador/instalador.exe"; then
  pass "the package carries the built instalador.exe"
else
  fail "the package's instalador.exe is not the built one: $(cd "$work/extract" && find . -type f)"
fi

# --- The custom action: the installed program, deferred, as LocalSystem, its exit code checked --
# Type 3090 = 18 (an executable installed by this package, Source = its File key)
#           + 1024 (deferred, in the installation script) + 2048 (not impersonated);
# neither 64 (exit code ignored) nor 128 (not waited for).
expect "RunInstalador's type" 3090 "$(column CustomAction RunInstalador 2)"
expect "RunInstalador's file" InstaladorExe "$(column CustomAction RunInstalador 3)"
expect "RunInstalador's command line" \
  '--silent --root "[INSTALLROOT]\." --log "[WindowsFolder]Temp\instalador.log"' \
  "$(column CustomAction RunInstalador 4)"
for action in UseRememberedInstallRoot DefaultInstallRoot; do
  type=$(column CustomAction "$action" 2)
  ((((${type:-0}) & 63) == 51)) && pass "$action sets a property (type $type)" ||
    fail "$action's type '$type' is not a property-setting action (51)"
  expect "$action's property" INSTALLROOT "$(column CustomAction "$action" 3)"
done
expect "DefaultInstallRoot's value" 'C:\vexon7' "$(column CustomAction DefaultInstallRoot 4)"
expect "UseRememberedInstallRoot's value" '[REMEMBEREDINSTALLROOT]' \
  "$(column CustomAction UseRememberedInstallRoot 4)"
expect "the remembered root's registry value" \
  $'2\tSoftware\\Varnel\\Instalador\tInstallRoot\t[INSTALLROOT]' \
  "$(msiinfo export "$msi" Registry | tr -d '\r' | tail -n +4 | cut -f2-5)"

# --- Sequences ---------------------------------------------------------------------------------
# in_order TABLE ACTION...: each action is in TABLE, in this order.
in_order() {
  local table=$1
  shift
  local previous="" previous_sequence=-1 action sequence
  for action in "$@"; do
    sequence=$(column "$table" "$action" 3)
    if [ -z "$sequence" ]; then
      fail "$table: no $action"
      return
    fi
    if [ "$sequence" -le "$previous_sequence" ]; then
      fail "$table: $action ($sequence) does not come after $previous ($previous_sequence)"
      return
    fi
    previous=$action
    previous_sequence=$sequence
  done
  pass "$table: $* in this order"
}
in_order InstallExecuteSequence AppSearch UseRememberedInstallRoot DefaultInstallRoot \
  InstallInitialize InstallFiles WriteRegistryValues RunInstalador InstallFinalize
in_order InstallUISequence AppSearch UseRememberedInstallRoot DefaultInstallRoot ExecuteAction
expect "RunInstalador's condition (never on removal)" 'NOT REMOVE' \
  "$(column InstallExecuteSequence RunInstalador 2)"
expect "UseRememberedInstallRoot's condition" 'NOT INSTALLROOT AND REMEMBEREDINSTALLROOT' \
  "$(column InstallExecuteSequence UseRememberedInstallRoot 2)"
expect "DefaultInstallRoot's condition" 'NOT INSTALLROOT' \
  "$(column InstallExecuteSequence DefaultInstallRoot 2)"

# --- Upgrades: earlier versions replaced, a later one refuses this package ----------------------
upgrade_rows=$(msiinfo export "$msi" Upgrade | tr -d '\r' | tail -n +4)
older=$(awk -F'\t' -v code="$upgrade_code" -v v="$version" '$1 == code && $2 == "" && $3 == v' <<<"$upgrade_rows")
newer=$(awk -F'\t' -v code="$upgrade_code" -v v="$version" '$1 == code && $2 == v && $3 == ""' <<<"$upgrade_rows")
# Attributes bit 2: only detect, never remove.
older_attributes=$(cut -f5 <<<"$older")
newer_attributes=$(cut -f5 <<<"$newer")
[ -n "$older" ] && [ "$(cut -f7 <<<"$older")" = WIX_UPGRADE_DETECTED ] &&
  (((${older_attributes:-0} & 2) == 0)) &&
  pass "earlier versions are found to be removed (WIX_UPGRADE_DETECTED)" ||
  fail "no Upgrade row for earlier versions: $upgrade_rows"
[ -n "$newer" ] && (((${newer_attributes:-0} & 2) != 0)) &&
  [ "$(cut -f7 <<<"$newer")" = WIX_DOWNGRADE_DETECTED ] &&
  [ -n "$(row LaunchCondition 'NOT WIX_DOWNGRADE_DETECTED')" ] &&
  pass "a later version is only detected, and refuses the installation" ||
  fail "no downgrade refusal: $upgrade_rows / $(msiinfo export "$msi" LaunchCondition | tail -n +4)"
in_order InstallExecuteSequence FindRelatedProducts LaunchConditions RemoveExistingProducts

# --- A new version needs a new ProductCode ------------------------------------------------------
out=$(cmake -DWIXL="$(command -v wixl)" -DMSIINFO="$(command -v msiinfo)" \
  -DMSIBUILD="$(command -v msibuild)" -DWXS="$wxs" -DEXE="$exe" -DICON="$icon" \
  -DVERSION=99.0.0 -DFILE_VERSION=99.0.0.0 -DOUT="$work/other.msi" -P "$msi_cmake" 2>&1)
rc=$?
[ $rc -ne 0 ] && grep -q 'give this version a new ProductCode' <<<"$out" && [ ! -e "$work/other.msi" ] &&
  [ ! -e "$work/other.msi.partial" ] &&
  pass "version 99.0.0 is not packaged under this version's ProductCode" ||
  fail "packaging version 99.0.0 with the same ProductCode: exit $rc, $(ls "$work")"

exit $failed
