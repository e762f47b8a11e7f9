#!/usr/bin/env python3
"""Counts Wine server requests per page build from a server trace (wineserver -d1).

  server_requests.py <trace> <phase> <objects per page> [<top>]

bench_page_switch marks each build with an atom "vantrel-bench:<phase>:begin" and ":end"; the
requests of the marking thread between the two marks are the build's. Prints one line: the
median requests per build and per object, over the builds of that phase; with <top>, the most
frequent request names of the median build follow, one a line.
"""
import collections
import re
import sys

REQUEST = re.compile(r"^([0-9a-f]+): (\w+)\( ")
MARK = re.compile(r'name=L"vantrel-bench:(\w+):(begin|end)"')


def builds(path, phase):
    """The request names of each build of the phase, in trace order."""
    out = []
    thread = None
    current = None
    with open(path, errors="replace") as trace:
        for line in trace:
            m = REQUEST.match(line)
            if not m:
                continue
            mark = MARK.search(line) if m.group(2) == "add_atom" else None
            if mark and mark.group(1) == phase:
                if mark.group(2) == "begin":
                    thread, current = m.group(1), []
                elif current is not None and m.group(1) == thread:
                    out.append(current)
                    current = None
                continue
            if current is not None and m.group(1) == thread:
                current.append(m.group(2))
    return out


def main():
    path, phase, objects = sys.argv[1], sys.argv[2], int(sys.argv[3])
    top = int(sys.argv[4]) if len(sys.argv) > 4 else 0
    found = builds(path, phase)
    if not found:
        print("no %s build in the trace" % phase)
        return 1
    found.sort(key=len)
    median = found[len(found) // 2]
    print("%-14s %7d requests  %6.1f per object  (%d builds)" % (phase, len(median), len(median) / objects,
                                                                 len(found)))
    for name, count in collections.Counter(median).most_common(top):
        print("    %6d  %s" % (count, name))
    return 0


if __name__ == "__main__":
    sys.exit(main())
