#!/usr/bin/env python3
"""Plants each fault of scripts/faults.txt in turn, rebuilds the test build and runs the suite.

    scripts/plant_faults.py BUILD_DIR   (a build made by `make build-test`)
    FAULTS=other.txt scripts/plant_faults.py BUILD_DIR   (another list of the same form)

Prints one line per fault (caught, missed, or did not build) and the counts; leaves the tree as
it found it."""
import os
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def faults():
    with open(os.environ.get("FAULTS", os.path.join(ROOT, "scripts", "faults.txt")), encoding="utf-8") as f:
        for line in f:
            if line.strip() and not line.startswith("#"):
                original, fault = line.rstrip("\n").split("\t")
                yield original, fault


def where(original):
    found = subprocess.run(["git", "grep", "-lF", "--", original, "src"], cwd=ROOT,
                           capture_output=True, text=True).stdout.split()
    return [os.path.join(ROOT, f) for f in found if open(os.path.join(ROOT, f)).read().count(original) == 1]


def main():
    build = os.path.abspath(sys.argv[1])
    counts = {"caught": 0, "missed": 0, "did not build": 0, "not found": 0}
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    for original, fault in faults():
        files = where(original)
        if len(files) != 1:
            counts["not found"] += 1
            print(f"not found      {original.strip()}")
            continue
        path = files[0]
        text = open(path, encoding="utf-8", errors="surrogateescape").read()
        try:
            open(path, "w", encoding="utf-8", errors="surrogateescape").write(
                text.replace(original, fault))
            built = subprocess.run(["cmake", "--build", build, "-j2"], capture_output=True)
            if built.returncode != 0:
                verdict = "did not build"
            else:
                tests = subprocess.run(["ctest", "--test-dir", build, "-j2", "--stop-on-failure",
                                        "--timeout", "180"], capture_output=True, env=env)
                verdict = "caught" if tests.returncode != 0 else "missed"
        finally:
            open(path, "w", encoding="utf-8", errors="surrogateescape").write(text)
        counts[verdict] += 1
        print(f"{verdict:14} {os.path.relpath(path, ROOT)}: {original.strip()}", flush=True)
    subprocess.run(["cmake", "--build", build, "-j2"], capture_output=True)
    print(", ".join(f"{n} {k}" for k, n in counts.items()))


if __name__ == "__main__":
    main()
