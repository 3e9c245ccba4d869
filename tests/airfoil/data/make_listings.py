#!/usr/bin/env python3
"""Writes the analysis-program listings used by the listing tests.

The values follow simple rules so that a test can state what any field must
hold (m = 0-based angle index over all tables, k = 0-based Reynolds index,
r = 0-based velocity row):
  angle      = m - 2                      (16 angles, -2 .. 13 degrees)
  v/V        = 1 + 0.01 m + 0.001 r       (12 rows, chord x = 1 - r/11)
  CL         = 0.1 angle + 0.2 + 0.01 k
  CD         = 0.008 + 0.0001 m + 0.001 k
  CM         = -0.05 - 0.001 k
  t upper    = 0.60 - 0.01 m,  t lower = 0.40 + 0.01 m
  bubble "*" upper at m = 0 and 3 (both k), lower at m = 5 for k = 0 only.
Fourteen angles go to the first velocity table, two to the second; the first
table is interrupted by a page header after its fifth row. The header of the
first table lists angle 4 as "4.0004" (the angle block says "4.000"), and an
extra block for 20 degrees matches no listed angle.
Run from this folder: python3 make_listings.py
"""

REYNOLDS = [200000, 400000]
ANGLES = [m - 2 for m in range(16)]
ROWS = 12


def page_header():
    return ["1AIRFOIL TEST 61 POINTS                , 25.00 % FLAP  10.00",
            " MACH =  0.000"]


def angle_line(angles):
    texts = ["4.0004" if a == 4 else f"{a:.3f}" for a in angles]
    return " ALPHA(DEG)  " + " ".join(f"{t:>6}" for t in texts)


def table_header():
    return "   N     X/C           Y/C     V/V"


def row(r, first_m, count):
    x = 1 - r / 11
    text = f"{r + 1:4d}{x:11.7f}{0.0:11.7f}"
    for j in range(count):
        m = first_m + j
        text += f"{1 + 0.01 * m + 0.001 * r:7.4f}"
    return text


def reynolds_line():
    text = "0        "
    for re in REYNOLDS:
        text += f" R ={re:9d}"
    return text + "   MU=  0.00"


def alpha_block(m, angle_text):
    lines = [f"0 ALPHA = {angle_text}", "           RE-GROUPS"]
    for surface in ("upper", "lower"):
        text = " UPPER    " if surface == "upper" else " LOWER    "
        for k in range(len(REYNOLDS)):
            t = 0.60 - 0.01 * m if surface == "upper" else 0.40 + 0.01 * m
            bubble = (surface == "upper" and m in (0, 3)) or (
                surface == "lower" and m == 5 and k == 0)
            text += f"{t:6.4f}" + " " * 14 + ("*" if bubble else " ") + " " * 3
        lines.append(text.rstrip())
    angle = ANGLES[m] if m < len(ANGLES) else 20
    cl_cd = "   "
    cm = "   "
    for k in range(len(REYNOLDS)):
        cl_cd += f"CL={0.1 * angle + 0.2 + 0.01 * k:6.3f} CD={0.008 + 0.0001 * m + 0.001 * k:7.5f}     "
        cm += f"CM={-0.05 - 0.001 * k:7.4f}                "
    lines.append(cl_cd.rstrip())
    lines.append(cm.rstrip())
    return lines


def table(first_m, count, page_break_after):
    lines = [angle_line(ANGLES[first_m:first_m + count]), table_header()]
    for r in range(ROWS):
        lines.append(row(r, first_m, count))
        if r + 1 == page_break_after:
            lines += page_header() + [table_header()]
    lines.append(" SUMMARY")
    lines.append(reynolds_line())
    for m in range(first_m, first_m + count):
        lines += alpha_block(m, f"{ANGLES[m]:7.3f}")
    return lines


def two_reynolds_sixteen_angles():
    lines = page_header() + ["", " CARD ECHO AND GEOMETRY ..."]
    lines += table(0, 14, 5)
    lines += alpha_block(16, f"{20:7.3f}")
    lines += page_header() + [""]
    lines += table(14, 2, 0)
    return lines


