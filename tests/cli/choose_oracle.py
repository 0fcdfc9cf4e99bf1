#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""choose against graph: every build that `lumora-cli choose` lists, run
again through `lumora-cli graph` with the arguments it gives, gives the
same figures: the wanted 30-s output within 1 % and at least the wanted
FL1 runtime, with no warning of a rating passed.

    choose_oracle.py LUMORA_CLI
"""
import json
import subprocess
import sys

QUESTIONS = [
    (1000, 1.0, ["--cell", "18650"]),
    (1000, 1.0, ["--cell", "18650", "--host", "18650-tube", "--ambient", "40"]),
    (400, 3.0, ["--cell", "21700", "--by", "sustained"]),
]


def run(cli, args):
    done = subprocess.run([cli, *args], capture_output=True, text=True, check=False)
    return done.returncode, done.stdout, done.stderr


def main():
    cli = sys.argv[1]
    failures = 0
    for lumens, hours, held in QUESTIONS:
        args = ["choose", "--output", str(lumens), "--runtime", str(hours), "--top", "5", "--format", "json", *held]
        code, out, err = run(cli, args)
        if code != 0:
            print(f"{' '.join(args)}: exit {code}: {err}")
            failures += 1
            continue
        builds = json.loads(out)["builds"]
        if not builds:
            print(f"{' '.join(args)}: no builds")
            failures += 1
        for build in builds:
            code, out, err = run(cli, [*build["args"], "--format", "json"])
            graph = json.loads(out)["summary"] if code == 0 else {}
            listed = build["summary"]
            problems = []
            if code != 0:
                problems.append(f"graph exit {code}: {err.strip()}")
            elif graph != listed:
                problems.append("figures differ from the ones listed")
            elif abs(graph["output_30s"] / lumens - 1) > 0.01:
                problems.append(f"30-s output {graph['output_30s']} lm")
            elif graph["fl1_runtime_h"] < hours:
                problems.append(f"FL1 runtime {graph['fl1_runtime_h']} h")
            elif any("maximum" in w for w in build["warnings"]):
                problems.append("past a rating")
            if problems:
                failures += 1
                print(f"{' '.join(build['args'])}: {'; '.join(problems)}")
    print(f"choose oracle: {failures} failure(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
