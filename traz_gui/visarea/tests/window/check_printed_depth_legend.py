#!/usr/bin/env python3
"""Checks the depth scale on the first page of a printed map (a PDF).

The page is read as its words (pdftotext -bbox) and as pixels at 300 dpi
(pdftoppm).  The title "Bathymetry [m]" must be there whole, on the page;
under it one label " < value" per colour class, the values rising, the
labels 6 mm apart; and left of each label a box of one colour about 2 mm
wide and high, the boxes 6 mm apart.  Prints what it found; exit status 0
when the scale is as it should be, 1 with the reasons otherwise.

    check_printed_depth_legend.py [--wait] FILE.pdf

With --wait it first waits (up to a minute) until the print server named
by CUPS_SERVER holds no job and the file is a whole PDF.
"""

import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ET
from pathlib import Path

DPI = 300
MM = DPI / 25.4          # pixels per millimetre at DPI
PT = DPI / 72.0          # pixels per PDF point


def words(pdf):
    """The words of page 1 with their boxes in pixels at DPI."""
    html = subprocess.run(["pdftotext", "-bbox", "-f", "1", "-l", "1", pdf, "-"], check=True,
                          capture_output=True, text=True).stdout
    body = html[html.index("<doc>"):html.index("</doc>") + len("</doc>")]
    found = []
    for w in ET.fromstring(body).iter():
        if w.tag.endswith("word"):
            found.append((w.text or "", float(w.get("xMin")) * PT, float(w.get("yMin")) * PT,
                          float(w.get("xMax")) * PT, float(w.get("yMax")) * PT))
    return found


def page_pixels(pdf, workdir):
    """Page 1 as (width, height, rgb bytes) at DPI."""
    stem = str(Path(workdir) / "page")
    subprocess.run(["pdftoppm", "-r", str(DPI), "-f", "1", "-l", "1", pdf, stem], check=True)
    ppm = next(Path(workdir).glob("page*.ppm"))
    data = ppm.read_bytes()
    fields, at = [], 0
    while len(fields) < 4:
        while data[at:at + 1].isspace():
            at += 1
        start = at
        while not data[at:at + 1].isspace():
            at += 1
        fields.append(data[start:at])
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[at + 1:]


def box_left_of(label, image):
    """The box of one colour left of a label: (left, top, right, bottom,
    colour) in pixels, or None.  It is the largest patch of one colour,
    neither white nor black, within 5 mm left of the label's first word."""
    width, height, rgb = image
    _, x0, y0, _, y1 = label
    left, right = max(0, int(x0 - 5 * MM)), int(x0)
    top, bottom = max(0, int(y0 - 1 * MM)), min(height, int(y1 + 1 * MM))
    counts = {}
    for y in range(top, bottom):
        row = y * width * 3
        for x in range(left, right):
            c = tuple(rgb[row + 3 * x:row + 3 * x + 3])
            if min(c) > 235 or max(c) < 60:
                continue
            counts[c] = counts.get(c, 0) + 1
    if not counts:
        return None
    colour = max(counts, key=counts.get)
    xs, ys = [], []
    for y in range(top, bottom):
        row = y * width * 3
        for x in range(left, right):
            if tuple(rgb[row + 3 * x:row + 3 * x + 3]) == colour:
                xs.append(x)
                ys.append(y)
    return min(xs), min(ys), max(xs) + 1, max(ys) + 1, colour


def check(pdf):
    problems = []
    page = words(pdf)
    texts = [w[0] for w in page]
    if "Bathymetry" not in texts:
        return ["no title \"Bathymetry [m]\" on the page: " + " ".join(texts[:20])]
    t = texts.index("Bathymetry")
    title = page[t]
    if t + 1 >= len(page) or page[t + 1][0] != "[m]" or abs(page[t + 1][2] - title[2]) > 0.5 * MM:
        problems.append("the title is not \"Bathymetry [m]\" on one line")
    if title[1] <= 0:
        problems.append("the title starts off the page")

    # The labels: "<" followed by its value, below the title.
    labels = []
    for k in range(len(page) - 1):
        if page[k][0] == "<" and page[k][2] > title[2]:
            try:
                labels.append((float(page[k + 1][0]), page[k]))
            except ValueError:
                problems.append("label \"< %s\" is no number" % page[k + 1][0])
    print("title at %.1f mm, %.1f mm; %d labels" % (title[1] / MM, title[2] / MM, len(labels)))
    if len(labels) < 2:
        return problems + ["fewer than two labels under the title"]
    values = [v for v, _ in labels]
    if values != sorted(values) or len(set(values)) != len(values):
        problems.append("the label values do not rise: %s" % values)
    for (_, a), (_, b) in zip(labels, labels[1:]):
        gap = (b[2] - a[2]) / MM
        if abs(gap - 6.0) > 0.5:
            problems.append("labels %.1f mm apart, not 6" % gap)
            break

    with tempfile.TemporaryDirectory() as workdir:
        image = page_pixels(pdf, workdir)
        boxes = [box_left_of(w, image) for _, w in labels]
    colours = set()
    for (value, _), box in zip(labels, boxes):
        if box is None:
            problems.append("no box left of label < %s" % value)
            continue
        w, h = (box[2] - box[0]) / MM, (box[3] - box[1]) / MM
        print("  < %-6s box %.1f x %.1f mm at %.1f mm, %.1f mm, colour %02x%02x%02x" %
              (value, w, h, box[0] / MM, box[1] / MM, *box[4]))
        if not (1.5 <= w <= 2.7 and 1.5 <= h <= 2.7):
            problems.append("box of < %s is %.1f x %.1f mm, not about 2 x 2" % (value, w, h))
        colours.add(box[4])
    found = [b for b in boxes if b]
    if len(colours) != len(found):
        problems.append("%d boxes in only %d colours" % (len(found), len(colours)))
    for a, b in zip(found, found[1:]):
        gap = (b[1] - a[1]) / MM
        if abs(gap - 6.0) > 0.5:
            problems.append("boxes %.1f mm apart, not 6" % gap)
            break
    return problems


def wait_for_queue(pdf):
    """True once no job is queued and the PDF reads whole."""
    for _ in range(600):
        jobs = subprocess.run(["lpstat", "-o"], capture_output=True, text=True).stdout.strip()
        whole = subprocess.run(["pdfinfo", pdf], capture_output=True).returncode == 0
        if not jobs and whole:
            return True
        time.sleep(0.1)
    return False


def main():
    args = sys.argv[1:]
    wait = args[:1] == ["--wait"]
    if wait:
        args = args[1:]
    if len(args) != 1:
        print(__doc__)
        return 2
    if wait and not wait_for_queue(args[0]):
        print("FAILED: no whole page in %s once the queue was empty" % args[0])
        return 1
    problems = check(args[0])
    for p in problems:
        print("FAILED: " + p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
