#!/usr/bin/env python3
"""Runs flowrun and mixsim on generated nets of several shapes and sizes and prints, for each,
wall time, CPU time, CPU time per phase or event and peak memory, for a new and an old build side by
side. Peak memory and CPU time come from /usr/bin/time (package "time"): the figures of the
waiting Python process would count its own pages. On a shared machine wall time follows the
load; CPU time (user + system) is the steadier figure.

Shapes (N = number of places):
  flowrun  chain    P1 -> T1 -> ... -> PN, uneven markings and speeds, conflicts by priority
  flowrun  fan      one tank feeding N-1 outlets in classes of three equal priorities with sharing
  flowrun  grid     a square grid of tanks, each draining right and down
  mixsim   chain    the discrete chain P1 -> T1 -> ... -> PN, 10 tokens, durations 1
  mixsim   fan      one discrete place shared by continuous outlets of separate tanks, by priority
  mixsim   grid     a grid of tanks whose outlets a discrete clock opens and closes
  mixsim   mixed    timed discrete loops, each switching the flow of a tank on and off

Usage: engine_shapes.py [--new BIN_DIR] [--old BIN_DIR] [--sizes 100,250,500,1000] [--limit SECONDS]
                        [--engines flowrun,mixsim] [--shapes chain,fan,grid,mixed]
                        [--compare]    (every output file of both builds byte for byte, N <= 300)
BIN_DIR holds ContinuousPNs/flowrun and HybridPNs/mixsim (default: build/bin beside this folder).
"""
import argparse
import filecmp
import os
import pathlib
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from flowrun_bench import chain_net  # noqa: E402


def flowrun_text(title, pre, post, marking, speeds, conflicts):
    """date.dat text; conflicts: one list of numbers per place with two or more outputs."""
    lines = [title, f"{len(pre)} {len(pre[0])}"]
    lines += [" ".join(map(str, row)) for row in pre + post]
    lines += [" ".join(map(str, marking)), " ".join(map(str, speeds))]
    lines += [" ".join(map(str, c)) for c in conflicts]
    return "\r\n".join(lines) + "\r\n"


def mixsim_text(pre, post, marking, values, discrete_places, discrete_transitions, conflicts):
    numbers = [len(pre), len(discrete_places), len(pre[0]), len(discrete_transitions)]
    numbers += discrete_places + discrete_transitions
    for matrix in (pre, post):
        for row in matrix:
            numbers += row
    numbers += marking + values + conflicts
    return "Bench\r\n" + "".join(f"{n}\r\n" for n in numbers)


def zeros(rows, cols):
    return [[0] * cols for _ in range(rows)]


