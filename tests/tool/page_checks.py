#!/usr/bin/env python3
"""Checks of the pages `kyr render` writes, with outside tools as the judges.

  page_checks.py html FILE         strict parse with html.parser: every element closed in order,
                                   nothing fetched from elsewhere (no src, href, url() or @import)
  page_checks.py browser KYR EXAMPLES DATA WORKDIR
                                   renders two pages, screenshots them in one headless Chromium run
                                   and checks pixels; exits 77 (skipped) without Chromium
"""
import collections
import html.parser
import os
import shutil
import struct
import subprocess
import sys
import zlib

VOID = {"meta", "link", "br", "hr", "img", "input", "col", "area", "base", "wbr", "source", "track", "embed"}
# SVG elements written self-closed inside HTML.
SELF_CLOSED = {"line", "polyline", "rect", "path"}


class StrictParser(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack, self.errors = [], []

    def handle_starttag(self, tag, attrs):
        for name, value in attrs:
            if name in ("src", "href") or "url(" in (value or "") and "url(#" not in value:
                self.errors.append(f"line {self.getpos()[0]}: external reference {name}={value}")
        if tag not in VOID:
            self.stack.append(tag)

    def handle_startendtag(self, tag, attrs):
        if tag not in VOID and tag not in SELF_CLOSED:
            self.errors.append(f"line {self.getpos()[0]}: <{tag}/> is not a void element")

    def handle_endtag(self, tag):
        if not self.stack or self.stack[-1] != tag:
            self.errors.append(f"line {self.getpos()[0]}: </{tag}> closes {self.stack[-1:] or 'nothing'}")
        else:
            self.stack.pop()

    def handle_data(self, data):
        if "@import" in data or "url(http" in data:
            self.errors.append(f"line {self.getpos()[0]}: external reference in a style")


def check_html(path):
    parser = StrictParser()
    with open(path, encoding="utf-8") as f:
        parser.feed(f.read())
    parser.close()
    errors = parser.errors + ([f"unclosed: {parser.stack}"] if parser.stack else [])
    for error in errors:
        print(f"{path}: {error}")
    return 1 if errors else 0


def read_png(path):
    """Width and rows of (r, g, b) tuples of an 8-bit RGB or RGBA PNG, as Chromium writes them."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour_type, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour_type in (2, 6) and interlace == 0, "unexpected PNG layout"
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    n = 4 if colour_type == 6 else 3
    raw, stride, rows, up = zlib.decompress(idat), width * n, [], bytes(width * n)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        if kind == 2:
            line = bytearray((x + b) & 255 for x, b in zip(line, up))
        elif kind in (1, 3, 4):
            for i in range(stride):
                a, b, c = (line[i - n], up[i], up[i - n]) if i >= n else (0, up[i], 0)
                if kind == 1:
                    line[i] = (line[i] + a) & 255
                elif kind == 3:
                    line[i] = (line[i] + (a + b) // 2) & 255
                else:
                    p = a + b - c
                    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                    line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append([tuple(line[x:x + 3]) for x in range(0, stride, n)])
        up = line
    return width, rows


def count_near(histogram, colour):
    return sum(count for p, count in histogram.items() if all(abs(p[i] - colour[i]) <= 1 for i in range(3)))


# Patches whose sRGB was worked out apart from the library (L*a*b* D50 or its spectrum's XYZ, Bradford
# to D65, the sRGB matrix and curve), and how many pixels of a 182 x 96 patch must show it.
SWATCH_PATCHES = {
    "Poppy red": (226, 65, 53), "Meadow green": (0, 169, 73), "Cornflower blue": (0, 103, 204),
    "Sunflower yellow": (255, 223, 42), "Chalk white": (241, 240, 239), "Slate grey": (110, 115, 117),
}
PATCH_PIXELS = 12000
MARKS = "render_marks.kyr"
# On the marks page: Laser green, clipped to (0, 243, 0), and the hatched Press black. A corner mark
# is a 26-pixel right triangle, about 300 pure pixels inside its anti-aliased edge.
MARK_CHECKS = [("clipped Laser green", (0, 243, 0), PATCH_PIXELS), ("clipped mark", (0, 0, 0), 250),
               ("hatching, dark", (0x8C, 0x8C, 0x8C), 5000), ("hatching, light", (0xD4, 0xD4, 0xD4), 5000)]


def check_browser(kyr, examples, data, work):
    chromium = shutil.which("chromium") or shutil.which("chromium-browser")
    if not chromium:
        print("chromium is not installed: skipped")
        return 77
    os.makedirs(work, exist_ok=True)
    pages = {"swatches.html": os.path.join(examples, "swatches.kyr"), "marks.html": os.path.join(data, MARKS)}
    for name, source in pages.items():
        subprocess.run([kyr, "render", source, "-o", os.path.join(work, name)], check=True)
    with open(os.path.join(work, "index.html"), "w", encoding="utf-8") as f:
        f.write('<!DOCTYPE html><html><body style="margin:0;display:flex">'
                '<iframe src="swatches.html" style="border:0;width:1000px;height:900px"></iframe>'
                '<iframe src="marks.html" style="border:0;width:600px;height:900px"></iframe></body></html>')
    shot = os.path.join(work, "shot.png")
    profile = os.path.join(work, "profile")
    shutil.rmtree(profile, ignore_errors=True)
    subprocess.run([chromium, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                    "--disable-background-networking", "--disable-component-update", "--disable-sync",
                    "--force-color-profile=srgb", "--hide-scrollbars", f"--user-data-dir={profile}",
                    f"--screenshot={shot}", "--window-size=1600,900",
                    "file://" + os.path.join(os.path.abspath(work), "index.html")],
                   check=True, timeout=120, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    width, rows = read_png(shot)
    left = collections.Counter(p for row in rows for p in row[:1000])
    right = collections.Counter(p for row in rows for p in row[1000:width])
    failures = []
    if len(left) < 100:
        failures.append(f"the swatch page looks blank: {len(left)} colours")
    for name, colour in SWATCH_PATCHES.items():
        if count_near(left, colour) < PATCH_PIXELS:
            failures.append(f"{name}: {count_near(left, colour)} pixels of {colour}")
    for what, colour, least in MARK_CHECKS:
        if count_near(right, colour) < least:
            failures.append(f"{what}: {count_near(right, colour)} pixels of {colour}")
    # Meadow green and Cornflower blue lie outside sRGB; nothing else on the page is pure black.
    if not 500 <= count_near(left, (0, 0, 0)) <= 800:
        failures.append(f"{count_near(left, (0, 0, 0))} pixels of clipped marks on the swatch page, not two marks")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "html":
        sys.exit(check_html(sys.argv[2]))
    if len(sys.argv) == 6 and sys.argv[1] == "browser":
        sys.exit(check_browser(*sys.argv[2:]))
    sys.exit(__doc__)
