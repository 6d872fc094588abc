#!/usr/bin/env python3
"""Reads a single-result page (UTF-16) with Python's own HTML parser and
prints what a reader sees: the picture reference, then one line per table
row with its cells' texts separated by " | "."""
import sys
from html.parser import HTMLParser


class Page(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.rows, self.cells, self.images, self.open = [], None, [], []
        self.text = None

    def handle_starttag(self, tag, attrs):
        self.open.append(tag)
        if tag == "tr":
            self.cells = []
            self.rows.append(self.cells)
        elif tag == "td":
            self.text = []
            self.cells.append(self.text)
        elif tag == "img":
            self.images.append(dict(attrs)["src"])
        if tag in ("img", "meta"):  # void elements
            self.open.pop()

    def handle_endtag(self, tag):
        if not self.open or self.open.pop() != tag:
            raise SystemExit("unbalanced </%s>" % tag)

    def handle_data(self, data):
        if self.text is not None and data.strip():
            self.text.append(data.strip())


raw = open(sys.argv[1], "rb").read()
text = raw.decode("utf-16") if raw[:2] == b"\xff\xfe" else raw.decode("utf-16-le")
page = Page()
page.feed(text)
page.close()
if page.open:
    raise SystemExit("left open: %s" % page.open)
for src in page.images:
    print("img", src)
for cells in page.rows:
    print(" | ".join(" ".join(c) for c in cells))
