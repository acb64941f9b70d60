"""The run as a chart: one bar per figure that has a baseline, its ratio to that baseline on a
logarithmic axis centred on 1x (green where it does at least as well as the baseline, red where
worse), the other figures as plain text, and the checks below."""

import math
from xml.sax.saxutils import escape

from report import PROGRAMS, number, verdict

ROW_HEIGHT = 22
BAR_WIDTH = 360
CHAR_WIDTH = 7  # a generous average advance of 12 px DejaVu Sans
GOOD, BAD, GRID, INK = "#3a9a5b", "#c8553d", "#bbbbbb", "#222222"


def text(x, y, content, anchor="start", size=12, weight="normal", colour=INK):
    return (f'<text x="{x:.1f}" y="{y:.1f}" font-size="{size}" font-weight="{weight}" '
            f'text-anchor="{anchor}" fill="{colour}">{escape(content)}</text>')


def chart(rows, checks, heading):
    with_ratio = [row for row in rows if row.ratio]
    others = [row for row in rows if not row.ratio]
    labels = [f"{row.figure.title} - {PROGRAMS[row.figure.program]}" for row in with_ratio]
    values = [f"{number(row.median, row.figure.digits)} {row.figure.unit}  "
              f"({row.ratio:.2f}x {row.baseline_label})" for row in with_ratio]
    label_width = 20 + CHAR_WIDTH * max([len(label) for label in labels] + [20])
    width = max(label_width + BAR_WIDTH + 20 + CHAR_WIDTH * max([len(v) for v in values] + [20]),
                20 + CHAR_WIDTH * max([len(line) for _, line, _ in checks] + [60]))
    # Decades either side of 1x, enough for the largest ratio.
    decades = max([1] + [math.ceil(abs(math.log10(row.ratio))) for row in with_ratio])
    centre = label_width + BAR_WIDTH / 2
    per_decade = BAR_WIDTH / 2 / decades

    parts = [text(10, 24, heading, size=15, weight="bold")]
    top = 50
    parts.append(text(10, top - 6, "Ratio to baseline (log scale)", size=11, colour="#555555"))
    for power in range(-decades, decades + 1):
        x = centre + power * per_decade
        parts.append(f'<line x1="{x:.1f}" y1="{top}" x2="{x:.1f}" '
                     f'y2="{top + ROW_HEIGHT * len(with_ratio)}" stroke="{GRID}" '
                     f'stroke-width="{1.5 if power == 0 else 0.5}"/>')
        parts.append(text(x, top + ROW_HEIGHT * len(with_ratio) + 14, f"{10.0 ** power:g}x",
                          anchor="middle", size=10, colour="#555555"))
    for index, row in enumerate(with_ratio):
        y = top + index * ROW_HEIGHT
        figure = row.figure
        end = centre + math.log10(row.ratio) * per_decade
        left, length = min(centre, end), max(abs(end - centre), 1.0)
        colour = GOOD if row.better_than_baseline else BAD
        parts.append(f'<rect x="{left:.1f}" y="{y + 4}" width="{length:.1f}" '
                     f'height="{ROW_HEIGHT - 8}" fill="{colour}"/>')
        parts.append(text(label_width - 10, y + 15, labels[index], anchor="end"))
        parts.append(text(label_width + BAR_WIDTH + 10, y + 15, values[index]))

    y = top + ROW_HEIGHT * len(with_ratio) + 40
    for row in others:
        figure = row.figure
        parts.append(text(10, y, f"{figure.title} - {PROGRAMS[figure.program]}: "
                                 f"{number(row.median, figure.digits)} {figure.unit}"))
        y += ROW_HEIGHT
    y += 10
    for passed, description, fatal in checks:
        failed = not passed and fatal
        parts.append(text(10, y, f"{verdict(passed, fatal)}: {description}",
                          colour=BAD if failed else (GOOD if passed else "#8a6d00"),
                          weight="bold" if failed else "normal"))
        y += ROW_HEIGHT
    height = y + 10
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}" font-family="DejaVu Sans, sans-serif">\n'
            f'<rect width="100%" height="100%" fill="white"/>\n' + "\n".join(parts) + "\n</svg>\n")
