#!/usr/bin/env python3
"""Writes the benchmark's synthetic site: about 20,000 pages in three levels
of folders, plus some thousands of other files."""
import os
import sys

root = sys.argv[1]
if os.path.exists(os.path.join(root, ".complete")):
    sys.exit(0)

def put(folder, names):
    os.makedirs(folder, exist_ok=True)
    for name in names:
        with open(os.path.join(folder, name), "w") as f:
            f.write("<html><body>" + name + "</body></html>\n")

put(root, [f"page{i}.html" for i in range(10)])
for a in range(20):
    level1 = os.path.join(root, f"section{a}")
    put(level1, [f"intro{i}.htm" for i in range(10)])
    for b in range(10):
        level2 = os.path.join(level1, f"topic {b}")
        put(level2, [f"article{i}.html" for i in range(15)] + ["style.css"])
        for c in range(4):
            level3 = os.path.join(level2, f"part{c}")
            put(level3, [f"note&{i}.html" for i in range(21)] + [f"image{i}.png" for i in range(5)])
open(os.path.join(root, ".complete"), "w").close()
