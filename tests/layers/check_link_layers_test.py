#!/usr/bin/env python3
"""Runs scripts/check_link_layers.py on the two probe libraries (probe.h) in
several orders and compares its exit status and report with the expected ones.

    check_link_layers_test.py CHECK_SCRIPT LOW_ARCHIVE HIGH_ARCHIVE"""
import subprocess
import sys
import unittest

CHECK, LOW, HIGH = sys.argv[1:4]

CASES = [
    # what, archives lowest first, exit status, report
    ("the low library calls up into the high one", [LOW, HIGH], 1, [
        "layer_probe_low uses ProbeHigh(), defined only above it in layer_probe_high "
        "(used in probe_low.cpp.o)",
        "layer_probe_low uses int ProbeTwice<int>(int), defined only above it in "
        "layer_probe_high (used in probe_low.cpp.o)",
    ]),
    ("the same two the other way up", [HIGH, LOW], 0, []),
    ("a definition below is enough where one above repeats it", [HIGH, LOW, HIGH], 0, []),
    ("an archive not yet built", [HIGH, LOW + ".missing"], 2, []),
]


class CheckLinkLayers(unittest.TestCase):
    def test_cases(self):
        for what, archives, status, report in CASES:
            with self.subTest(what):
                run = subprocess.run([sys.executable, CHECK, *archives], capture_output=True,
                                     text=True)
                self.assertEqual(run.stdout.splitlines(), report)
                self.assertEqual(run.returncode, status, run.stderr)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
