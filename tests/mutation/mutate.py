#!/usr/bin/env python3
"""Plants single-line faults one at a time, rebuilds the test programs that
cover the changed file, runs them and puts the file back.

  tests/mutation/mutate.py --build DIR [--src DIR] [--only N,M] FAULTS

FAULTS is a text file; each fault is three lines (file, original text, faulty
text; the first occurrence of the original text is replaced) followed by a
blank line. A fault is "caught" when a test program fails or the build
breaks, "missed" when every program passes. The source tree must be
configured in DIR already; only the named test programs are built.
"""
import argparse
import os
import subprocess
import sys

# Which test programs cover which source folder.
PROGRAMS = {
    "src/model/": ["model_tests", "ops_tests", "formats_tests", "io_tests"],
    "src/ops/": ["ops_tests"],
    "src/formats/": ["formats_tests"],
    "src/io/xls/": ["xls_tests", "io_tests"],
    "src/io/": ["io_tests"],
    "src/shared/": ["shared_tests", "shared_text_tests", "formats_tests"],
}


def programs_for(path):
    best = max((p for p in PROGRAMS if path.startswith(p)), key=len, default=None)
    return PROGRAMS[best] if best else []


def read_faults(path):
    blocks = open(path, encoding="utf-8").read().split("\n\n")
    faults = []
    for block in blocks:
        lines = [l for l in block.split("\n") if l and not l.startswith("#")]
        if len(lines) == 3:
            faults.append(tuple(lines))
    return faults


def run(cmd, cwd, env=None):
    return subprocess.run(cmd, cwd=cwd, env=env, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL, timeout=900).returncode


def try_fault(src, build, fault, env):
    file, before, after = fault
    path = os.path.join(src, file)
    original = open(path, encoding="utf-8").read()
    if before not in original:
        return "unplantable"
    # The first occurrence when a line stands more than once.
    open(path, "w", encoding="utf-8").write(original.replace(before, after, 1))
    try:
        programs = programs_for(file)
        if run(["cmake", "--build", build, "-j2", "--target"] + programs, src) != 0:
            return "caught (build)"
        for program in programs:
            if run([os.path.join(build, "bin", program), "--gtest_brief=1"], build, env) != 0:
                return "caught by " + program
        return "missed"
    finally:
        open(path, "w", encoding="utf-8").write(original)
        os.utime(path)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--src", default=os.path.dirname(os.path.dirname(os.path.dirname(
        os.path.abspath(__file__)))))
    parser.add_argument("--only", default="")
    parser.add_argument("faults")
    args = parser.parse_args()
    env = dict(os.environ, LC_ALL="C.UTF-8", QT_QPA_PLATFORM="offscreen",
               ASAN_OPTIONS="halt_on_error=1:detect_leaks=0",
               UBSAN_OPTIONS="halt_on_error=1")
    faults = read_faults(args.faults)
    chosen = [int(n) for n in args.only.split(",") if n] or range(1, len(faults) + 1)
    everything = sorted({p for n in chosen for p in programs_for(faults[n - 1][0])})
    if run(["cmake", "--build", args.build, "-j2", "--target"] + everything, args.src) != 0 or any(
            run([os.path.join(args.build, "bin", p)], args.build, env) != 0 for p in everything):
        print("the unchanged sources do not pass their tests")
        return 1
    caught = planted = 0
    for n in chosen:
        result = try_fault(args.src, args.build, faults[n - 1], env)
        print(f"{n:3} {result:24} {faults[n - 1][0]}: {faults[n - 1][2].strip()}", flush=True)
        if result != "unplantable":
            planted += 1
            caught += result.startswith("caught")
    # Rebuild once more so that the programs match the restored sources.
    run(["cmake", "--build", args.build, "-j2", "--target"] + everything, args.src)
    print(f"caught {caught} of {planted} planted faults")
    return 0


if __name__ == "__main__":
    sys.exit(main())
