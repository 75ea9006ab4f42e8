#!/usr/bin/env python3
"""Times "tokarium --simulate" on generated documents of growing size and prints the bridge's share.

Each document holds one net: a chain of N continuous places and transitions (T_i moves P_i into
P_i+1, uneven markings and speeds, so places empty one after the other over many phases), or the
same chain with every fourth place and transition discrete (a hybrid net). The built programs are
copied into a temporary program folder; after each batch run the engine is run once more alone on
the input file the bridge wrote, so that the time of the bridge itself (reading the document,
verification, export, import, stepping, the Plotter file) is the difference.
Usage: bridge_bench.py [--bin BUILD/bin] [--sizes 10,25,...] [--hybrid-sizes 5,10,...]
"""
import argparse
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import time

SUMMARY = re.compile(r"^PN 1 .*: (\w+) engine .*, (\d+) steps?, final clock (\S+)$", re.M)


def node(element, index, marking_or_value, x, y, value_tag):
    if element.startswith("place"):
        rect = f'<rect top="{y - 20}" left="{x - 20}" bottom="{y + 20}" right="{x + 20}"/>'
    else:
        rect = f'<rect top="{y - 3}" left="{x - 20}" bottom="{y + 4}" right="{x + 20}"/>'
    return f'<{element} id="{index}">{rect}<{value_tag}>{marking_or_value}</{value_tag}></{element}>'


def chain_document(size, hybrid):
    """A .pn document with one chain net of `size` places and `size` transitions."""
    objects = []
    for i in range(1, size + 1):
        discrete = hybrid and i % 4 == 0
        marking = (i * 7) % 11 + 1
        x, y = 60 + (i % 20) * 90, 60 + (i // 20) * 120
        objects.append(node("place_d" if discrete else "place_c", i, marking, x, y, "mi"))
        # A transition next to a discrete place is discrete too: continuous transitions may touch
        # discrete places only through loops of equal weight.
        discrete_transition = hybrid and (i % 4 == 0 or (i + 1) % 4 == 0)
        value = 1 + (i * 3) % 5
        objects.append(node("transition_d" if discrete_transition else "transition_c", i, value, x + 45, y, "ft"))
    arcs = []
    for i in range(1, size + 1):
        arcs.append(f'<arc_o down="-{i}" up="{i}"><p>1</p></arc_o>')
        if i < size:
            arcs.append(f'<arc_o down="{i + 1}" up="-{i}"><p>1</p></arc_o>')
    body = "".join(objects + arcs)
    return (
        '<?xml version="1.0"?>\n<tokarium version="1.0.0.0">'
        f'<sheet name="bench {size}" id="1"><simulator duration="1000"/><objects>{body}</objects></sheet>'
        "</tokarium>\n"
    )


def copy_programs(bin_folder, target):
    shutil.copy2(bin_folder / "tokarium", target / "tokarium")
    for folder, program in (("ContinuousPNs", "flowrun"), ("HybridPNs", "mixsim"), ("HybridPNs", "flowrun")):
        (target / folder).mkdir(exist_ok=True)
        shutil.copy2(bin_folder / folder / program, target / folder / program)


def run_once(programs, document, kind):
    start = time.perf_counter()
    result = subprocess.run([str(programs / "tokarium"), "--simulate", str(document)],
                            capture_output=True, text=True)
    total = time.perf_counter() - start
    match = SUMMARY.search(result.stdout)
    folder = programs / ("HybridPNs" if kind == "hybrid" else "ContinuousPNs")
    engine = "mixsim" if kind == "hybrid" else "flowrun"
    start = time.perf_counter()
    subprocess.run([str(folder / engine)], cwd=folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    alone = time.perf_counter() - start
    return result.returncode, total, alone, match


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bin", default=str(root / "build" / "bin"))
    parser.add_argument("--sizes", default="10,25,50,100")
    parser.add_argument("--hybrid-sizes", default="5,10,20")
    arguments = parser.parse_args()
    bin_folder = pathlib.Path(arguments.bin)
    if not (bin_folder / "tokarium").exists():
        sys.exit(f"no tokarium program in {bin_folder}: build it first")
    print(f"{'kind':<11}{'size':>6}{'status':>8}{'steps':>7}{'clock':>12}{'total s':>10}{'engine s':>10}"
          f"{'bridge s':>10}")
    with tempfile.TemporaryDirectory(prefix="bridge-bench-") as temporary:
        programs = pathlib.Path(temporary)
        copy_programs(bin_folder, programs)
        for kind, sizes in (("continuous", arguments.sizes), ("hybrid", arguments.hybrid_sizes)):
            for size in (int(s) for s in sizes.split(",") if s):
                document = programs / f"{kind}{size}.pn"
                document.write_text(chain_document(size, kind == "hybrid"))
                status, total, alone, match = run_once(programs, document, kind)
                steps, clock = (match.group(2), f"{float(match.group(3)):.6g}") if match else ("-", "-")
                print(f"{kind:<11}{size:>6}{status:>8}{steps:>7}{clock:>12}{total:>10.3f}{alone:>10.3f}"
                      f"{max(total - alone, 0):>10.3f}", flush=True)


if __name__ == "__main__":
    main()
