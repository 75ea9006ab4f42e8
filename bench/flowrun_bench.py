#!/usr/bin/env python3
"""Runs the built flowrun on generated continuous nets of growing size and prints its speed.

Each net is a chain of N places and N transitions (T_i moves P_i into P_i+1) with uneven
markings and speeds, so that the places empty one after the other over many phases; every
fifth place also feeds a second, lower-priority transition, so conflicts are resolved too.
Both solver paths run side by side: the lp_solve library in process (the default) and the
lp_solve program (--solver=cli), with their ratio and each run's peak memory.
Each figure is the best of --repeat runs (1 for sizes of 500 and more), since the machine may be shared.
Usage: flowrun_bench.py [--flowrun PATH] [--sizes 10,100,...] [--repeat 3]
"""
import argparse
import hashlib
import os
import pathlib
import subprocess
import sys
import tempfile
import time

SOLVE_LINE = "Solving the linear program in date.lp"


def chain_net(size):
    """date.dat text of the benchmark net with `size` places and transitions."""
    places = transitions = size
    pre = [[0] * transitions for _ in range(places)]
    post = [[0] * transitions for _ in range(places)]
    for i in range(size - 1):
        pre[i][i] = 1
        post[i + 1][i] = 1
    pre[size - 1][size - 1] = 1
    # Every fifth place also feeds the last transition: a conflict settled by priority.
    conflicts = [p for p in range(0, size - 1, 5)]
    for p in conflicts:
        pre[p][size - 1] = 1
    marking = [(p * 7) % 11 + 1 for p in range(places)]
    speeds = [1 + (t * 3) % 5 for t in range(transitions)]
    lines = [f"bench chain {size}", f"{places} {transitions}"]
    lines += [" ".join(map(str, row)) for row in pre]
    lines += [" ".join(map(str, row)) for row in post]
    lines.append(" ".join(map(str, marking)))
    lines.append(" ".join(map(str, speeds)))
    for p in conflicts:
        lines.append("1 2")
    return "\r\n".join(lines) + "\r\n"


def run_once(flowrun, size, solver):
    """Runs one net; returns status, wall seconds, LPs, states, peak memory (MB) and the tables."""
    with tempfile.TemporaryDirectory(prefix="flowrun-bench-") as folder:
        pathlib.Path(folder, "date.dat").write_text(chain_net(size), newline="")
        start = time.perf_counter()
        child = subprocess.Popen([flowrun, f"--solver={solver}"], cwd=folder,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _, wait_status, usage = os.wait4(child.pid, 0)
        elapsed = time.perf_counter() - start
        status = os.waitstatus_to_exitcode(wait_status)
        # Read line by line and keep only a digest: a forked child starts from this process's
        # peak memory, so the benchmark must stay small to measure flowrun's own peak.
        with open(pathlib.Path(folder, "results.htm"), errors="replace") as report:
            solves = sum(line.count(SOLVE_LINE) for line in report)
        tables = hashlib.sha1(pathlib.Path(folder, "P.rez").read_bytes()).hexdigest() if status == 0 else ""
        with open(pathlib.Path(folder, "P.rez")) as places:
            states = places.readline().strip() if status == 0 else "-"
        return status, elapsed, solves, states, usage.ru_maxrss / 1024, tables


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--flowrun", default=str(root / "build" / "bin" / "ContinuousPNs" / "flowrun"))
    parser.add_argument("--sizes", default="10,100,300,1000")
    parser.add_argument("--repeat", type=int, default=3)
    args = parser.parse_args()
    args.flowrun = os.path.abspath(args.flowrun)
    if not os.access(args.flowrun, os.X_OK):
        sys.exit(f"flowrun not found at {args.flowrun}; build it or pass --flowrun")

    print(f"{'size':>5} {'states':>7} {'LPs':>6} {'library s':>10} {'cli s':>9} {'cli/lib':>8} "
          f"{'lib MB':>7} {'cli MB':>7} {'same P.rez':>10} {'status':>7}")
    for size in (int(s) for s in args.sizes.split(",")):
        repeat = args.repeat if size < 500 else 1
        lib = min((run_once(args.flowrun, size, "library") for _ in range(repeat)), key=lambda r: r[1])
        cli = min((run_once(args.flowrun, size, "cli") for _ in range(repeat)), key=lambda r: r[1])
        ratio = cli[1] / lib[1] if lib[1] > 0 else float("nan")
        same = "yes" if lib[5] == cli[5] else "no"
        print(f"{size:>5} {lib[3]:>7} {lib[2]:>6} {lib[1]:>10.3f} {cli[1]:>9.3f} {ratio:>8.1f} "
              f"{lib[4]:>7.1f} {cli[4]:>7.1f} {same:>10} {lib[0]:>3}/{cli[0]:<3}")


if __name__ == "__main__":
    main()
