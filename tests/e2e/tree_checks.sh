# Shared checks of the end-to-end runs: the folder tree an install run leaves behind.
# Sourced by the run scripts; every check prints what it saw and sets FAILED on a mismatch.

FAILED=0

EDITION_FOLDERS="selvo beauty clean lexor padaria dental erp orvix control frentedecaixa mercado
caixa gourmet varnel oficina pet otica tarnix producao relatorio sindicato boletologo"

fail() {
  echo "FAIL: $*"
  FAILED=1
}

pass() {
  echo "ok:   $*"
}

# expect_status <what> <want> <got>
expect_status() {
  if [ "$3" -eq "$2" ]; then pass "$1 exits with $2"; else fail "$1 exits with $3, want $2"; fi
}

# expect_dirs <what> <base> <relative folder>... : the folders under <base> are exactly these.
expect_dirs() {
  local what=$1 base=$2
  shift 2
  local want got
  want=$(printf '%s\n' "$@" | LC_ALL=C sort)
  got=$(cd "$base" && find . -mindepth 1 -type d | sed 's|^\./||' | LC_ALL=C sort)
  if [ "$want" = "$got" ]; then
    pass "$what: folder tree"
  else
    fail "$what: folder tree differs (- wanted, + found)"
    diff <(echo "$want") <(echo "$got") | grep '^[<>]' | sed 's/^</  -/; s/^>/  +/'
  fi
}

# btn_tree <root>: the btn folder and its edition folders below <root>, one per line.
btn_tree() {
  echo "$1/btn"
  local folder
  for folder in $EDITION_FOLDERS; do echo "$1/btn/$folder"; done
}

# expect_no_files_outside_btn <what> <base>: the run wrote no file except under btn/.
expect_no_files_outside_btn() {
  local stray
  stray=$(cd "$2" && find . -type f ! -path '*/btn/*' ! -path './check/*' | head -5)
  if [ -z "$stray" ]; then pass "$1: no file outside btn"; else fail "$1: files outside btn: $stray"; fi
}

# A complete run ends with exit code 0.
RUN_STATUS=0

# expect_no_errors <what> <output file>: the run reported no error.
expect_no_errors() {
  local got
  got=$(tr -d '\r' <"$2" | grep '^Varnel Configuração de ambiente: ')
  if [ -z "$got" ]; then
    pass "$1: no error reported"
  else
    fail "$1: errors reported"
    echo "$got" | sed 's/^/  | /'
  fi
}
