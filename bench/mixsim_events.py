#!/usr/bin/env python3
"""Runs mixsim on hybrid nets with a growing number of events, both ways side by
side: the continuous engine in process (the default) and the flowrun program per
sub-net (--flowrun=./flowrun); prints wall times, their ratio and peak memory.

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


def run(bin_dir, events, with_flow, per_process):
    """One run; returns status, steps, sub-net runs, wall seconds, peak MB and Pos.dat."""
    folder = tempfile.mkdtemp(prefix="mixsim_bench_")
    try:
        command = [os.path.join(bin_dir, "HybridPNs", "mixsim")]
        if per_process:
            shutil.copy(os.path.join(bin_dir, "ContinuousPNs", "flowrun"), folder)
            command.append("--flowrun=./flowrun")
        with open(os.path.join(folder, "data.txt"), "w", newline="") as data:
            data.write(net_text(events, with_flow))
        start = time.perf_counter()
        child = subprocess.Popen(command, cwd=folder, stderr=subprocess.DEVNULL)
        _, wait_status, usage = os.wait4(child.pid, 0)
        wall = time.perf_counter() - start
        with open(os.path.join(folder, "Pos.dat")) as pos:
            positions = pos.read()
        steps = int(positions.split("\n", 1)[0])
        with open(os.path.join(folder, "short_results_hybrid.htm")) as brief:
            runs = int(re.search(r"took (\d+) runs of flowrun", brief.read()).group(1))
        return os.waitstatus_to_exitcode(wait_status), steps, runs, wall, usage.ru_maxrss / 1024, positions
    finally:
        shutil.rmtree(folder)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    bin_dir = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "build", "bin"))
    print(f"{'net':<10}{'events':>7}{'steps':>7}{'subnets':>8}{'memory s':>10}{'process s':>10}"
          f"{'ratio':>7}{'ms/event':>9}{'mem MB':>8}{'proc MB':>8}{'same':>6}{'status':>8}")
    for with_flow in (False, True):
        for events in EVENT_COUNTS:
            mem = run(bin_dir, events, with_flow, False)
            proc = run(bin_dir, events, with_flow, True)
            name = "hybrid" if with_flow else "discrete"
            ratio = proc[3] / mem[3] if mem[3] > 0 else float("nan")
            same = "yes" if mem[5] == proc[5] else "no"
            print(f"{name:<10}{events:>7}{mem[1]:>7}{mem[2]:>8}{mem[3]:>10.3f}{proc[3]:>10.3f}{ratio:>7.1f}"
                  f"{1000 * mem[3] / events:>9.3f}{mem[4]:>8.1f}{proc[4]:>8.1f}{same:>6}{mem[0]:>4}/{proc[0]:<3}")


if __name__ == "__main__":
    main()
