#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the bench-fitted LED presets' points into data/led-points.csv.

Reads the one tester's bench runs in ../shared/data/led-bench-tests.csv
(koef3's tests on budgetlightforum.com, 25 C solder point; its README names
each source) and keeps, for each preset that data/leds.csv ties to a bench
sample (its bench_led and bench_sample columns), the rows it is fitted to:

- tables in 0.2 A steps: every other row from the first (0.2, 0.6, 1.0 A
  ...), the rows between them held out to judge the fit; the XHP70.2's
  long table at 0.2 A and each whole ampere;
- the forward voltage only up to the preset's vf_fit_top_a, where the
  three-parameter curve still meets its rows (above, the voltage bends
  with the junction's heat); the flux to the table's end;
- a chart traced point by point (the rows transcribed from traces.json):
  every row, the tester's own figures in his text held out;
- the SST-40's four figures from the tester's text: all four.

The other presets' rows (not from the bench file) are kept as they are.
Run by hand after changing a choice above: python3 scripts/derive_led_points.py
"""
import csv
import io
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BENCH = os.path.join(ROOT, "..", "shared", "data", "led-bench-tests.csv")
LEDS = os.path.join(ROOT, "data", "leds.csv")
POINTS = os.path.join(ROOT, "data", "led-points.csv")
# The transcription of a chart traced point by point.
TRACES = "github.com/An0nya/flux-sketchpad tools/source-specs/koef3/traces.json"


def data_rows(path):
    """The rows of one of the project's CSV files, '#' comment lines passed over."""
    with open(path, newline="", encoding="utf-8") as f:
        lines = [line for line in f if not line.startswith("#")]
    return list(csv.DictReader(io.StringIO("".join(lines))))


def comment_lines(path):
    with open(path, encoding="utf-8") as f:
        return [line for line in f if line.startswith("#")]


def fitted(rows, top):
    """The rows a preset is fitted to, as (current, volts or None, lumens)."""
    rows = sorted(rows, key=lambda r: float(r["current_a"]))
    traced = [r for r in rows if r["transcription"].startswith(TRACES)]
    if traced:
        chosen = traced
    elif len(rows) <= 4:
        chosen = rows
    elif len(rows) > 60:
        chosen = [r for r in rows if abs(float(r["current_a"]) - round(float(r["current_a"]))) < 1e-9
                  or float(r["current_a"]) == 0.2]
    else:
        chosen = rows[::2]
    out = []
    for r in chosen:
        amps = float(r["current_a"])
        volts = r["vf_v"] if top is None or amps <= top + 1e-9 else ""
        out.append((r["current_a"], volts, r["lm"]))
    return out


def main():
    if not os.path.exists(BENCH):
        sys.exit(f"{BENCH} is absent: the bench tests are read from the shared data folder")
    bench = data_rows(BENCH)
    leds = data_rows(LEDS)
    kept = [r for r in data_rows(POINTS) if not any(
        l["id"] == r["led"] and l["bench_led"] for l in leds)]
    derived = []
    for led in leds:
        if not led["bench_led"]:
            continue
        rows = [r for r in bench if r["led"] == led["bench_led"] and r["sample"] == led["bench_sample"]]
        if not rows:
            sys.exit(f"no bench rows for {led['id']}: {led['bench_led']}, {led['bench_sample']}")
        top = float(led["vf_fit_top_a"]) if led["vf_fit_top_a"] else None
        for amps, volts, lumens in fitted(rows, top):
            derived.append({"led": led["id"], "current_a": amps, "vf_v": volts, "lm": lumens})
    order = [l["id"] for l in leds]
    rows = sorted(kept + derived, key=lambda r: (order.index(r["led"]), float(r["current_a"])))
    with open(POINTS, "w", newline="", encoding="utf-8") as f:
        f.writelines(comment_lines(POINTS))
        out = csv.DictWriter(f, fieldnames=["led", "current_a", "vf_v", "lm"], lineterminator="\n")
        out.writeheader()
        out.writerows(rows)


if __name__ == "__main__":
    main()
