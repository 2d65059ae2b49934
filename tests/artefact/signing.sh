#!/bin/bash
# make sign's script on a copy of instalador.exe, with a throwaway self-signed code-signing
# certificate made here: the signature verifies against that certificate, a tampered copy does
# not, and without a certificate or with a wrong password nothing is signed. With the package,
# the same for a copy of instalador.msi, which stays a package Windows Installer can read.
#   signing.sh SIGN_SCRIPT INSTALADOR.EXE [INSTALADOR.MSI]
set -u
sign=$(realpath "$1")
exe=$(realpath "$2")
msi=${3:+$(realpath "$3")}
failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}
pass() { echo "ok: $*"; }
# Adds one to the byte in the middle of file $1, whose offset it leaves in $middle.
flip_middle_byte() {
  middle=$(($(stat -c %s "$1") / 2))
  local byte
  byte=$(od -An -tu1 -j "$middle" -N1 "$1" | tr -d ' ')
  printf "$(printf '\\%03o' $(((byte + 1) % 256)))" |
    dd of="$1" bs=1 seek="$middle" conv=notrunc status=none
}
for tool in openssl osslsigncode; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 \
  -subj "/CN=Varnel test signing/O=Varnel" -addext "extendedKeyUsage=codeSigning" \
  -addext "keyUsage=critical,digitalSignature" >openssl.log 2>&1 &&
  openssl pkcs12 -export -inkey key.pem -in cert.pem -out cert.pfx -passout 'pass:a pass; with $pace' \
    >>openssl.log 2>&1 || { cat openssl.log; echo "FAIL: no throwaway certificate"; exit 1; }

# Without a certificate: a clear word and a failure, the file untouched.
cp "$exe" unsigned.exe
cp "$exe" instalador.exe
out=$(env -u VARNEL_SIGN_PFX "$sign" "$work/instalador.exe" 2>&1)
rc=$?
[ $rc -ne 0 ] && grep -q VARNEL_SIGN_PFX <<<"$out" && cmp -s instalador.exe unsigned.exe &&
  pass "without a certificate: exit $rc, '$(head -1 <<<"$out")'" ||
  fail "without a certificate: exit $rc, '$out'"

# A wrong password: a failure, the file untouched.
out=$(VARNEL_SIGN_PFX=cert.pfx VARNEL_SIGN_PASS=wrong "$sign" "$work/instalador.exe" 2>&1)
rc=$?
[ $rc -ne 0 ] && cmp -s instalador.exe unsigned.exe && pass "a wrong password: exit $rc" ||
  fail "a wrong password: exit $rc, $(cmp instalador.exe unsigned.exe 2>&1)"

# Signed, then signed again (a new signature replaces the old one).
for round in first second; do
  out=$(VARNEL_SIGN_PFX=cert.pfx VARNEL_SIGN_PASS='a pass; with $pace' "$sign" "$work/instalador.exe" 2>&1)
  rc=$?
  [ $rc -eq 0 ] || fail "$round signing: exit $rc: $out"
  osslsigncode verify -CAfile cert.pem -in instalador.exe >verify.log 2>&1
  rc=$?
  signatures=$(grep -o 'Number of verified signatures: [0-9]*' verify.log | grep -o '[0-9]*$')
  [ $rc -eq 0 ] && grep -q 'Signature verification: ok' verify.log && [ "$signatures" = 1 ] &&
    pass "$round signing verifies against the certificate, $signatures signature" ||
    { fail "$round signing does not verify (exit $rc)"; sed 's/^/  | /' verify.log | tail -15; }
done
[ -x instalador.exe ] && pass "the signed file is still executable" || fail "the signed file lost its mode"

# Trusting another certificate instead, the signature is refused.
openssl req -x509 -newkey rsa:2048 -nodes -keyout other-key.pem -out other.pem -days 2 \
  -subj "/CN=Someone else" >>openssl.log 2>&1
osslsigncode verify -CAfile other.pem -in instalador.exe >untrusted.log 2>&1
rc=$?
[ $rc -ne 0 ] && grep -q 'Signature verification: failed' untrusted.log &&
  pass "trusting another certificate, the signature is refused" ||
  fail "trusting another certificate: exit $rc"

# One changed byte in the middle of the file (the embedded pictures): refused.
cp instalador.exe tampered.exe
flip_middle_byte tampered.exe
cmp -s tampered.exe instalador.exe && fail "the tampered copy was not changed"
osslsigncode verify -CAfile cert.pem -in tampered.exe >tampered.log 2>&1
rc=$?
[ $rc -ne 0 ] && grep -q 'Signature verification: failed' tampered.log &&
  pass "a copy with one byte changed at $middle is refused" || fail "a tampered copy: exit $rc"

# instalador.msi: signed twice (the second signature replaces the first), verified, still a
# package msiinfo reads; one changed byte in the middle (the embedded cabinet) is refused.
if [ -n "$msi" ]; then
  command -v msiinfo >/dev/null || { echo "FAIL: msiinfo is not installed (msitools)"; exit 1; }
  cp "$msi" instalador.msi
  for round in first second; do
    out=$(VARNEL_SIGN_PFX=cert.pfx VARNEL_SIGN_PASS='a pass; with $pace' "$sign" "$work/instalador.msi" 2>&1)
    rc=$?
    [ $rc -eq 0 ] || fail "$round signing of the package: exit $rc: $out"
  done
  osslsigncode verify -CAfile cert.pem -in instalador.msi >verify-msi.log 2>&1
  rc=$?
  signatures=$(grep -o 'Number of verified signatures: [0-9]*' verify-msi.log | grep -o '[0-9]*$')
  [ $rc -eq 0 ] && grep -q 'Signature verification: ok' verify-msi.log && [ "$signatures" = 1 ] &&
    pass "the signed package verifies against the certificate, $signatures signature" ||
    { fail "the signed package does not verify (exit $rc)"; sed 's/^/  | /' verify-msi.log | tail -15; }
  cmp -s instalador.msi "$msi" && fail "the signed package is the unsigned one"
  [ "$(msiinfo export instalador.msi Property 2>/dev/null | grep -c '^ProductCode')" = 1 ] &&
    [ "$(msiinfo export instalador.msi CustomAction)" = "$(msiinfo export "$msi" CustomAction)" ] &&
    pass "the signed package's tables read as before" || fail "the signed package's tables cannot be read"
  cp instalador.msi tampered.msi
  flip_middle_byte tampered.msi
  cmp -s tampered.msi instalador.msi && fail "the tampered package was not changed"
  osslsigncode verify -CAfile cert.pem -in tampered.msi >tampered-msi.log 2>&1
  rc=$?
  [ $rc -ne 0 ] && grep -q 'Signature verification: failed' tampered-msi.log &&
    pass "a package with one byte changed at $middle is refused" ||
    { fail "a tampered package: exit $rc"; tail -5 tampered-msi.log | sed 's/^/  | /'; }
fi

exit $failed
