#!/usr/bin/env python3
"""Runs two builds of mixsim on the same inputs and compares every file they leave, byte for byte,
with the sub-nets solved in process and by the flowrun program (--flowrun=PATH) beside each mixsim.

Usage: mixsim_compare.py --old BIN_DIR [--new BIN_DIR] [--limit SECONDS] DATA_FILE...
BIN_DIR holds HybridPNs/mixsim and HybridPNs/flowrun (default --new: build/bin beside this folder).
Each DATA_FILE is a "data.txt" of mixsim. Prints one line per input and path that differs and a
count at the end; exits 1 when anything differs.
"""
import argparse
import filecmp
import os
import shutil
import subprocess
import sys
import tempfile


def run(bin_dir, data, folder, in_process, limit):
    shutil.copyfile(data, os.path.join(folder, "data.txt"))
    program = os.path.join(bin_dir, "HybridPNs", "mixsim")
    arguments = [] if in_process else ["--flowrun=" + os.path.join(bin_dir, "HybridPNs", "flowrun")]
    try:
        done = subprocess.run([program] + arguments, cwd=folder, capture_output=True, timeout=limit)
        return done.returncode, done.stderr
    except subprocess.TimeoutExpired:
        return "time", b""


def differences(old_bin, new_bin, data, in_process, limit):
    # A flowrun that a stopped mixsim started may still be writing its folder when it is removed.
    with tempfile.TemporaryDirectory(prefix="compare-new-", ignore_cleanup_errors=True) as new, \
            tempfile.TemporaryDirectory(prefix="compare-old-", ignore_cleanup_errors=True) as old:
        new_end = run(new_bin, data, new, in_process, limit)
        old_end = run(old_bin, data, old, in_process, limit)
        if new_end != old_end:
            return [f"exit/messages {new_end} vs {old_end}"]
        names = sorted(set(os.listdir(new)) | set(os.listdir(old)))
        _, mismatch, errors = filecmp.cmpfiles(new, old, names, shallow=False)
        return mismatch + errors


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser()
    parser.add_argument("--new", default=os.path.join(here, "..", "build", "bin"))
    parser.add_argument("--old", required=True)
    parser.add_argument("--limit", type=float, default=120)
    parser.add_argument("data", nargs="+")
    args = parser.parse_args()
    differing = 0
    for data in args.data:
        for in_process in (True, False):
            bad = differences(args.old, args.new, data, in_process, args.limit)
            if bad:
                differing += 1
                path = "in process" if in_process else "--flowrun"
                print(f"{data} ({path}): DIFFER: {' '.join(map(str, bad[:8]))}", flush=True)
    print(f"{len(args.data)} inputs, 2 paths each: {differing} differ")
    sys.exit(1 if differing else 0)


if __name__ == "__main__":
    main()
