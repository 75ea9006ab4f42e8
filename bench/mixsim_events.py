#!/usr/bin/env python3
"""Runs mixsim (with the real flowrun and lp_solve) on hybrid nets with a
growing number of events and prints wall time, flowrun runs and time per event.

Usage: bench/mixsim_events.py [BIN_DIR]   (default: build/bin beside this folder)
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

EVENT_COUNTS = [10, 30, 100, 300, 1000]


def net_text(events, with_flow):
    """P1 holds `events` tokens that T1 (duration 1, one server P0) moves one
    at a time into P2; T2 (continuous, speed 1 per token of P2, loop arc)
    fills P3, so every event changes the speed and needs a flowrun run."""
    places, transitions = (4, 2) if with_flow else (3, 1)
    pozdis, trandis = [1, 2, 3], [1]
    pre = [[1, 0], [1, 0], [0, 1], [0, 0]] if with_flow else [[1], [1], [0]]
    post = [[1, 0], [0, 0], [1, 1], [0, 1]] if with_flow else [[1], [0], [1]]
    marking = [1, events, 0] + ([0] if with_flow else [])
    values = [1] + ([1] if with_flow else [])
    numbers = [places, len(pozdis), transitions, len(trandis)] + pozdis + trandis
    for matrix in (pre, post):
        for row in matrix:
            numbers += row
    numbers += marking + values
    return "Bench\r\n" + "".join(f"{n}\r\n" for n in numbers)


def run(bin_dir, events, with_flow):
    folder = tempfile.mkdtemp(prefix="mixsim_bench_")
    try:
        shutil.copy(os.path.join(bin_dir, "HybridPNs", "flowrun"), folder)
        with open(os.path.join(folder, "data.txt"), "w", newline="") as data:
            data.write(net_text(events, with_flow))
        start = time.perf_counter()
        status = subprocess.run([os.path.join(bin_dir, "HybridPNs", "mixsim")], cwd=folder,
                                stderr=subprocess.PIPE, text=True).returncode
        wall = time.perf_counter() - start
        with open(os.path.join(folder, "Pos.dat")) as pos:
            steps = int(pos.readline())
        with open(os.path.join(folder, "short_results_hybrid.htm")) as brief:
            runs = int(re.search(r"took (\d+) runs of flowrun", brief.read()).group(1))
        return status, steps, runs, wall
    finally:
        shutil.rmtree(folder)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    bin_dir = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "build", "bin"))
    print(f"{'net':<10}{'events':>8}{'steps':>8}{'flowrun':>9}{'wall s':>10}{'ms/event':>10}{'status':>8}")
    for with_flow in (False, True):
        for events in EVENT_COUNTS:
            status, steps, runs, wall = run(bin_dir, events, with_flow)
            name = "hybrid" if with_flow else "discrete"
            print(f"{name:<10}{events:>8}{steps:>8}{runs:>9}{wall:>10.3f}{1000 * wall / events:>10.3f}{status:>8}")


if __name__ == "__main__":
    main()
