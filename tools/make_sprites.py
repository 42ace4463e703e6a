#!/usr/bin/env python3
"""Writes the game's sprite files into game/data/sprites/ in the engine's sprite format.

Run from anywhere: python3 tools/make_sprites.py. Every row of a frame is padded to the
sprite's width; the screens fit an 80 x 24 window.
"""
import os

OUT = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                   "game", "data", "sprites")

def block(text):
    rows = text.split('\n')
    if rows and rows[0] == '':
        rows = rows[1:]
    if rows and rows[-1].strip() == '':
        rows = rows[:-1]
    return rows

def write(name, color, frames, width=None, height=None, center=True):
    frames = [block(f) if isinstance(f, str) else f for f in frames]
    if width is None:
        width = max(len(r.rstrip()) for f in frames for r in f)
    if height is None:
        height = max(len(f) for f in frames)
    out = ['frames %d' % len(frames), 'width %d' % width, 'height %d' % height, 'color %s' % color]
    for f in frames:
        rows = [r.rstrip() for r in f]
        mw = max(len(r) for r in rows)
        left = (width - mw) // 2 if center else 0
        rows = [(' ' * left + r).ljust(width) for r in rows]
        top = (height - len(rows)) // 2 if center else 0
        rows = [' ' * width] * top + rows + [' ' * width] * (height - len(rows) - top)
        for r in rows:
            assert len(r) == width, (name, r)
        out += rows + ['end']
    out.append('eof')
    with open(os.path.join(OUT, name), 'w', newline='\n') as f:
        f.write('\n'.join(out) + '\n')

# One cell of dirt.
write('dot-spr.txt', 'yellow', [['#']])
write('hor-border-spr.txt', 'cyan', [['=']])
write('vert-border-spr.txt', 'cyan', [['|']])
# The hero: a head over walking legs.
write('hero-spr.txt', 'green', [['O', 'A'], ['O', 'H'], ['O', 'A'], ['O', 'X']], center=False)
# The monster: a one-eyed crawler.
write('monster-spr.txt', 'red', [['{@}', '/ \\'], ['{@}', '| |'], ['{o}', '\\ /']], center=False)
# A spinning arrow head.
write('arrow-spr.txt', 'white', [['-'], ['\\'], ['|'], ['/']])
# The goal: a waving flag.
write('win-con-spr.txt', 'magenta', [['|>>', '|  ', '|  '], ['|=>', '|  ', '|  '], ['|>-', '|  ', '|  ']], center=False)

# Big letters for the end screens, five rows high.
GLYPHS = {
 'G': [' @@@ ', '@    ', '@ @@ ', '@   @', ' @@@ '],
 'A': [' @@@ ', '@   @', '@@@@@', '@   @', '@   @'],
 'M': ['@   @', '@@ @@', '@ @ @', '@   @', '@   @'],
 'E': ['@@@@@', '@    ', '@@@@ ', '@    ', '@@@@@'],
 'O': [' @@@ ', '@   @', '@   @', '@   @', ' @@@ '],
 'V': ['@   @', '@   @', '@   @', ' @ @ ', '  @  '],
 'R': ['@@@@ ', '@   @', '@@@@ ', '@  @ ', '@   @'],
 'Y': ['@   @', ' @ @ ', '  @  ', '  @  ', '  @  '],
 'U': ['@   @', '@   @', '@   @', '@   @', ' @@@ '],
 'W': ['@   @', '@   @', '@ @ @', '@@ @@', '@   @'],
 'I': ['@@@', ' @ ', ' @ ', ' @ ', '@@@'],
 'N': ['@   @', '@@  @', '@ @ @', '@  @@', '@   @'],
 '!': ['@', '@', '@', ' ', '@'],
 ' ': ['  ', '  ', '  ', '  ', '  '],
}
def big(text):
    rows = ['', '', '', '', '']
    for c in text:
        for i in range(5):
            rows[i] += GLYPHS[c][i] + ' '
    return [r[:-1] for r in rows]

# The start screen: the name, the goal, the keys.
W = 64
lines = [
 '',
 '||  //  ||====  //===\\\\  ======  ||      ||====',
 '|| //   ||      ||         ||    ||      ||',
 '||<<    ||===   \\\\===\\\\    ||    ||      ||===',
 '|| \\\\   ||           ||    ||    ||      ||',
 '||  \\\\  ||====  \\\\===//    ||    ||====  ||====',
 '',
 'Reach the flag at the far right of the world.',
 '',
 'Left/Right arrow ... walk        Up arrow ... jump',
 'Left mouse ......... dig dirt away, or fill with dirt',
 'Right mouse ........ shoot an arrow at the pointer',
 'Hold Q ............. quit during play',
 '',
 'Monsters come from the right: one touch kills.',
 'Mind the bottomless pits.',
 '',
 '>>  Press P to play,  Q to quit  <<',
]
def screen(lines):
    inner = W - 2
    rows = ['+' + '-' * inner + '+']
    for l in lines:
        if l.startswith('>>') or l.startswith('  '):
            rows.append('|' + l.center(inner) + '|')
        else:
            rows.append('|   ' + l.ljust(inner - 3) + '|')
    rows.append('+' + '-' * inner + '+')
    return rows
a = screen(lines)
b = screen(lines[:-1] + ['    Press P to play,  Q to quit    '])
write('gamestart-spr.txt', 'green', [a, b], width=W, height=len(a))

# Game over: the words appear row by row; '#' is transparent.
rows = big('GAME OVER')
w = max(len(r) for r in rows)
rows = [r.ljust(w) for r in rows]
def reveal(n):
    return [r if i < n else '#' * w for i, r in enumerate(rows)]
write('gameover-spr.txt', 'red', [reveal(1), reveal(2), reveal(3), reveal(4), rows, rows], width=w, height=len(rows))

wr = big('YOU WIN!')
ww = max(len(r) for r in wr) + 4
wr = [r.center(ww) for r in wr]
stars1 = [('*   .   ' * 10)[:ww]]
stars2 = [('  .   * ' * 10)[:ww]]
write('gamewin-spr.txt', 'yellow', [stars1 + wr + stars2, stars2 + wr + stars1] * 4, width=ww, height=7)
