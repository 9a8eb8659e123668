#!/usr/bin/env bash
# Benchmarks the dictionary build on real Russian text.
#
#   scripts/bench_build.sh [BUILD_DIR]
#
# The text comes from the Debian package fortunes-ru (GPL), installed when
# missing and read from the system at run time; it is never copied into the
# repository. The script builds about 10 MB of UTF-8 text from it in a
# temporary folder and measures:
#   1. the whole build process on 10 MB (velmora-cli build, or the build
#      driver when the CLI lacks the subcommand) next to a perl one-liner doing
#      the same job, with hyperfine;
#   2. the peak resident memory of a build of a 1 GB text (the 10 MB text
#      repeated), with /usr/bin/time -v;
#   3. the literal step-by-step operations against the fast ones on 1 MB.
# Targets: 10 MB in at most 60 ms wall time; 1 GB in at most 64 MB peak.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$repo/build-bench}
fortunes=/usr/share/games/fortunes/ru

if [ ! -d "$fortunes" ]; then
  echo "== installing fortunes-ru"
  apt-get install -y --no-install-recommends fortunes-ru >/dev/null
fi
for tool in hyperfine perl /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "needs $tool" >&2; exit 1; }
done

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVELMORA_BUILD_GUI=OFF -DVELMORA_BUILD_BENCH=ON -DVELMORA_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j2 --target velmora-cli velmora-build-driver velmora-build-literal-bench

work=$(mktemp -d /tmp/velmora-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir "$work/dict"

# The fortunes files proper (not the .dat indexes nor the .u8 links), over
# and over, cut at a line end once the size is reached.
sources=$(find "$fortunes" -maxdepth 1 -type f ! -name '*.dat' ! -name '*.u8' | sort)
make_text() {  # make_text BYTES FILE
  while cat $sources; do :; done | perl -ne "print; \$n += length; exit if \$n >= $1" >"$2" || true
}
make_text 10000000 "$work/text10.txt"
make_text 1000000 "$work/text1.txt"
perl -CSD -Mutf8 -ne '$w += () = /[А-Яа-яЁё]+/g; END { print "10 MB text: $w Cyrillic words\n" }' \
  "$work/text10.txt"

# The command line of one build (paths must not hold spaces).
if "$build/bin/velmora-cli" build "$work/text1.txt" --dict "$work/dict" >/dev/null 2>&1; then
  build_cmd() { echo "$build/bin/velmora-cli build $1 --dict $2"; }
else
  echo "(velmora-cli has no build subcommand yet: timing the build driver)"
  build_cmd() { echo "$build/bin/velmora-build-driver $1 $2"; }
fi
rm -f "$work/dict"/*

# The same job in perl: read UTF-8, keep the Russian letters, lower-case,
# words of four or more letters, each once in first-occurrence order,
# written in Windows-1251 with CR LF.
perl_job='binmode STDIN, ":encoding(UTF-8)"; open my $o, ">:raw:encoding(cp1251)", $ARGV[0] or die;
while (<STDIN>) { for (/[А-Яа-яЁё]{4,}/g) { my $w = lc; print $o "$w\r\n" unless $seen{$w}++ } }'

echo
echo "== 1. whole build of 10 MB: velmora vs perl"
$(build_cmd "$work/text10.txt" "$work/dict")
perl -Mutf8 -e "$perl_job" "$work/perl.txt" <"$work/text10.txt"
built=$(ls "$work/dict"/dict_*.txt | head -1)
if cmp -s "$built" "$work/perl.txt"; then
  echo "velmora and perl wrote identical dictionaries ($(wc -l <"$built") words)"
else
  echo "WARNING: velmora and perl dictionaries differ" >&2
fi
hyperfine --warmup 3 --runs 20 --export-markdown "$work/hyperfine.md" \
  -n velmora "$(build_cmd "$work/text10.txt" "$work/dict")" \
  -n perl "perl -Mutf8 -e '$perl_job' $work/perl.txt <$work/text10.txt"

echo
echo "== 2. peak memory of a build of 1 GB"
for _ in $(seq 100); do cat "$work/text10.txt"; done >"$work/text1g.txt"
ls -l "$work/text1g.txt" | awk '{ print "1 GB text: " $5 " bytes" }'
/usr/bin/time -v -o "$work/time.txt" $(build_cmd "$work/text1g.txt" "$work/dict")
grep -E "Maximum resident set size|Elapsed \(wall clock\)" "$work/time.txt"
rm -f "$work/text1g.txt"

echo
echo "== 3. literal operations vs fast ones on 1 MB"
"$build/bin/velmora-build-literal-bench" "$work/text1.txt"
