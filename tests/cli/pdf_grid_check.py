#!/usr/bin/python3
"""Reads a manuscript PDF with pdfminer and checks that its text sits on a grid.

Usage: pdf_grid_check.py PDF CELLS LINES vertical|horizontal FIRST_TEXT_PAGE

On every page from FIRST_TEXT_PAGE (counted from 1): the characters of the text (the largest
size on the page) stand at one pitch along the line, at most CELLS cells a line counting from the
line's first cell, past it only 、。，． and closing brackets; at most LINES lines a page. Ruby (the smaller characters)
stands beside a line: right of it (vertical) or above it (horizontal). Prints one line per fault
and exits 1 when there is one; prints "ok PAGES CHARACTERS" otherwise.
"""

import statistics
import sys

from pdfminer.high_level import extract_pages
from pdfminer.layout import LTChar, LTContainer

HANGING = set("、。，．」』）〕】〉》］｝")
# Set off the cell's centre in vertical writing: the stops in the upper right, small kana.
OFF_CENTRE = set("、。，．ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ")


def characters(item):
    if isinstance(item, LTChar):
        yield item
    elif isinstance(item, LTContainer):
        for child in item:
            yield from characters(child)


def size_of(c):
    """The font's size: pdfminer gives a turned character's advance as its size."""
    return c.size if c.upright else max(c.width, c.height)


def cluster(values, tolerance):
    """The distinct positions among values, each the first of a run closer than tolerance."""
    positions = []
    for value in sorted(values):
        if not positions or value - positions[-1] > tolerance:
            positions.append(value)
    return positions


def check_page(number, chars, cells, lines, vertical, faults):
    if not chars:
        return 0
    size = max(size_of(c) for c in chars)
    text = [c for c in chars if size_of(c) > 0.75 * size and c.get_text().strip()]
    ruby = [c for c in chars if size_of(c) <= 0.75 * size and c.get_text().strip()]
    if not text:
        return 0

    def across(c):  # the line's axis: x in vertical writing, y in horizontal
        return (c.x0 + c.x1) / 2 if vertical else (c.y0 + c.y1) / 2

    def along(c):  # growing in reading order
        return -(c.y0 + c.y1) / 2 if vertical else (c.x0 + c.x1) / 2

    # Set off the centre: vertical stops and small kana, and the digits and !? of a run that
    # shares one cell.
    centred = [c for c in text if not (vertical and c.get_text() in OFF_CENTRE)
               and not (c.get_text().isascii() and c.get_text() in "0123456789!?")]
    line_positions = cluster([across(c) for c in centred], size * 0.5)
    if len(line_positions) > lines:
        faults.append(f"page {number}: {len(line_positions)} lines, more than {lines}")

    def line_of(c):
        return min(range(len(line_positions)), key=lambda i: abs(line_positions[i] - across(c)))

    by_line = {}
    for c in centred:
        by_line.setdefault(line_of(c), []).append(along(c))
    steps = [b - a for values in by_line.values() for a, b in zip(sorted(values), sorted(values)[1:])]
    pitch = statistics.median(steps) if steps else size
    start = min(along(c) for c in centred) if centred else 0
    for c in centred:
        cell = (along(c) - start) / pitch
        if abs(cell - round(cell)) > 0.2:
            faults.append(f"page {number}: {c.get_text()!r} off the grid ({cell:.2f} cells)")
        elif round(cell) >= cells and c.get_text() not in HANGING:
            faults.append(f"page {number}: {c.get_text()!r} in cell {round(cell) + 1} of {cells}")

    # The page number stands below the grid, past every cell.
    end = max(along(c) for c in text) + pitch / 2
    low = min(line_positions)
    for c in (c for c in ruby if along(c) < end and (vertical or across(c) > low)):
        beside = [p for p in line_positions
                  if 0 < across(c) - p < size * 1.1]
        if not beside:
            faults.append(f"page {number}: ruby {c.get_text()!r} beside no line")
    return len(text)


def main():
    path, cells, lines, direction, first = sys.argv[1:6]
    vertical = direction == "vertical"
    faults = []
    pages = 0
    total = 0
    for number, page in enumerate(extract_pages(path, laparams=None), start=1):
        if number < int(first):
            continue
        pages += 1
        total += check_page(number, list(characters(page)), int(cells), int(lines), vertical,
                            faults)
    for fault in faults[:20]:
        print(fault)
    if faults:
        sys.exit(1)
    print(f"ok {pages} {total}")


main()
