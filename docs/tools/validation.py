#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Runs each light of the makers' ANSI tables through lumora-cli and writes
docs/validation.md: Lumora's FL1 runtime over the maker's, mode by mode,
with what was assumed beside each.

    docs/tools/validation.py LUMORA_CLI [--check]

The tables are ../shared/data/maker-ansi-tables.csv (makers' claims, as its
README says: compared, never fitted to). With --check the table is made
afresh and held to docs/validation.md; either way, a mode that cannot be
run in lumens is an error (exit 1). Exit 77 where the shared file is absent.
"""
import csv
import json
import os
import statistics
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
TABLES = os.path.join(ROOT, "..", "shared", "data", "maker-ansi-tables.csv")
DOC = os.path.join(ROOT, "docs", "validation.md")

# The maker's LED as the table names it, and the preset that stands for it.
LEDS = {
    "Cree XM-L2": "xm-l2",
    "Cree XP-L HI": "xp-l-hi",
    "Luminus SST-20": "sst-20",
    "Cree XP-G2 (R5)": "xp-g",
    "Luminus SFT-40": "sft-40",
    "Samsung LH351D": "lh351d",
    "Osram CSLPM1.TG": "cslpm1",
}
# A typical named cell of each format: a 3000 mAh 18650 and a 5000 mAh
# 21700, as lights of these classes ship with or are rated on, and a NiMH
# AA, on which makers of AA lights rate their tables.
CELLS = {"18650": "samsung-30q", "21700": "samsung-50e", "AA": "eneloop-aa"}
# Lights that hold more than one cell, as their makers' pages say.
PACKS = {"Nitecore MT2A": "2S"}
DRIVER = "converter"  # a regulated driver, lumora-cli's 83 % constant-current converter
OPTICS = "87"  # an aluminium reflector behind an uncoated glass lens: lumora-cli's typical optics


def rows():
    with open(TABLES, newline="", encoding="utf-8") as f:
        return list(csv.DictReader(f))


def run(cli, row):
    """lumora-cli's record of the light in this mode: the drive solved for the
    maker's lumens at 30 s."""
    args = [cli, "graph", "--led", LEDS[row["led"]], "--cell", CELLS[row["cell_format"]],
            "--pack", PACKS.get(row["light"], "1S"), "--driver", DRIVER, "--optics", OPTICS,
            "--output", row["maker_output_lm"], "--format", "json"]
    done = subprocess.run(args, capture_output=True, text=True)
    if done.returncode != 0:
        return None, done.stderr.strip()
    record = json.loads(done.stdout)
    if record["summary"]["output_unit"] != "lm":
        return None, "the run is not in lumens"
    return record, ""


def table(cli):
    lines = ["| Light | Mode | LED | Maker lm | Maker FL1 h | Lumora FL1 h | Lumora / maker | Cell | Drive |",
             "|---|---|---|---|---|---|---|---|---|"]
    ratios, failures = [], []
    beyond = 0
    for row in rows():
        record, why = run(cli, row)
        pack = PACKS.get(row["light"], "1S")
        if record is None and "is more than this light gives" in why:
            # The maker claims more than the LED gives through the optics: said so, not run.
            most = why[why.index("at most"):].split(",")[0]
            beyond += 1
            lines.append(f"| {row['light']} | {row['mode']} | {LEDS[row['led']]} | {row['maker_output_lm']} | "
                         f"{float(row['maker_runtime_h']):g} | beyond the LED: {most} | | "
                         f"{CELLS[row['cell_format']]} {pack} | |")
            continue
        if record is None:
            failures.append(f"{row['light']}, {row['mode']}: {why}")
            continue
        s, i = record["summary"], record["inputs"]
        hours = s["fl1_runtime_h"]
        ratio = hours / float(row["maker_runtime_h"])
        bound = "" if s["fl1_reached"] else " at least"
        if s["fl1_reached"]:
            ratios.append(ratio)
        lines.append(f"| {row['light']} | {row['mode']} | {LEDS[row['led']]} | {row['maker_output_lm']} | "
                     f"{float(row['maker_runtime_h']):g} | {hours:g}{bound} | {ratio:.2f}{bound} | "
                     f"{CELLS[row['cell_format']]} {pack} | {i['current_ma']} mA |")
    summary = (f"Over the {len(ratios)} modes whose run reaches its FL1 end: Lumora / maker from "
               f"{min(ratios):.2f} to {max(ratios):.2f}, median {statistics.median(ratios):.2f}; "
               f"{beyond} mode{'s' if beyond != 1 else ''} beyond what the LED gives.\n")
    return "\n".join(lines) + "\n\n" + summary, failures


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    if not os.path.exists(TABLES):
        print("../shared/data/maker-ansi-tables.csv is absent: the makers' tables are compared from it")
        sys.exit(77)
    made, failures = table(sys.argv[1])
    for failure in failures:
        print("cannot be run in lumens: " + failure, file=sys.stderr)
    with open(DOC, encoding="utf-8") as f:
        doc = f.read()
    marker = "<!-- The table below is made by docs/tools/validation.py. -->\n"
    head = doc[:doc.index(marker) + len(marker)]
    if "--check" in sys.argv:
        if doc != head + made:
            print("docs/validation.md is not the table lumora-cli gives now: run docs/tools/validation.py "
                  "build/cli/lumora-cli", file=sys.stderr)
            sys.exit(1)
    else:
        with open(DOC, "w", encoding="utf-8") as f:
            f.write(head + made)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
