#!/usr/bin/env python3
"""Writes a synthetic site for the benchmark: PAGES pages spread evenly over
FOLDERS folders in two levels below the root, and one other file for every
ten pages. A site already complete is left as it is."""
import os
import sys

root, pages, folders = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
if os.path.exists(os.path.join(root, ".complete")):
    sys.exit(0)

sections = max(1, folders // 100)
places = [root] + [os.path.join(root, f"section {s}") for s in range(sections)]
places += [os.path.join(places[1 + n % sections], f"topic&{n}") for n in range(folders - len(places))]
body = b"<html><body>page</body></html>\n"
for number, folder in enumerate(places):
    os.makedirs(folder, exist_ok=True)
    share = pages // len(places) + (number < pages % len(places))
    for i in range(share):
        name = f"article {i}.html" if i % 3 else f"Note-{i}.htm"
        with open(os.path.join(folder, name), "wb") as f:
            f.write(body)
        if i % 10 == 0:
            with open(os.path.join(folder, f"image{i}.png"), "wb") as f:
                f.write(body)
open(os.path.join(root, ".complete"), "w").close()
