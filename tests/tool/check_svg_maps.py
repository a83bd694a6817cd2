#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Draws every kind of deviation map with the tavrisk program and checks each SVG: well-formed
# XML, one "point" mark per measured point, the extremes ringed (two rings each) or, on a map of
# a minimum zone, each support point the program printed (two rings each), the two circles of a
# roundness zone, and the caption carrying the figure the program printed. A file name full of markup characters and a byte that
# is not UTF-8 must still give well-formed XML and JSON. Maps of more points than a map holds
# marks for (250000) draw one point in a stride, as their caption says, lines as faces do.
# Usage: check_svg_maps.py TAVRISK DATA_DIR
import json
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

SVG = "{http://www.w3.org/2000/svg}"
tool, data = sys.argv[1], sys.argv[2]
scratch = tempfile.mkdtemp(prefix="tavrisk_svg_")
awkward = os.path.join(scratch.encode(), b"a&b<c>\"d'\xff.txt")
shutil.copyfile(os.path.join(data, "face.txt"), awkward)
face, edge = os.path.join(data, "face.txt"), os.path.join(data, "edge.txt")
contour = [os.path.join(data, "contour-measured.txt"), os.path.join(data, "contour-nominal.txt")]
MAPS = [  # arguments, the figure in the caption, extreme rings, a caption word
    (["flatness", face, "--unit", "mm", "--criterion", "least-squares"], "flatness", 4,
     "Flatness"),
    (["flatness", face, "--unit", "mm"], "/form/0/width", 0, "minimum zone"),
    (["fit-plane", face], "rms_residual", 4, "Best-fit plane"),
    (["fit-line", edge], "length", 2, "Best-fit line"),
    (["straightness", edge, "--criterion", "least-squares"], "straightness", 4, "Straightness"),
    (["straightness", edge], "/form/0/width", 0, "minimum zone"),
    (["roundness", contour[0]], "roundness", 0, "Roundness"),
    (["roundness", contour[0], "--criterion", "inscribed"], "roundness", 0, "inscribed"),
    (["profile"] + contour + ["--exaggerate", "300"], "profile", 4, "300 times larger"),
    (["flatness", awkward], None, 0, "Flatness"),
]


def figure(printed, key):
    """The printed figure at key: a top-level name or a JSON pointer."""
    if not key.startswith("/"):
        return printed[key]
    for part in key[1:].split("/"):
        printed = printed[int(part)] if isinstance(printed, list) else printed[part]
    return printed


try:
    for args, key, rings, word in MAPS:
        svg = os.path.join(scratch, "map.svg")
        done = subprocess.run([tool] + args + ["--json", "--svg", svg], capture_output=True)
        assert done.returncode == 0, (args, done.stderr)
        printed = json.loads(done.stdout)
        root = ElementTree.parse(svg).getroot()  # raises on XML that is not well-formed
        classes = [c.get("class") for c in root.iter(SVG + "circle")]
        text = " ".join("".join(t.itertext()) for t in root.iter(SVG + "text"))
        assert classes.count("point") == printed["points"], (args, classes.count("point"))
        assert classes.count("extreme") == rings, (args, classes.count("extreme"))
        supports = printed.get("support") or (printed.get("form") or [{}])[0].get("support", [])
        drawsZone = rings == 0
        assert classes.count("support") == (2 * len(supports) if drawsZone else 0), (args, classes)
        for s in supports if drawsZone else []:
            assert "%s #%d" % (s["contact"], s["index"]) in text, (args, s)
        assert classes.count("zone") == (2 if args[0] == "roundness" else 0), (args, classes)
        assert word in text and (key is None or "%.6f" % figure(printed, key) in text), (args, text)
    assert printed["file"].endswith("a&b<c>\"d'\ufffd.txt"), printed["file"]

    # Regression: line maps drew every point whatever their number (a million points made a
    # 112 MB map) while the caption said one in four was drawn.
    many = os.path.join(scratch, "long-edge.txt")
    count = 250001
    with open(many, "w") as out:
        out.writelines("%d %.3f 0\n" % (i, (i * 7919 % 1000) / 1e5) for i in range(count))
    for command in ["straightness", "fit-line"]:
        svg = os.path.join(scratch, "many.svg")
        args = [tool, command, many, "--svg", svg]
        done = subprocess.run(args, capture_output=True)
        assert done.returncode == 0, (command, done.stderr)
        with open(svg) as drawn:  # read as text: parsing a map this large takes seconds
            text = drawn.read()
        assert text.count('class="point"') == (count + 1) // 2, (command, text.count("point"))
        assert "One point in 2 of the %d is drawn" % count in text, command
finally:
    shutil.rmtree(scratch)
print("deviation maps: %d passed, 0 failed" % (len(MAPS) + 2))
