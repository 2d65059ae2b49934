#!/usr/bin/env bash
# Signs the Windows artefacts in place with osslsigncode (Authenticode, SHA-256):
# build/windows/instalador.exe, and build/windows/instalador.msi when there is one; or the files
# named on the command line. A file signed before gets the new signature in place of the old.
#
#   VARNEL_SIGN_PFX=varnel.pfx VARNEL_SIGN_PASS=... scripts/sign.sh [FILE...]   (make sign)
#
# VARNEL_SIGN_PFX is the code-signing certificate with its private key (PKCS#12), and
# VARNEL_SIGN_PASS its password (may be empty). The password reaches osslsigncode through a
# file only this user can read, never on a command line that other users can list.
#
# No time stamp is added: that needs a time-stamping service on the network, which the real
# signing step reaches (osslsigncode's -ts option). Without one, the signature is valid until
# the certificate expires.
set -euo pipefail
root=$(dirname "$0")/..

if [ -z "${VARNEL_SIGN_PFX:-}" ]; then
  echo "sign: no certificate. Set VARNEL_SIGN_PFX to the code-signing certificate (.pfx) and" >&2
  echo "      VARNEL_SIGN_PASS to its password, e.g. VARNEL_SIGN_PFX=varnel.pfx VARNEL_SIGN_PASS=... make sign" >&2
  exit 2
fi
if [ ! -r "$VARNEL_SIGN_PFX" ]; then
  echo "sign: cannot read the certificate $VARNEL_SIGN_PFX" >&2
  exit 2
fi
if ! command -v osslsigncode >/dev/null; then
  echo "sign: osslsigncode is not installed (scripts/install-deps.sh installs it)" >&2
  exit 2
fi

files=("$@")
if [ ${#files[@]} -eq 0 ]; then
  files=("$root/build/windows/instalador.exe")
  [ -f "$root/build/windows/instalador.msi" ] && files+=("$root/build/windows/instalador.msi")
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
umask 077
printf '%s' "${VARNEL_SIGN_PASS:-}" >"$work/pass"

for file in "${files[@]}"; do
  if [ ! -f "$file" ]; then
    echo "sign: $file does not exist (build it first: make windows)" >&2
    exit 1
  fi
  # Signed into a copy, which replaces the file only once complete.
  signed="$work/$(basename "$file")"
  if ! osslsigncode sign -pkcs12 "$VARNEL_SIGN_PFX" -readpass "$work/pass" -h sha256 \
         -n "Varnel instalador" -in "$file" -out "$signed" >"$work/log" 2>&1; then
    echo "sign: could not sign $file:" >&2
    sed 's/^/  | /' "$work/log" >&2
    exit 1
  fi
  cat "$signed" >"$file"
  echo "signed $file"
done
