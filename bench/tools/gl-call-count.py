#!/usr/bin/env python3
"""The GL calls a frame of each screen of the walk, the game's beside its bare reference's, from
the lines bench/tools/gl-call-count.c writes (with the game's "screen in front" lines among them).

    bench/tools/gl-call-count.py calls.log [--by-function]

The bare reference's context is the first seen (its window opens before the game's); a screen's
game frame is the last one drawn before the bare reference takes its turn, its bare frame the last
of that turn."""
import re
import sys


def parse(path):
    line_re = re.compile(r"glcalls ctx=(\S+) total=(\d+)(.*)")
    screen = "start"
    bare_ctx = None
    last_game = None
    last_bare = None
    rows = []
    in_bare = False
    with open(path, errors="replace") as log:
        for line in log:
            if "screen in front:" in line:
                screen = line.split("screen in front:", 1)[1].strip()
                continue
            m = line_re.search(line)
            if not m:
                continue
            ctx, total, rest = m.group(1), int(m.group(2)), m.group(3)
            counts = dict((k, int(v)) for k, v in re.findall(r"(\w+)=(\d+)", rest))
            if bare_ctx is None:
                bare_ctx = ctx
            if ctx == bare_ctx:
                if not in_bare:
                    rows.append([screen, last_game, None])
                in_bare = True
                rows[-1][2] = (total, counts)
            else:
                in_bare = False
                last_game = (total, counts)
    # A screen is measured in rounds: keep its last round.
    kept = {}
    order = []
    for screen, game, bare in rows:
        if game is None or bare is None:
            continue
        if screen not in kept:
            order.append(screen)
        kept[screen] = (game, bare)
    return [(s, kept[s][0], kept[s][1]) for s in order]


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    by_function = "--by-function" in sys.argv
    print("| screen | game GL calls | bare GL calls | game draws |")
    print("|---|---|---|---|")
    rows = parse(sys.argv[1])
    for screen, game, bare in rows:
        print(f"| {screen} | {game[0]} | {bare[0]} | {game[1].get('glDrawElements', 0)} |")
    if by_function:
        for screen, game, bare in rows:
            names = sorted(set(game[1]) | set(bare[1]), key=lambda n: -game[1].get(n, 0))
            print(f"\n{screen}: " + ", ".join(f"{n} {game[1].get(n, 0)}/{bare[1].get(n, 0)}" for n in names))
    return 0


if __name__ == "__main__":
    sys.exit(main())
