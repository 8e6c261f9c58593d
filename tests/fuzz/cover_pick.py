"""Prints the files of a libFuzzer merge that reached coverage first.

The merge's control file lists, for every file in the order the merge ran
them (smallest first), the edges no earlier file reached; the files with at
least one such edge together reach every edge of the whole set.
"""
import sys


def main(control_file):
    lines = open(control_file).read().split("\n")
    count = int(lines[0])
    files = lines[2:2 + count]
    for line in lines[2 + count:]:
        parts = line.split()
        if len(parts) > 2 and parts[0] == "COV":
            print(files[int(parts[1])])


if __name__ == "__main__":
    main(sys.argv[1])
