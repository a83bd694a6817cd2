#!/usr/bin/env python3
"""Draws every kind of deviation map with the tavrisk program and checks each SVG: well-formed
XML, one "point" mark per measured point, the extremes ringed, and the caption carrying the
figure the program printed. A file name full of markup characters and a byte that is not UTF-8
must still give well-formed XML and JSON.

Usage: check_svg_maps.py TAVRISK DATA_DIR
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

SVG = "{http://www.w3.org/2000/svg}"


def run(tool, args):
    done = subprocess.run([tool] + args + ["--json"], capture_output=True)
    if done.returncode != 0:
        raise AssertionError("%s failed (%d): %s" % (args, done.returncode, done.stderr))
    return json.loads(done.stdout)


def check_map(tool, args, path, figure_key, rings, caption_word):
    printed = run(tool, args + ["--svg", path])
    tree = ElementTree.parse(path)  # raises on XML that is not well-formed
    circles = tree.getroot().iter(SVG + "circle")
    classes = [c.get("class") for c in circles]
    points = classes.count("point")
    assert points == printed["points"], "%s: %d marks for %d points" % (args, points,
                                                                        printed["points"])
    assert classes.count("extreme") == rings, "%s: %d extreme rings" % (args, classes.count("extreme"))
    text = " ".join("".join(t.itertext()) for t in tree.getroot().iter(SVG + "text"))
    value = "%.6f" % printed[figure_key] if figure_key else None
    assert caption_word in text, "%s: caption lacks %r" % (args, caption_word)
    if value is not None:
        assert value in text, "%s: caption lacks the printed %s %s" % (args, figure_key, value)
    return printed


def main():
    tool, data = sys.argv[1], sys.argv[2]
    scratch = tempfile.mkdtemp(prefix="tavrisk_svg_")
    try:
        face = os.path.join(data, "face.txt")
        edge = os.path.join(data, "edge.txt")
        measured = os.path.join(data, "contour-measured.txt")
        nominal = os.path.join(data, "contour-nominal.txt")
        out = lambda name: os.path.join(scratch, name)
        # Two rings mark each extreme (a dark one and a light one round it).
        check_map(tool, ["flatness", face, "--unit", "mm"], out("f.svg"), "flatness", 4,
                  "Flatness")
        check_map(tool, ["fit-plane", face], out("p.svg"), "rms_residual", 4, "Best-fit plane")
        check_map(tool, ["fit-line", edge], out("l.svg"), "length", 2, "Best-fit line")
        check_map(tool, ["straightness", edge], out("s.svg"), "straightness", 4, "Straightness")
        check_map(tool, ["profile", measured, nominal, "--exaggerate", "300"], out("c.svg"),
                  "profile", 4, "300 times larger")

        # A name with markup characters, quotes and a byte that is not UTF-8.
        awkward = os.path.join(scratch.encode(), b"a&b<c>\"d'\xff.txt")
        shutil.copyfile(face, awkward)
        done = subprocess.run([tool.encode(), b"flatness", awkward, b"--json", b"--svg",
                               out("odd.svg").encode()], capture_output=True)
        assert done.returncode == 0, done.stderr
        printed = json.loads(done.stdout)
        assert printed["file"].endswith("a&b<c>\"d'\ufffd.txt"), printed["file"]
        ElementTree.parse(out("odd.svg"))
    finally:
        shutil.rmtree(scratch)
    print("deviation maps: 6 passed, 0 failed")


if __name__ == "__main__":
    main()
