#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the bundled sample measurements in data/ (run once; the files are committed).

face.txt             a face-milled plate top scanned by a laser line probe: about 3,700 points
                     "x y z" in mm on a 1.6 mm raster around a 24 mm bore, with the form errors a
                     milled face shows (a small twist, a shallow dish, the scallops left by the
                     passes of a 25 mm cutter) and probe noise, on a slightly tilted set-up
edge.txt             a milled edge probed along x, "x,y,z" in mm, with a slight bow and noise
contour-nominal.txt  a nominal cam contour seen from above, "x y z nx ny nz" per point
contour-measured.txt the measured points of that contour, "x y z", with lobing and noise

The random generator has a fixed seed, so running the script again writes the same files.
"""
import math
import os
import random

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")


def write(name, lines):
    with open(os.path.join(DATA, name), "w", newline="\n") as f:
        f.write("".join(line + "\n" for line in lines))


def face(rng):
    # Machine coordinates of the plate's corner and the nominal height of the face.
    x0, y0, z0 = 212.4, 103.7, 35.2
    length, width, pitch = 120.0, 80.0, 1.6
    bore_x, bore_y, bore_clear = 84.0, 42.0, 12.0 + 1.0
    lines = []
    rows = int(width / pitch) + 1
    columns = int(length / pitch) + 1
    for row in range(rows):
        y = row * pitch + rng.gauss(0.0, 0.01)
        for column in range(columns):
            x = column * pitch + rng.gauss(0.0, 0.02)
            if math.hypot(x - bore_x, y - bore_y) < bore_clear:
                continue
            u, v = x - length / 2, y - width / 2
            form = (1.3e-6 * u * v                                  # twist from clamping
                    - 0.9e-6 * (u * u + v * v)                      # shallow dish
                    + 0.0016 * math.cos(2 * math.pi * y / 25.0))    # scallops between passes
            setup = 0.00042 * x - 0.00027 * y                       # the part sits tilted
            z = z0 + setup + form + rng.gauss(0.0, 0.0008)
            lines.append("%.4f %.4f %.5f" % (x0 + x, y0 + y, z))
    return lines


def edge(rng):
    lines = []
    count, length = 150, 100.0
    for i in range(count):
        t = i * length / (count - 1)
        bow = 0.008 * math.sin(math.pi * t / length)
        x = 20.0 + t
        y = 50.0 + 0.0012 * t + bow + rng.gauss(0.0, 0.001)
        z = 12.0 + rng.gauss(0.0, 0.002)
        lines.append("%.4f,%.5f,%.4f" % (x, y, z))
    return lines


def contour_point(s):
    """Point and outward unit normal at arc length s along the cam: a flank, a 30 mm arc, a
    flank, from (30, -20) up the right side, round the top and down the left side."""
    radius, flank = 30.0, 20.0
    if s < flank:
        return (radius, -flank + s), (1.0, 0.0)
    s -= flank
    arc = math.pi * radius
    if s < arc:
        a = s / radius
        return (radius * math.cos(a), radius * math.sin(a)), (math.cos(a), math.sin(a))
    s -= arc
    return (-radius, -s), (-1.0, 0.0)


def contour(rng):
    total = 2 * 20.0 + math.pi * 30.0
    nominal = []
    for i in range(120):
        (x, y), (nx, ny) = contour_point(total * i / 119)
        nominal.append("%.4f %.4f 0 %.6f %.6f 0" % (x, y, nx, ny))
    measured = []
    for i in range(80):
        s = total * (i + 0.5) / 80
        (x, y), (nx, ny) = contour_point(s)
        # Lobing from the grinding set-up, a worn spot on the arc, and probe noise.
        deviation = (0.006 * math.sin(3 * 2 * math.pi * s / total)
                     + (-0.012 if 60.0 < s < 75.0 else 0.0)
                     + rng.gauss(0.0, 0.0015))
        measured.append("%.5f %.5f 0" % (x + deviation * nx, y + deviation * ny))
    return nominal, measured


def main():
    rng = random.Random(20240611)
    write("face.txt", face(rng))
    write("edge.txt", edge(rng))
    nominal, measured = contour(rng)
    write("contour-nominal.txt", nominal)
    write("contour-measured.txt", measured)


if __name__ == "__main__":
    main()
