#!/usr/bin/env python3
"""Reads weston's timeline (weston-debug timeline) and reports the drawings that weston showed
of the window Form1: for each, the pictures of it that reached the screen (damage flushed to
the output), its first-to-last span, and weston's repaint period meanwhile. A drawing is a run
of pictures less than half a second apart.

    weston_stages.py TIMELINE   prints one line a drawing: PICTURES SPAN_MS PERIOD_MS
"""
import json
import statistics
import sys


def seconds(stamp):
    return stamp[0] + stamp[1] / 1e9


def drawings(lines):
    events = [json.loads(line) for line in lines if line.strip()]
    form1 = {e["id"] for e in events if e.get("type") == "weston_surface" and "'Form1'" in e.get("desc", "")}
    shown = [seconds(e["T"]) for e in events if e.get("N") == "core_flush_damage" and e.get("ws") in form1]
    repaints = [seconds(e["T"]) for e in events if e.get("N") == "core_repaint_begin"]
    runs = []
    for moment in shown:
        if runs and moment - runs[-1][-1] < 0.5:
            runs[-1].append(moment)
        else:
            runs.append([moment])
    for run in runs:
        during = [t for t in repaints if run[0] <= t <= run[-1]]
        gaps = [b - a for a, b in zip(during, during[1:])]
        period = statistics.median(gaps) if gaps else 0
        yield len(run), (run[-1] - run[0]) * 1000, period * 1000


if __name__ == "__main__":
    with open(sys.argv[1], encoding="utf-8") as timeline:
        for pictures, span, period in drawings(timeline):
            print(f"{pictures} {span:.0f} {period:.1f}")
