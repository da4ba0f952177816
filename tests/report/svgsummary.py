#!/usr/bin/env python3
"""Reads a residual plot with Python's own XML parser and prints what the
tests check, one record a line, texts as hex of their UTF-8 bytes:

  point <id> <class> <red 0|1> <label> <x> <y> <vector dx> <vector dy> <vz>
  text <text>
  scalebar <width>
  badnumber <element> <attribute> <value>

x and y are where the symbol is moved to. A vector runs from its shaft's start to its head's tip ("-" when there is
none); vz is the bar's height, positive up ("-" when there is none). Exits
with 1 and the parser's message when the file is not well-formed XML."""
import re
import sys
import xml.etree.ElementTree as ET

SVG = "{http://www.w3.org/2000/svg}"
RED = "#d00000"
NUMBER = re.compile(r"^-?[0-9]+(\.[0-9]+)?$")
TRANSLATE = re.compile(r"^translate\((-?[0-9]+\.[0-9]+),(-?[0-9]+\.[0-9]+)\)$")
NUMERIC = ("x", "y", "x1", "y1", "x2", "y2", "cx", "cy", "r", "width", "height", "stroke-width")


def hexed(text):
    return (text or "").encode("utf-8").hex() or "-"


def numbers(text):
    return [float(v) for v in text.split()]


def main():
    try:
        root = ET.parse(sys.argv[1]).getroot()
    except ET.ParseError as e:
        print(e)
        return 1
    for e in root.iter():
        tag = e.tag.replace(SVG, "")
        if tag == "svg":
            continue
        for name in NUMERIC:
            value = e.get(name)
            if value is not None and not NUMBER.match(value):
                print("badnumber", tag, name, value)
        if tag == "polygon" and not all(NUMBER.match(v) for v in e.get("points").split()):
            print("badnumber", tag, "points", e.get("points"))
    for g in root.iter(SVG + "g"):
        if "data-point" not in g.attrib:
            continue
        red = any(RED in (e.get("fill"), e.get("stroke")) for e in g.iter())
        label = g.find(SVG + "text")
        x, y = TRANSLATE.match(g.find(SVG + "g[@class='symbol']").get("transform")).groups()
        dx = dy = vz = "-"
        vector = g.find(SVG + "g[@class='vector']")
        if vector is not None:
            line = vector.find(SVG + "line")
            tip = numbers(vector.find(SVG + "polygon").get("points"))[:2]
            dx = repr(tip[0] - float(line.get("x1")))
            dy = repr(tip[1] - float(line.get("y1")))
        bar = g.find(SVG + "rect")
        if bar is not None:
            height = float(bar.get("height"))
            vz = repr(height if "up" in bar.get("class") else -height)
        print("point", hexed(g.get("data-point")), g.get("class"), int(red), hexed(label.text),
              x, y, dx, dy, vz)
    for t in root.iter(SVG + "text"):
        print("text", hexed(t.text))
    for g in root.iter(SVG + "g"):
        if g.get("class") == "scalebar":
            print("scalebar", sum(float(r.get("width")) for r in g.iter(SVG + "rect")))
    return 0


if __name__ == "__main__":
    sys.exit(main())
