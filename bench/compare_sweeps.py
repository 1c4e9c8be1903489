#!/usr/bin/env python3
"""Compares two outputs of quorven_result_sweep case by case.

Reports how many cases changed a shown digit (the text before '#') and how many
changed a stored bit (the text after '#'), with the largest relative change of
the stored values. Exits 1 when a shown digit moved.

    bench/compare_sweeps.py before.txt after.txt
"""
import sys


def split(line):
    head, _, stored = line.rstrip("\n").partition(" # ")
    return head, stored.split()


def main(before_path, after_path):
    with open(before_path) as f:
        before = f.readlines()
    with open(after_path) as f:
        after = f.readlines()
    if len(before) != len(after):
        print(f"different case counts: {len(before)} and {len(after)}")
        return 1
    shown_moved, bits_moved, worst, worst_case = 0, 0, 0.0, ""
    for a, b in zip(before, after):
        shown_a, stored_a = split(a)
        shown_b, stored_b = split(b)
        if shown_a != shown_b:
            shown_moved += 1
            if shown_moved <= 10:
                print("shown digits moved:\n  " + a.rstrip() + "\n  " + b.rstrip())
        if stored_a != stored_b:
            bits_moved += 1
            for x, y in zip(stored_a[1:], stored_b[1:]):  # the first is the record's hash
                x, y = float(x), float(y)
                if x != y:
                    rel = abs(x - y) / max(abs(x), abs(y))
                    if rel > worst:
                        worst, worst_case = rel, shown_a[:60]
    print(f"{len(before)} cases; shown digits moved in {shown_moved}; stored bits moved in {bits_moved}; "
          f"largest relative change {worst:.3g} ({worst_case})")
    return 1 if shown_moved else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
