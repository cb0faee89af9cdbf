#!/usr/bin/env bash
# The download as `make dist` writes it, made into a scratch folder: named
# for the version, holding exactly the build's quorrel.exe and README.txt,
# whose every line ends in CR LF. Usage: dist_test.sh REPOSITORY SCRATCH
set -euo pipefail
rm -rf "$2"
trap 'rm -rf "$2"' EXIT
zip="$("$1/tools/dist.sh" "$2")"
python3 - "$zip" "$1/build/quorrel.exe" <<'CHECK'
import os, sys, zipfile
name, program = sys.argv[1:]
assert os.path.basename(name) == "quorrel-2.3.zip", name
entries = zipfile.ZipFile(name)
assert sorted(entries.namelist()) == ["README.txt", "quorrel.exe"], entries.namelist()
assert entries.read("quorrel.exe") == open(program, "rb").read(), "not the build's quorrel.exe"
text = entries.read("README.txt")
assert text.endswith(b"\r\n") and text.count(b"\n") == text.count(b"\r\n"), "README.txt without CR LF"
CHECK
