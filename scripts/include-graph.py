#!/usr/bin/env python3
"""Draws the include graph of src/ from the #include lines and counts arrows that run back up.

    scripts/include-graph.py [ROOT] [--dot FILE]

Layers, from the bottom: the toolkit's platform-free part, its Windows side, the converter
runner and the texture list that the other features share, the features preview and export,
app. An arrow runs back up when a file includes one of a higher layer, when preview and
export include each other, or when two units (a header and its .cpp) include each other,
directly or round a loop."""
import os, re, sys

def layer(folder):
    if folder.startswith('toolkit/win'): return 1
    if folder.startswith('toolkit'): return 0
    if folder in ('converter', 'texlist'): return 2  # the runner and the list the others share
    if folder == 'app': return 4
    return 3

def main():
    args = sys.argv[1:]
    dot = None
    if '--dot' in args:
        i = args.index('--dot'); dot = args[i + 1]; del args[i:i + 2]
    root = os.path.abspath(args[0] if args else os.path.join(os.path.dirname(__file__), '..'))
    src = os.path.join(root, 'src')
    files = {}
    for d, _, names in os.walk(src):
        for n in names:
            if n.endswith(('.h', '.cpp')):
                files[os.path.relpath(os.path.join(d, n), src)] = os.path.join(d, n)
    inc = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
    unit = lambda f: os.path.splitext(f)[0]
    edges = set()
    for f, p in files.items():
        for target in inc.findall(open(p, encoding='utf-8').read()):
            cand = [target, os.path.normpath(os.path.join(os.path.dirname(f), target))]
            t = next((c for c in cand if c in files), None)
            if t and unit(t) != unit(f):
                edges.add((unit(f), unit(t)))
    back = []
    for a, b in sorted(edges):
        fa, fb = os.path.dirname(a), os.path.dirname(b)
        la, lb = layer(fa), layer(fb)
        if lb > la or (la == lb and la in (2, 3) and fa != fb):
            back.append((a, b, 'up a layer' if lb > la else 'feature to feature'))
    # Loops between units: an arrow whose target reaches its source again.
    graph = {}
    for a, b in edges: graph.setdefault(a, set()).add(b)
    def reaches(start, goal):
        seen, todo = set(), [start]
        while todo:
            n = todo.pop()
            if n == goal: return True
            if n in seen: continue
            seen.add(n); todo.extend(graph.get(n, ()))
        return False
    for a, b in sorted(edges):
        if reaches(b, a) and not any(x[:2] == (a, b) for x in back):
            back.append((a, b, 'loop'))
    folders = {}
    for a, b in edges:
        fa, fb = os.path.dirname(a), os.path.dirname(b)
        if fa != fb: folders.setdefault((fa, fb), 0); folders[(fa, fb)] += 1
    folder_loops = sorted((a, b) for (a, b) in folders if (b, a) in folders and a < b)
    print('folder arrows (includes):')
    for (a, b), n in sorted(folders.items()):
        print(f'  {a} -> {b} ({n})')
    print('arrows running back up:')
    for a, b, why in back:
        print(f'  {a} -> {b}  [{why}]')
    print('folder loops:', ', '.join(f'{a} <-> {b}' for a, b in folder_loops) or 'none')
    if dot:
        with open(dot, 'w') as out:
            out.write('digraph includes {\n  rankdir=BT;\n')
            bad = {(a, b) for a, b, _ in back}
            for a, b in sorted(edges):
                out.write(f'  "{a}" -> "{b}"' + (' [color=red]' if (a, b) in bad else '') + ';\n')
            out.write('}\n')
    print(f'result: back_arrows {len(back)}')
    print(f'result: folder_loops {len(folder_loops)}')

main()
