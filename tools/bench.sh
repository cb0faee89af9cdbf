#!/usr/bin/env bash
# The generation benchmark: a synthetic tree, the generation without its
# summary box, and a bare breadth-first listing of the same tree.
set -euo pipefail
cd "$(dirname "$0")/.."
site=build/bench-site
python3 tools/make_bench_site.py "$site"
tools/wine-run build/tools/sitemap_bench.exe "Z:$(pwd | tr / '\\')\\build\\bench-site"
