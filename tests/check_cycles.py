#!/usr/bin/env python3
# check_cycles.py -- fails when the core modules of src/ (a module: the .h and .cpp of one stem;
# src/gui and src/cli left out) include each other in a cycle, and prints each cycle.
# Usage: check_cycles.py SOURCE_TREE
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def module_graph(top):
    """module -> modules whose headers its files include"""
    graph = {}
    src = os.path.abspath(os.path.join(top, 'src'))
    for root, _, files in os.walk(src):
        rel = os.path.relpath(root, src)
        if rel.split(os.sep)[0] in ('gui', 'cli'):
            continue
        for f in files:
            if not f.endswith(('.cpp', '.h')):
                continue
            path = os.path.join(root, f)
            mod = os.path.splitext(os.path.relpath(path, src))[0]
            deps = graph.setdefault(mod, set())
            with open(path, encoding='utf-8', errors='replace') as fh:
                text = fh.read()
            for name in INCLUDE.findall(text):
                for d in (root, src):
                    q = os.path.normpath(os.path.join(d, name))
                    if os.path.exists(q):
                        target = os.path.splitext(os.path.relpath(q, src))[0]
                        if q.startswith(src + os.sep) and target != mod:
                            deps.add(target)
                        break
    return graph


def cycles(graph):
    """strongly connected components of more than one module (Tarjan)"""
    index, low, stack, on, found = {}, {}, [], set(), []
    counter = [0]
    sys.setrecursionlimit(10000)

    def visit(v):
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on.add(v)
        for w in graph.get(v, ()):
            if w not in graph:
                continue
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            comp = []
            while True:
                w = stack.pop()
                on.discard(w)
                comp.append(w)
                if w == v:
                    break
            if len(comp) > 1:
                found.append(sorted(comp))

    for v in sorted(graph):
        if v not in index:
            visit(v)
    return found


def main():
    graph = module_graph(sys.argv[1] if len(sys.argv) > 1 else '.')
    found = cycles(graph)
    for comp in found:
        print('include cycle between core modules:')
        for v in comp:
            print('  ', v, '->', ', '.join(sorted(w for w in graph[v] if w in comp)))
    return 1 if found else 0


if __name__ == '__main__':
    sys.exit(main())