with open("listing_two_reynolds_sixteen_angles.out", "w", newline="\n") as out:
    out.write("\n".join(two_reynolds_sixteen_angles()) + "\n")


# A second layout with the decorations a real analysis program adds around
# the same fields: the angle line of the velocity table begins " MACH", text
# after "SUMMARY" and after the angle, a Reynolds header line in each block,
# an "S" after the bubble marker, note lines after a block, a trailer.
# One table of three angles (-1, 0, 1), Reynolds numbers 100000 and 300000,
# roughness 5, a 20 % flap at 5 degrees; values:
#   CL = 0.3 + 0.1 angle + 0.02 k,  CD = 0.0123 + 0.001 m - 0.002 k,
#   CM = -0.0812 + 0.0001 m,  t upper = 0.40 - 0.05 k,  t lower = 0.70,
#   v/V = 0.9 + 0.01 m + 0.05 r (4 rows); bubble "*" upper at m = 0, k = 0.
def notes_layout():
    def fixed(value, width, decimals):
        return f"{value:{width}.{decimals}f}"
    lines = ["1AIRFOIL E387; smoothed, 20.00% FLAP   5.00 DEG    velarix airfoil analysis",
             "0 61 points (31 upper, 31 lower), 160 panel nodes",
             "  flap hinge at x/c 0.8000, y/c 0.0123; coefficients referred to the unflapped chord",
             ""]
    angles = [-1.0, 0.0, 1.0]
    reynolds = [100000, 300000]
    text = " MACH 0.000 ALPHA (DEG)".ljust(26) + "".join(fixed(a, 7, 2) for a in angles)
    lines += [text, "   N        X/C        Y/C  V/V at the angles above"]
    for r in range(4):
        row = fixed(r + 1, 4, 0) + fixed(1 - r / 3, 11, 5) + fixed(0.01 * r, 11, 5)
        row += "".join(" " + fixed(0.9 + 0.01 * m + 0.05 * r, 6, 4) for m in range(3))
        lines.append(row)
    lines.append(" SUMMARY  angles -1.00 to 1.00 deg")
    lines.append("0         " + "".join("R =" + fixed(re, 9, 0) + "   " for re in reynolds)
                 + "MU=  5.000")
    for m, a in enumerate(angles):
        lines.append("0 ALPHA =" + fixed(a, 7, 2) + " DEG   inviscid cl 0.400  cm -0.0800")
        lines.append(" " * 10 + "".join(("Re" + fixed(re, 9, 0) + "  r 5.00").ljust(24)
                                        for re in reynolds).rstrip())
        for label, ts in ((" UPPER t", [0.40, 0.35]), (" LOWER t", [0.70, 0.70])):
            text = label.ljust(10)
            for k, t in enumerate(ts):
                group = (fixed(t, 6, 4) + " (x/c" + fixed(1 - t, 7, 4) + ")").ljust(20)
                bubble = label == " UPPER t" and m == 0 and k == 0
                group += ("* S" if bubble else " ")
                text += group.ljust(24)
            lines.append(text.rstrip())
        text = " " * 10
        for k in range(2):
            text += ("CL=" + fixed(0.3 + 0.1 * a + 0.02 * k, 6, 3) + " CD="
                     + fixed(0.0123 + 0.001 * m - 0.002 * k, 7, 5)).ljust(24)
        lines.append(text.rstrip())
        text = " " * 10
        for k in range(2):
            text += ("CM=" + fixed(-0.0812 + 0.0001 * m, 7, 4)).ljust(24)
        lines.append(text.rstrip())
        if m == 0:
            lines.append("  note (Re 100000): upper surface separated from x/c 0.9800 to the "
                         "trailing edge; the laminar bubble may burst")
    lines += ["", " END OF LISTING.  t = 1 - x/c of transition;  * laminar separation bubble"]
    return lines


with open("listing_one_table_with_notes.out", "w", newline="\n") as out:
    out.write("\n".join(notes_layout()) + "\n")
