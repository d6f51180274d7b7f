#!/usr/bin/env python3
"""Both CSV dialects of a run without a window, read back by Python's csv
module: the same doubles in both, and the same doubles as model_run prints
for the same run (the default run stops changing long before its end, so its
last refresh holds the final state)."""
import csv
import json
import os
import subprocess
import sys

calidor, model_run, work = sys.argv[1:4]
os.makedirs(work, exist_ok=True)
setup = os.path.join(work, "défauts.calidor")
with open(setup, "w", encoding="utf-8") as f:
    json.dump({"format": "calidor-setup", "version": 1, "title": "Défauts"}, f)

env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin")}  # no DISPLAY, no platform


def batch(out, *extra):
    done = subprocess.run([calidor, "--batch", setup, "--csv", out, *extra], env=env,
                          capture_output=True, text=True, timeout=300)
    assert done.returncode == 0, (done.returncode, done.stderr)


def read(path, delimiter, comma):
    with open(path, encoding="utf-8", newline="") as f:
        lines = [line for line in f if not line.startswith("#")]
    rows = list(csv.reader(lines, delimiter=delimiter))
    number = (lambda t: float(t.replace(",", "."))) if comma else float
    return rows[0], [[number(t) for t in row] for row in rows[1:]]


point_path = os.path.join(work, "résultats point.csv")
fr_path = os.path.join(work, "résultats fr.csv")
batch(point_path)
batch(fr_path, "--dialect", "fr")
head_point, point = read(point_path, ",", False)
head_fr, fr = read(fr_path, ";", True)
assert head_point == head_fr and head_point[0] == "t (s)" and "Tc sortie (°C)" in head_point, head_point
assert len(point) == 1875 and all(len(r) == 11 for r in point), len(point)
assert point == fr, "the two dialects read back to different numbers"

prof_head, profiles = read(os.path.join(work, "résultats point-profils.csv"), ",", False)
_, profiles_fr = read(os.path.join(work, "résultats fr-profils.csv"), ";", True)
assert prof_head == ["x (m)", "Tc (°C)", "Tf (°C)", "Tp (°C)"] and profiles == profiles_fr

final = json.loads(subprocess.run([model_run], capture_output=True, text=True, check=True).stdout)
last = point[-1]
assert (last[4], last[5], last[6]) == (final["Pc"], final["Pf"], final["Sgen"]), (last, final)
for column, name in ((1, "Tc"), (2, "Tf"), (3, "Tp")):
    assert [r[column] for r in profiles] == final[name][:101], name
assert profiles[100][0] == 1.0
print("both dialects: %d rows, %d profile points, same doubles as model_run" % (len(point), len(profiles)))
