#!/usr/bin/env bash
# The generation benchmark: synthetic sites outside the repository (made
# once, kept between runs), the generation against a bare listing of the
# same tree in alternating pairs, and the peak memory at two sizes.
set -euo pipefail
cd "$(dirname "$0")/.."
sites="${QUORREL_BENCH_SITES:-${TMPDIR:-/tmp}/quorrel-bench}"
windows_path() { echo "Z:${1//\//\\}"; }
bench() { tools/wine-run build/tools/sitemap_bench.exe "$@" | tr -d '\r'; }

python3 tools/make_bench_site.py "$sites/pages-20000" 20000 200
python3 tools/make_bench_site.py "$sites/pages-100000" 100000 1000
echo "Sites in $sites"
bench pairs "$(windows_path "$sites/pages-100000")" "${QUORREL_BENCH_PAIRS:-7}"
bench memory "$(windows_path "$sites/pages-20000")"
bench memory "$(windows_path "$sites/pages-100000")"
# On request, a site of a million pages (written in 21 parts; made once, about
# 5 GB of small files, a minute to make).
if [ -n "${QUORREL_BENCH_MILLION:-}" ]; then
  python3 tools/make_bench_site.py "$sites/pages-1000000" 1000000 10000
  bench pairs "$(windows_path "$sites/pages-1000000")" 3
  bench memory "$(windows_path "$sites/pages-1000000")"
fi
