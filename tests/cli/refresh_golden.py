#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Rewrites the expected lines of golden files from what lumora-cli prints now.

    tests/cli/refresh_golden.py build/cli/lumora-cli tests/cli/golden/graph.txt [...]

Each "$ " command line is run as run_golden.sh runs it (in tests/cli/logs, its
arguments expanded by bash, with $scratch a new folder); its "> ", "! " and "= " lines are
written anew, comments and blank lines kept. A new command line may be added
with no expected lines at all. Nothing is checked here: read the diff
(git diff tests/cli/golden) before committing it, since it is the change in
behaviour itself.
"""
import os
import subprocess
import sys
import tempfile

LOGS = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'logs')


def expected(program, arguments):
    with tempfile.TemporaryDirectory() as scratch:
        script = 'eval "args=($1)"; exec "$2" "${args[@]}"'
        done = subprocess.run(['bash', '-c', script, 'golden', arguments, program], cwd=LOGS, capture_output=True,
                              env=dict(os.environ, scratch=scratch))
    lines = []
    for prefix, stream in (('>', done.stdout), ('!', done.stderr)):
        text = stream.decode('utf-8')
        for line in text.splitlines():
            lines.append(f'{prefix} {line}' if line else prefix)
    lines.append(f'= {done.returncode}')
    return lines


def refresh(program, path):
    with open(path, encoding='utf-8') as rows:
        old = rows.read().splitlines()
    new = []
    for line in old:
        if line.startswith('$ '):
            new.append(line)
            new.extend(expected(program, line[2:]))
        elif line.startswith(('> ', '! ', '= ')) or line in ('>', '!'):
            continue
        else:
            new.append(line)
    with open(path, 'w', encoding='utf-8') as rows:
        rows.write('\n'.join(new) + '\n')


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    program = os.path.abspath(sys.argv[1])
    for path in sys.argv[2:]:
        refresh(program, path)


if __name__ == '__main__':
    main()
