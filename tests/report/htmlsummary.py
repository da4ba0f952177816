#!/usr/bin/env python3
"""Reads an HTML report with Python's HTML parser and prints what the tests
check, one record a line, texts as hex of their UTF-8 bytes:

  heading <text>                      every h1 and h2
  row <table number> <flag 0|1> <cell>...  every table row (th or td cells)
  svg <count of data-point elements>  the inline plot
  external <tag> <attribute>          an attribute that loads something
  script                              a script element
Exits with 1 and a message when an element is not closed in order (void
elements aside) or the document does not end with </html>."""
import html.parser
import sys

VOID = {"meta", "br", "hr", "img", "link", "input", "col", "path", "line", "circle", "rect",
        "polygon", "polyline", "text", "g", "svg", "tspan", "title", "style", "defs", "marker",
        "use"}
CHECKED = {"html", "head", "body", "table", "tr", "td", "th", "h1", "h2", "p", "pre"}


def hexed(text):
    return text.encode("utf-8").hex() or "-"


class Reader(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack, self.errors, self.out = [], [], []
        self.tables, self.row, self.cell, self.heading = 0, None, None, None
        self.flag, self.points = False, 0

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        for name in ("src", "href", "xlink:href"):
            if name in a:
                self.out.append(f"external {tag} {name}")
        if tag == "script":
            self.out.append("script")
        if "data-point" in a:
            self.points += 1
        if tag in CHECKED:
            self.stack.append(tag)
        if tag == "table":
            self.tables += 1
        elif tag == "tr":
            self.row, self.flag = [], a.get("class") == "flag"
        elif tag in ("td", "th"):
            self.cell = ""
        elif tag in ("h1", "h2"):
            self.heading = ""

    def handle_endtag(self, tag):
        if tag in CHECKED:
            if not self.stack or self.stack[-1] != tag:
                self.errors.append(f"</{tag}> closes {self.stack[-1:]} at {self.getpos()}")
            else:
                self.stack.pop()
        if tag in ("td", "th") and self.row is not None:
            self.row.append(self.cell)
            self.cell = None
        elif tag == "tr":
            cells = " ".join(hexed(c) for c in self.row)
            self.out.append(f"row {self.tables} {int(self.flag)} {cells}")
            self.row = None
        elif tag in ("h1", "h2"):
            self.out.append(f"heading {hexed(self.heading)}")
            self.heading = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell += data
        if self.heading is not None:
            self.heading += data


text = open(sys.argv[1], encoding="utf-8").read()
r = Reader()
r.feed(text)
r.close()
if r.errors or r.stack or not text.rstrip().endswith("</html>"):
    print("\n".join(r.errors) or f"not closed: {r.stack}")
    sys.exit(1)
print("\n".join(r.out))
print(f"svg {r.points}")
