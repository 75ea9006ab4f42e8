#!/usr/bin/env python3
"""Times the structural analysis ("tokarium --analyse") on generated nets of growing size.

Each net is written as a PNML file and imported with "tokarium --import-pnml" (timed too), then
analysed. Two families: a ring (N/2 places and N/2 transitions in one cycle, one token), and
"workers": cycles of four places and four transitions that all take one shared resource on their
first transition and give it back on their last, so that the P-invariants combine the resource with
every cycle. The figures are the wall-clock seconds of one run of each command.
Usage: analysis_bench.py [--bin BUILD/bin] [--sizes 50,100,200]
"""
import argparse
import pathlib
import re
import subprocess
import sys
import tempfile
import time

HEADER = ('<?xml version="1.0"?>\n<pnml xmlns="http://www.pnml.org/version-2009/grammar/pnml">\n'
          '<net id="n" type="http://www.pnml.org/version-2009/grammar/ptnet"><page id="g">\n')
FOOTER = '</page></net></pnml>\n'


def place(name, tokens=0):
    marking = f'<initialMarking><text>{tokens}</text></initialMarking>' if tokens else ''
    return f'<place id="{name}">{marking}</place>\n'


def arc(number, source, target):
    return f'<arc id="a{number}" source="{source}" target="{target}"/>\n'


def ring(nodes):
    half = nodes // 2
    body = ''.join(place(f'p{i}', 1 if i == 0 else 0) + f'<transition id="t{i}"/>\n' for i in range(half))
    body += ''.join(arc(2 * i, f'p{i}', f't{i}') + arc(2 * i + 1, f't{i}', f'p{(i + 1) % half}') for i in range(half))
    return body


def workers(nodes):
    cycles = max(1, (nodes - 1) // 8)
    body = place('r', 1)
    count = 0
    for c in range(cycles):
        for k in range(4):
            body += place(f'p{c}_{k}', 1 if k == 0 else 0) + f'<transition id="t{c}_{k}"/>\n'
        for k in range(4):
            body += arc(count, f'p{c}_{k}', f't{c}_{k}') + arc(count + 1, f't{c}_{k}', f'p{c}_{(k + 1) % 4}')
            count += 2
        body += arc(count, 'r', f't{c}_0') + arc(count + 1, f't{c}_3', 'r')
        count += 2
    return body


def timed(command):
    start = time.perf_counter()
    result = subprocess.run(command, capture_output=True, text=True)
    elapsed = time.perf_counter() - start
    if result.returncode != 0:
        sys.exit(f'{" ".join(command)} failed:\n{result.stderr}')
    return elapsed, result.stdout


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--bin', default=str(pathlib.Path(__file__).resolve().parent.parent / 'build' / 'bin'))
    parser.add_argument('--sizes', default='50,100,200')
    arguments = parser.parse_args()
    tokarium = pathlib.Path(arguments.bin) / 'tokarium'
    print(f'{"family":8} {"nodes":>5} {"P-inv":>6} {"T-inv":>6} {"import s":>9} {"analyse s":>10}')
    with tempfile.TemporaryDirectory() as folder:
        for family, build in (('ring', ring), ('workers', workers)):
            for size in (int(s) for s in arguments.sizes.split(',')):
                pnml = pathlib.Path(folder) / f'{family}{size}.pnml'
                document = pnml.with_suffix('.pn')
                pnml.write_text(HEADER + build(size) + FOOTER)
                imported, _ = timed([str(tokarium), '--import-pnml', str(pnml), '--out', str(document)])
                analysed, report = timed([str(tokarium), '--analyse', str(document)])
                places = int(re.search(r'(\d+) places', report).group(1))
                transitions = int(re.search(r'(\d+) transitions', report).group(1))
                counts = re.findall(r'invariants \(minimal, semi-positive\): (\w+)', report)
                print(f'{family:8} {places + transitions:5} {counts[0]:>6} {counts[1]:>6} {imported:9.3f} {analysed:10.3f}')


if __name__ == '__main__':
    main()
