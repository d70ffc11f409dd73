#!/usr/bin/python3
"""Writes the text test files: X, Y, Z point lists with LF, CR LF and CR line ends and one with
decimal commas, and a CAD drawing's tab-separated text export.

Run from this folder: /usr/bin/python3 make_text.py
"""

TAB = "\t"

# Ends with a line end, which adds no further line.
POINT_LINES = ["10\t20\t30", "1.5\t2.5\t3.5", "5\t6", "7", "", "X\tY\tZ", "-4\t8.25\t9\t99"]

# One comma anywhere makes every point a thousands separator.
COMMA_LINES = ["1.234,5\t2,5\t3", "12.5\t0\t0", "-0,75\t1.000\t2"]


def cad_line(fields, ended=True):
    """Fields 1.. each ended by a tab (the last one too, unless ended is False)."""
    text = TAB.join(fields)
    return text + TAB if ended else text


def cad_object(kind, x, y, label, extra=()):
    fields = ["1", "0", "Layer 1", "0", "0", kind, x, y, "0", "0", "0", "0", "0", "0", "0", "0", "0", label]
    return fields + list(extra)


CAD_LINES = [
    cad_line(["Object", "Id", "Layer", "Pen", "Fill", "Kind", "X", "Y"]),
    cad_line(cad_object("line", "5", "5", "99")),
    cad_line(cad_object("text", "100", "250", "12,5 m")),
    cad_line(cad_object("TEXT", "1.234,5", "-3", "7")),
    cad_line(cad_object("text", "4", "6", "12")[:17] + ["8"], ended=False),
    cad_line(cad_object("rect", "1", "1", "1")),
    cad_line(cad_object("text", "-2", "0,5", "3", extra=["44", "55"])),
]


def write(name, lines, end):
    with open(name, "w", newline="") as f:
        f.write("".join(line + end for line in lines))


if __name__ == "__main__":
    write("points_lf.txt", POINT_LINES, "\n")
    write("points_crlf.txt", POINT_LINES, "\r\n")
    write("points_cr.txt", POINT_LINES, "\r")
    write("points_comma.txt", COMMA_LINES, "\n")
    write("cad_export.txt", CAD_LINES, "\r")
