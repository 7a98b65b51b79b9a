#!/usr/bin/env python3
"""Prints rows of the benchmark table for the shell scripts, in the columns tallivor_bench prints.

  summary.py series LABEL ROWS UNIT TARGET [--note NOTE] VALUE...   median, quartiles, min and max of the values
  summary.py single LABEL ROWS UNIT TARGET VALUE [NOTE]
TARGET is the most the figure may be, or "-" when the case has no goal.
"""
import statistics
import sys


def number(value):
    if value < 10:
        return f"{value:.3f}"
    if value < 1000:
        return f"{value:.2f}"
    return f"{value:.1f}"


def quantile(sorted_values, q):
    position = q * (len(sorted_values) - 1)
    below = int(position)
    above = min(below + 1, len(sorted_values) - 1)
    return sorted_values[below] + (sorted_values[above] - sorted_values[below]) * (position - below)


def verdict(value, unit, target, note=""):
    parts = []
    if target != "-":
        limit = float(target)
        parts.append(f"<= {target} {unit}: {'met' if value <= limit else 'NOT MET'}")
    if note:
        parts.append(note)
    return "; ".join(parts)


def row(label, rows, unit, cells, count, tail):
    print(f"{label:<60} {rows:>6} {unit:>4} " + " ".join(f"{c:>9}" for c in cells) + f" {count:>4}  {tail}")


def main(argv):
    if len(argv) < 6 or argv[0] not in ("series", "single"):
        sys.exit(__doc__)
    kind, label, rows, unit, target = argv[:5]
    if kind == "series":
        rest = argv[5:]
        note = ""
        if rest[:1] == ["--note"] and len(rest) > 2:
            note, rest = rest[1], rest[2:]
        values = sorted(float(v) for v in rest)
        median = statistics.median(values)
        cells = [number(median), number(quantile(values, 0.25)), number(quantile(values, 0.75)),
                 number(values[0]), number(values[-1])]
        row(label, rows, unit, cells, str(len(values)), verdict(median, unit, target, note))
    else:
        value = float(argv[5])
        note = argv[6] if len(argv) > 6 else ""
        row(label, rows, unit, [number(value), "-", "-", "-", "-"], "1", verdict(value, unit, target, note))


if __name__ == "__main__":
    main(sys.argv[1:])
