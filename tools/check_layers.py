#!/usr/bin/env python3
"""Refuses an include that points up the layers: every file under src/ and tests/ may include
headers of its own layer and of the layers below it, never of one above. Run by every build.

usage: check_layers.py SOURCE_DIR    (exit 1 and one line per wrong include)"""
import os
import re
import sys

# Bottom first; each layer may include itself and what comes before it. A folder inside a layer
# that is a layer of its own (render/gl, platform/sdl) is named with its parent.
LAYERS = ['gfx', 'platform', 'core', 'audio', 'options', 'match', 'games', 'render', 'frontend', 'assets',
          'loops', 'awards', 'replay', 'settings', 'demos', 'platform/sdl', 'render/gl', 'app']
# Test folders that are not a layer's: they test the shipped content, tools and the whole game.
TESTS_OF_EVERYTHING = {'content', 'tools', 'played', 'install', 'faults', 'display', 'data'}
INCLUDE = re.compile(r'\s*#\s*include\s+"([^"]+)"')


def layer_of(path):
    """The layer of a path relative to src/ (or tests/), or None."""
    for nested in ('render/gl/', 'platform/sdl/'):
        if path.startswith(nested):
            return nested[:-1]
    # The tests' shared doubles stand on the render layer: only tests from there up may use them.
    if path.startswith('support/'):
        return 'render'
    top = path.split('/', 1)[0]
    return top if top in LAYERS else None


def main():
    root = sys.argv[1]
    wrong = []
    for tree in ('src', 'tests'):
        for folder, _, files in os.walk(os.path.join(root, tree)):
            for name in sorted(files):
                if not name.endswith(('.h', '.cpp')):
                    continue
                path = os.path.join(folder, name)
                relative = os.path.relpath(path, os.path.join(root, tree))
                if tree == 'tests' and relative.split('/', 1)[0] in TESTS_OF_EVERYTHING:
                    continue
                own = layer_of(relative)
                if own is None:
                    continue
                with open(path, encoding='utf-8', errors='replace') as source:
                    for number, line in enumerate(source, 1):
                        match = INCLUDE.match(line)
                        if not match:
                            continue
                        included = layer_of(match.group(1))
                        if included is not None and LAYERS.index(included) > LAYERS.index(own):
                            wrong.append(f'{os.path.relpath(path, root)}:{number}: {own} includes '
                                         f'"{match.group(1)}" of the layer {included} above it')
    for line in wrong:
        print(line, file=sys.stderr)
    return 1 if wrong else 0


if __name__ == '__main__':
    sys.exit(main())
