#!/usr/bin/env python3
"""Fails on an include against the layer order of ARCHITECTURE.md.

    check_layers.py SRC_DIR

host < edit < app: a file may include headers of its own layer and of the
layers below. Within the tree no two headers may include each other, also
by way of others (a header and its .cpp files count as one unit), and the
platform files (*_posix.cpp, *_win32.cpp) report what failed but never
raise, so they include no failure classes or messages.
"""
import os, re, sys

LAYERS = ["host", "edit", "app"]
RAISING = {"host/failures.h", "host/message_catalogue.h", "host/line_list.h", "host/console.h"}


def unit(path):  # src/host/foo_posix.cpp -> host/foo
    return re.sub(r"(_posix|_win32)?\.(h|cpp)$", "", path)


def main(src):
    problems, edges = [], {}
    for layer in LAYERS:
        for name in sorted(os.listdir(os.path.join(src, layer))):
            if not name.endswith((".h", ".cpp")) or name.endswith("_test.cpp"):
                continue
            path = layer + "/" + name
            with open(os.path.join(src, path), encoding="utf-8") as f:
                included = re.findall(r'^#include "((\w+)/\w+\.h)"', f.read(), re.M)
            for header, other in included:
                if LAYERS.index(other) > LAYERS.index(layer):
                    problems.append("%s includes %s, a layer above it" % (path, header))
                if re.search(r"_(posix|win32)\.cpp$", name) and header in RAISING:
                    problems.append("%s is platform code but includes %s" % (path, header))
                if unit(header) != unit(path):
                    edges.setdefault(unit(path), set()).add(unit(header))

    def reaches(start, goal, seen):
        return any(n == goal or (n not in seen and not seen.add(n) and reaches(n, goal, seen))
                   for n in edges.get(start, ()))
    problems += ["%s and %s include each other" % (a, b)
                 for a in sorted(edges) for b in sorted(edges[a]) if a < b and reaches(b, a, set())]
    print("\n".join(problems) or "layers hold")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
