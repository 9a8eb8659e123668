#!/usr/bin/env bash
# Regenerates the bundled Russian word-form list from Debian's hunspell-ru.
#
# Usage: scripts/make_dictionary.sh [OUTPUT]
#   OUTPUT defaults to dict/russian_forms.cp1251.txt under the repository root.
#
# Steps: take the lower-case а-яё entries of /usr/share/hunspell/ru_RU.dic,
# expand their affix rules with unmunch (run on KOI8-R copies, because unmunch
# works byte by byte), keep forms made only of а-яё, de-duplicate, sort in
# Russian alphabetical order (ё is its own letter between е and ж), and write
# Windows-1251 with CR LF line ends. The text steps live in
# make_dictionary_helper.py next to this script.
#
# Needs the Debian packages hunspell-ru (1:7.5.0-1 gives the expected result),
# hunspell-tools (unmunch) and python3. When run as root, missing packages are
# installed with apt-get; otherwise the script names them and stops.
#
# Prints the SHA-256 of the result and exits non-zero if it differs from the
# expected one (the file is written either way, so it can be inspected).

set -euo pipefail

readonly EXPECTED_SHA256=467fa7d59f47112db1c282c29d64f56170e106460f9b5244756973da984ffc28
readonly EXPECTED_HUNSPELL_RU=1:7.5.0-1
readonly HUNSPELL_DIR=/usr/share/hunspell

script_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo_root=$(cd "$script_dir/.." && pwd)
output=${1:-$repo_root/dict/russian_forms.cp1251.txt}
helper=$script_dir/make_dictionary_helper.py

die() { echo "make_dictionary: $*" >&2; exit 1; }

# --- dependencies -----------------------------------------------------------
missing=()
dpkg -s hunspell-ru >/dev/null 2>&1 || missing+=(hunspell-ru)
command -v unmunch >/dev/null 2>&1 || missing+=(hunspell-tools)
command -v python3 >/dev/null 2>&1 || missing+=(python3)
if ((${#missing[@]})); then
    if [[ $(id -u) -eq 0 ]]; then
        echo "Installing: ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
    else
        die "missing packages; install them with: sudo apt-get install ${missing[*]}"
    fi
fi
[[ -f $HUNSPELL_DIR/ru_RU.dic && -f $HUNSPELL_DIR/ru_RU.aff ]] ||
    die "$HUNSPELL_DIR/ru_RU.dic or .aff not found"

version=$(dpkg-query -W -f='${Version}' hunspell-ru)
if [[ $version != "$EXPECTED_HUNSPELL_RU" ]]; then
    echo "warning: hunspell-ru is $version, not $EXPECTED_HUNSPELL_RU;" \
         "the checksum will probably differ" >&2
fi

# --- build in a temporary directory ----------------------------------------
work=$(mktemp -d "${TMPDIR:-/tmp}/make_dictionary.XXXXXX")
trap 'rm -rf "$work"' EXIT

python3 "$helper" prepare "$HUNSPELL_DIR/ru_RU.dic" "$HUNSPELL_DIR/ru_RU.aff" \
    "$work/ru.dic" "$work/ru.aff"
# unmunch reports its parsing on stderr; keep it only for failures.
unmunch "$work/ru.dic" "$work/ru.aff" >"$work/forms.koi8" 2>"$work/unmunch.log" || {
    tail -n 20 "$work/unmunch.log" >&2
    die "unmunch failed"
}
python3 "$helper" finish "$work/forms.koi8" "$work/result.txt"

mkdir -p "$(dirname "$output")"
cp "$work/result.txt" "$output"

# --- verify -----------------------------------------------------------------
actual=$(sha256sum "$output" | cut -d' ' -f1)
echo "$output"
echo "SHA-256: $actual"
if [[ $actual != "$EXPECTED_SHA256" ]]; then
    echo "MISMATCH: expected $EXPECTED_SHA256" >&2
    exit 1
fi
echo "OK: matches the expected SHA-256"