def flowrun_fan(n):
    outlets = n - 1
    pre, post = zeros(n, outlets), zeros(n, outlets)
    for t in range(outlets):
        pre[0][t] = 1
        post[t + 1][t] = 1
    priorities = [1 + t // 3 for t in range(outlets)]
    ratios = [1 + t % 3 for t in range(outlets) if outlets - (t - t % 3) >= 2 and t - t % 3 + 1 < outlets]
    return flowrun_text(f"fan {n}", pre, post, [10 * n] + [0] * outlets,
                        [1 + t % 4 for t in range(outlets)], [priorities + ratios])


def grid_arcs(side):
    """Transitions of a side x side grid of tanks: each tank drains right and down (when it can)."""
    arcs = []
    for r in range(side):
        for c in range(side):
            p = r * side + c
            if c + 1 < side:
                arcs.append((p, p + 1))
            if r + 1 < side:
                arcs.append((p, p + side))
    return arcs


def flowrun_grid(n):
    side = max(2, int(round(n ** 0.5)))
    arcs = grid_arcs(side)
    pre, post = zeros(side * side, len(arcs)), zeros(side * side, len(arcs))
    for t, (a, b) in enumerate(arcs):
        pre[a][t] = 1
        post[b][t] = 1
    conflicts = []
    for p in range(side * side):
        outputs = [t for t, (a, _) in enumerate(arcs) if a == p]
        if len(outputs) >= 2:
            conflicts.append([1, 2])
    marking = [(p * 5) % 7 + 1 for p in range(side * side)]
    return flowrun_text(f"grid {side}x{side}", pre, post, marking, [1 + t % 3 for t in range(len(arcs))],
                        conflicts)


def mixsim_chain(n):
    pre, post = zeros(n, n - 1), zeros(n, n - 1)
    for t in range(n - 1):
        pre[t][t] = 1
        post[t + 1][t] = 1
    return mixsim_text(pre, post, [10] + [0] * (n - 1), [1] * (n - 1), list(range(1, n + 1)),
                       list(range(1, n)), [])


def mixsim_fan(n):
    """P1 (discrete, 3 tokens) is a loop place of the outlets of the tanks P2..PN."""
    tanks = n - 1
    pre, post = zeros(n, tanks), zeros(n, tanks)
    for t in range(tanks):
        pre[0][t] = post[0][t] = 1
        pre[t + 1][t] = 1
    priorities = [1 + t // 2 for t in range(tanks)]
    ratios = [1 + t % 2 for t in range(tanks) if t - t % 2 + 1 < tanks]
    return mixsim_text(pre, post, [3] + [2 + t % 5 for t in range(tanks)], [1] * tanks, [1], [],
                       priorities + ratios)


def mixsim_grid(n):
    """A grid of tanks (continuous) whose first tank a discrete clock P_on/P_off lets drain."""
    side = max(2, int(round((n - 2) ** 0.5)))
    arcs = grid_arcs(side)
    places = side * side + 2
    on, off = side * side, side * side + 1
    transitions = len(arcs) + 2
    pre, post = zeros(places, transitions), zeros(places, transitions)
    for t, (a, b) in enumerate(arcs):
        pre[a][t] = 1
        post[b][t] = 1
        if a == 0:
            pre[on][t] = post[on][t] = 1
    close, open_ = len(arcs), len(arcs) + 1
    pre[on][close], post[off][close] = 1, 1
    pre[off][open_], post[on][open_] = 1, 1
    conflicts = []
    for p in range(places):
        outputs = [t for t in range(transitions) if pre[p][t]]
        if len(outputs) >= 2:
            conflicts += [1 + k for k in range(len(outputs))]
    marking = [(p * 5) % 7 + 1 for p in range(side * side)] + [1, 0]
    values = [1 + t % 3 for t in range(len(arcs))] + [3, 2]
    return mixsim_text(pre, post, marking, values, [on + 1, off + 1], [close + 1, open_ + 1], conflicts)


def mixsim_mixed(n):
    """Loops of three places: a discrete pair (on, off), toggled with its own period, opens the
    outlet of a marked tank; many loops make many events until the tanks are empty and the
    clocks repeat."""
    loops = max(1, n // 3)
    places, transitions = 3 * loops, 3 * loops
    pre, post = zeros(places, transitions), zeros(places, transitions)
    discrete_places, discrete_transitions, values = [], [], []
    for k in range(loops):
        tank, on, off = 3 * k, 3 * k + 1, 3 * k + 2
        drain, close, open_ = 3 * k, 3 * k + 1, 3 * k + 2
        pre[tank][drain] = 1
        pre[on][drain] = post[on][drain] = 1
        pre[on][close], post[off][close] = 1, 1
        pre[off][open_], post[on][open_] = 1, 1
        discrete_places += [on + 1, off + 1]
        discrete_transitions += [close + 1, open_ + 1]
    for k in range(loops):
        values += [1, 1 + k % 3, 2 + k % 2]
    marking = []
    for k in range(loops):
        marking += [2 + k % 4, 1, 0]
    conflicts = []
    for k in range(loops):
        conflicts += [1, 2]  # place "on": its outlet and its closing transition
    return mixsim_text(pre, post, marking, values, discrete_places, discrete_transitions, conflicts)


# A run still going after this many seconds is stopped and shown with status "time".
TIME_LIMIT = 120

SHAPES = [
    ("flowrun", "chain", chain_net),
    ("flowrun", "fan", flowrun_fan),
    ("flowrun", "grid", flowrun_grid),
    ("mixsim", "chain", mixsim_chain),
    ("mixsim", "fan", mixsim_fan),
    ("mixsim", "grid", mixsim_grid),
    ("mixsim", "mixed", mixsim_mixed),
]


def run(bin_dir, engine, text, folder):
    """(status, wall s, steps, peak MB, cpu s) of one run in `folder`."""
    program = os.path.join(bin_dir, "ContinuousPNs/flowrun" if engine == "flowrun" else "HybridPNs/mixsim")
    name = "date.dat" if engine == "flowrun" else "data.txt"
    pathlib.Path(folder, name).write_text(text, newline="")
    with tempfile.NamedTemporaryFile(prefix="shapes-time-", mode="r") as figures_file:
        start = time.perf_counter()
        child = subprocess.Popen(["/usr/bin/time", "-f", "%M %U %S", "-o", figures_file.name, program], cwd=folder,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        try:
            child.wait(timeout=TIME_LIMIT)
        except subprocess.TimeoutExpired:
            os.killpg(child.pid, signal.SIGKILL)
            child.wait()
            return "time", TIME_LIMIT, 0, 0.0, TIME_LIMIT
        wall = time.perf_counter() - start
        fields = figures_file.read().split()
    # /usr/bin/time reports a failing program with a line of its own before the figures.
    peak_kb, user, system = (float(v) for v in fields[-3:])
    table = pathlib.Path(folder, "P.rez" if engine == "flowrun" else "Pos.dat")
    steps = int(table.read_text().split("\n", 1)[0]) if table.exists() else 0
    return child.returncode, wall, steps, peak_kb / 1024, user + system


def selected(args):
    return [(engine, shape, make) for engine, shape, make in SHAPES
            if engine in args.engines and shape in args.shapes]


def figures(args):
    print(f"{'engine':<8}{'shape':<7}{'N':>6}{'steps':>7}{'new s':>8}{'old s':>8}{'ratio':>6}"
          f"{'new cpu':>8}{'old cpu':>8}{'ratio':>6}{'new ms/st':>10}{'old ms/st':>10}"
          f"{'new MB':>7}{'old MB':>7}{'status':>10}")
    for engine, shape, make in selected(args):
        for size in args.sizes:
            text = make(size)
            row = {}
            for label, bin_dir in (("new", args.new), ("old", args.old)):
                if not bin_dir:
                    continue
                with tempfile.TemporaryDirectory(prefix="shapes-") as folder:
                    row[label] = run(bin_dir, engine, text, folder)
            status, wall, steps, memory, cpu = row["new"]
            old = row.get("old")
            dash = lambda width: f"{'-':>{width}}"  # noqa: E731
            cells = [f"{engine:<8}{shape:<7}{size:>6}{steps:>7}{wall:8.2f}",
                     f"{old[1]:8.2f}{old[1] / wall:6.1f}" if old else dash(8) + dash(6),
                     f"{cpu:8.2f}",
                     f"{old[4]:8.2f}{old[4] / max(cpu, 0.01):6.1f}" if old else dash(8) + dash(6),
                     f"{1000 * cpu / max(steps, 1):10.2f}",
                     f"{1000 * old[4] / max(old[2], 1):10.2f}" if old else dash(10),
                     f"{memory:7.0f}", f"{old[3]:7.0f}" if old else dash(7),
                     f"{status}/{old[0]}".rjust(10) if old else str(status).rjust(10)]
            print("".join(cells), flush=True)


CUT_LINE = b"<br><b>The trace is cut here: the report reached its size limit of"


def cut_alike(new, old, name):
    """A long report the new build cut at its size limit matches the old one up to the cut."""
    try:
        cut = pathlib.Path(new, name).read_bytes()
        whole = pathlib.Path(old, name).read_bytes()
    except OSError:
        return False
    at = cut.find(CUT_LINE)
    return at > 0 and len(whole) > at and whole[:at] == cut[:at]


def compare(args):
    """Every file both builds write must be the same, byte for byte."""
    differing = 0
    for engine, shape, make in selected(args):
        for size in (s for s in args.sizes if s <= 300):
            text = make(size)
            with tempfile.TemporaryDirectory(prefix="shapes-new-") as new, \
                    tempfile.TemporaryDirectory(prefix="shapes-old-") as old:
                run(args.new, engine, text, new)
                run(args.old, engine, text, old)
                names = sorted(set(os.listdir(new)) | set(os.listdir(old)))
                _, mismatch, errors = filecmp.cmpfiles(new, old, names, shallow=False)
                bad = [name for name in mismatch + errors if not cut_alike(new, old, name)]
                differing += len(bad) > 0
                print(f"{engine:<8}{shape:<7}{size:>6}  {len(names)} files  "
                      f"{'same' if not bad else 'DIFFER: ' + ' '.join(bad[:8])}", flush=True)
    return differing


def main():
    global TIME_LIMIT
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser()
    parser.add_argument("--new", default=os.path.join(here, "..", "build", "bin"))
    parser.add_argument("--old", default="")
    parser.add_argument("--sizes", default="100,250,500,1000")
    parser.add_argument("--compare", action="store_true")
    parser.add_argument("--limit", type=float, default=TIME_LIMIT, help="seconds before a run is stopped")
    parser.add_argument("--engines", default="flowrun,mixsim")
    parser.add_argument("--shapes", default="chain,fan,grid,mixed")
    args = parser.parse_args()
    TIME_LIMIT = args.limit
    args.sizes = [int(s) for s in args.sizes.split(",")]
    # The engines run in folders of their own, where a relative path would not lead.
    args.new = os.path.abspath(args.new)
    args.old = os.path.abspath(args.old) if args.old else ""
    args.engines = args.engines.split(",")
    args.shapes = args.shapes.split(",")
    if args.compare:
        if not args.old:
            parser.error("--compare needs --old")
        sys.exit(1 if compare(args) else 0)
    figures(args)


if __name__ == "__main__":
    main()
