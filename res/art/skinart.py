#!/usr/bin/env python3
"""The program's artwork, drawn as SVG from a few simple shapes.

    skinart.py svg DIR       write one SVG per skin image, icon size and cursor
    skinart.py pack SRC DST  build the .ico and .cur files from rendered PNGs
    skinart.py keytable OUT  write the key-to-scan-code table (UTF-16LE, BOM)
    skinart.py rc OUT        write the resource script that carries all of them
    skinart.py spots OUT     write the C++ header with the mouse picture's button spots

Every skin image is named after its resource id, so the resource script and
the tests can find it without a lookup table. One palette, one accent.
"""
import math
import os
import struct
import sys
import zlib

# Palette: dark neutral greys with a faint blue cast, one azure accent.
INK = '#0b0d10'
BG_TOP = '#1e2229'
BG_BOTTOM = '#14171c'
CARD = '#1b1f25'
RAISED = '#2b3039'
RAISED_LOW = '#232830'
LINE = '#3a414c'
LINE_SOFT = '#2b3038'
MUTED = '#7c8693'
SOFT_TEXT = '#c3cad4'
WHITE = '#ffffff'
ACCENT = '#4d9de0'
ACCENT_LIGHT = '#8cc4f5'
ACCENT_DARK = '#2a679f'
ACCENT_DEEP = '#1f4e7a'
FONT = "font-family='DejaVu Sans' font-weight='bold'"


def svg(w, h, body, defs=''):
    return (f"<svg xmlns='http://www.w3.org/2000/svg' width='{w}' height='{h}' "
            f"viewBox='0 0 {w} {h}'>\n<defs>{defs}</defs>\n{body}\n</svg>\n")


def vgrad(gid, top, bottom, x1=0, y1=0, x2=0, y2=1):
    return (f"<linearGradient id='{gid}' x1='{x1}' y1='{y1}' x2='{x2}' y2='{y2}'>"
            f"<stop offset='0' stop-color='{top}'/><stop offset='1' stop-color='{bottom}'/>"
            f"</linearGradient>")


def rgrad(gid, inner, outer, cx=0.5, cy=0.5, r=0.5):
    return (f"<radialGradient id='{gid}' cx='{cx}' cy='{cy}' r='{r}'>"
            f"<stop offset='0' stop-color='{inner}'/><stop offset='1' stop-color='{outer}'/>"
            f"</radialGradient>")


def text(x, y, s, size, fill, anchor='middle', weight_bold=True, extra=''):
    font = FONT if weight_bold else "font-family='DejaVu Sans'"
    return (f"<text x='{x}' y='{y}' {font} font-size='{size}' fill='{fill}' "
            f"text-anchor='{anchor}' {extra}>{s}</text>")


def centred_number(cx, cy, s, size, fill):
    # Digits sit on the baseline; 0.36 em below the centre puts their middle on cy.
    return text(cx, round(cy + size * 0.36, 2), s, size, fill)


# ---------------------------------------------------------------- the mouse

# Top view of the body in a 120 x 230 box, front up: a long egg whose rear is
# a little wider than its nose.
BODY = [(60, 0), (92, 0), (110, 18), (113, 55), (116, 95), (120, 150), (118, 185),
        (116, 215), (92, 230), (60, 230), (28, 230), (4, 215), (2, 185),
        (0, 150), (4, 95), (7, 55), (10, 18), (28, 0), (60, 0)]


def body_path(ox, oy, sx, sy):
    p = [(ox + x * sx, oy + y * sy) for x, y in BODY]
    d = f"M{p[0][0]:.2f},{p[0][1]:.2f}"
    for i in range(1, len(p), 3):
        a, b, c = p[i], p[i + 1], p[i + 2]
        d += f" C{a[0]:.2f},{a[1]:.2f} {b[0]:.2f},{b[1]:.2f} {c[0]:.2f},{c[1]:.2f}"
    return d + ' Z'


def mouse_top(ox, oy, sx, sy, gid, dpi_lit=False, leds=None):
    """Top view; returns (defs, body). Parts sit at fixed fractions of the box."""
    def X(x):
        return ox + x * sx

    def Y(y):
        return oy + y * sy
    defs = (rgrad(gid + 'b', '#363d48', '#191c22', 0.42, 0.38, 0.75)
            + vgrad(gid + 'w', '#6d7886', '#3b434e')
            + vgrad(gid + 'k', '#3a424d', '#262b33'))
    body = [f"<path d='{body_path(ox, oy, sx, sy)}' fill='url(#{gid}b)' stroke='{INK}' stroke-width='1.5'/>",
            f"<path d='{body_path(ox + 1.5, oy + 1.5, sx * (1 - 3 / (120 * sx)), sy * (1 - 3 / (230 * sy)))}' "
            f"fill='none' stroke='#4a525e' stroke-width='1' opacity='0.8'/>"]
    # Rear edge of the two main buttons and the split between them.
    body.append(f"<path d='M{X(5)},{Y(98)} Q{X(60)},{Y(112)} {X(115)},{Y(98)}' fill='none' "
                f"stroke='{INK}' stroke-width='1.6'/>")
    body.append(f"<path d='M{X(60)},{Y(1)} L{X(60)},{Y(17)} M{X(60)},{Y(67)} L{X(60)},{Y(86)}' "
                f"stroke='{INK}' stroke-width='1.6'/>")
    # Wheel well, wheel and its ridges.
    body.append(f"<rect x='{X(51)}' y='{Y(17)}' width='{18 * sx}' height='{50 * sy}' rx='{6 * sx}' "
                f"fill='#111317' stroke='#07080a'/>")
    body.append(f"<rect x='{X(54)}' y='{Y(21)}' width='{12 * sx}' height='{42 * sy}' rx='{5 * sx}' "
                f"fill='url(#{gid}w)' stroke='#252a31'/>")
    for i in range(7):
        y = Y(26 + i * 5.2)
        body.append(f"<line x1='{X(55.5)}' y1='{y:.2f}' x2='{X(64.5)}' y2='{y:.2f}' stroke='#2a3038' "
                    f"stroke-width='1'/>")
    # DPI up and down side by side behind the wheel, clear of the wheel's badges.
    dpi_fill = ACCENT if dpi_lit else f'url(#{gid}k)'
    dpi_line = ACCENT_LIGHT if dpi_lit else '#4a525e'
    for x in (46, 63):
        body.append(f"<rect x='{X(x)}' y='{Y(88)}' width='{11 * sx}' height='{8 * sy}' rx='{3 * sx}' "
                    f"fill='{dpi_fill}' stroke='{dpi_line}' stroke-width='1'/>")
    # Thumb buttons on the left flank.
    for y in (112, 138):
        body.append(f"<rect x='{X(-2)}' y='{Y(y)}' width='{9 * sx}' height='{22 * sy}' rx='{4 * sx}' "
                    f"fill='url(#{gid}k)' stroke='#525b68' stroke-width='1'/>")
    # Lift adjustment: a small round key on the back of the hump.
    body.append(f"<circle cx='{X(60)}' cy='{Y(172)}' r='{6 * sx}' fill='url(#{gid}k)' stroke='#525b68'/>")
    body.append(f"<circle cx='{X(60)}' cy='{Y(172)}' r='{2 * sx}' fill='{MUTED}'/>")
    # Indicator lights between the buttons' rear edge and the lift key.
    lit = leds if leds is not None else 0
    for i in range(4):
        fill = ACCENT_LIGHT if i < lit else '#3a414c'
        body.append(f"<circle cx='{X(48 + i * 8)}' cy='{Y(124)}' r='{1.8 * sx}' fill='{fill}'/>")
    # A calm accent seam around the tail.
    body.append(f"<path d='M{X(22)},{Y(222)} Q{X(60)},{Y(236)} {X(98)},{Y(222)}' fill='none' "
                f"stroke='{ACCENT}' stroke-width='{2 * sx:.2f}' stroke-linecap='round' opacity='0.85'/>")
    return defs, '\n'.join(body)


# Where the twelve buttons sit on the button-page picture (image 182), in the
# order of the button lists: the point on which that button's marker is centred.
TOP_BOX = (19.5, 8, 170 / 120, 324 / 230)


def top_spot(x, y):
    ox, oy, sx, sy = TOP_BOX
    return (round(ox + x * sx), round(oy + y * sy))


BUTTON_SPOTS = [
    top_spot(24, 62),    # 0 left click
    top_spot(96, 62),    # 1 right click
    top_spot(60, 42),    # 2 wheel click
    top_spot(5, 123),    # 3 button 4 (front thumb key)
    top_spot(5, 149),    # 4 button 5 (rear thumb key)
    top_spot(60, 172),   # 5 lift adjustment
    top_spot(38, 42),    # 6 tilt left
    top_spot(82, 42),    # 7 tilt right
    top_spot(60, 8),     # 8 scroll up
    top_spot(60, 75),    # 9 scroll down
    top_spot(51.5, 92),  # 10 DPI up
    top_spot(68.5, 92),  # 11 DPI down
]


def image_182():
    ox, oy, sx, sy = TOP_BOX
    defs, body = mouse_top(ox, oy, sx, sy, 'm')
    return svg(209, 340, body, defs)


def image_181():
    # Side view, nose to the left: flat sole, one hump, thumb keys on the flank.
    defs = (vgrad('s', '#39414c', '#171a1f') + vgrad('k', '#3a424d', '#262b33')
            + vgrad('f', '#22262d', '#101215') + vgrad('w', '#7a8594', '#3b434e'))
    shell = ("M10,96 C6,80 10,62 24,52 C44,36 78,22 108,24 C136,26 154,46 157,70 "
             "C159,84 156,94 150,98 Z")
    body = [f"<path d='M8,98 L152,98 L150,106 C120,110 40,110 12,106 Z' fill='url(#f)' stroke='{INK}'/>",
            # The wheel, behind the shell so only its crown shows over the nose.
            f"<circle cx='36' cy='49' r='9' fill='url(#w)' stroke='{INK}'/>",
            f"<path d='{shell}' fill='url(#s)' stroke='{INK}' stroke-width='1.5'/>",
            "<path d='M24,54 C44,38 78,25 108,27' fill='none' stroke='#5a6370' stroke-width='1.2'/>",
            # Waist where the thumb rests.
            f"<path d='M20,84 C50,76 100,76 146,84' fill='none' stroke='{INK}' stroke-width='1.2'/>",
            f"<rect x='50' y='55' width='24' height='11' rx='4' fill='url(#k)' stroke='#56606d'/>",
            f"<rect x='78' y='55' width='24' height='11' rx='4' fill='url(#k)' stroke='#56606d'/>",
            f"<path d='M108,100 Q130,102 148,98' fill='none' stroke='{ACCENT}' stroke-width='2' "
            f"stroke-linecap='round' opacity='0.85'/>"]
    return svg(165, 117, '\n'.join(body), defs)



def image_161():
    # The mouse turned a little, its DPI keys and level lights lit; the top-left
    # corner stays empty for the "dpi indicator" label, joined to the lights.
    ox, oy, sx, sy = 112, 14, 1.05, 1.0
    defs, body = mouse_top(ox, oy, sx, sy, 'd', dpi_lit=True, leds=4)
    cx, cy = ox + 60 * sx, oy + 115 * sy
    turned = f"<g transform='rotate(14 {cx} {cy})'>{body}</g>"
    # Light position after the turn, for the leader line.
    a = math.radians(14)
    lx, ly = ox + 48 * sx - cx, oy + 124 * sy - cy
    tx, ty = cx + lx * math.cos(a) - ly * math.sin(a), cy + lx * math.sin(a) + ly * math.cos(a)
    leader = (f"<path d='M2,36 L100,36 L{tx - 4:.1f},{ty:.1f}' fill='none' stroke='{ACCENT}' "
              f"stroke-width='1.2' opacity='0.9'/>"
              f"<circle cx='{tx - 4:.1f}' cy='{ty:.1f}' r='2.5' fill='{ACCENT_LIGHT}'/>"
              f"<circle cx='2' cy='36' r='2' fill='{ACCENT}'/>")
    return svg(262, 253, turned + leader, defs)


# ---------------------------------------------------------------- window

def image_132():
    w, h, r = 802, 614, 18
    defs = (vgrad('bg', BG_TOP, BG_BOTTOM) + vgrad('card', '#1f232a', '#191c21')
            + rgrad('glow', '#2a4a6a', '#1e2229', 0.12, 0.0, 0.7)
            + vgrad('mark', ACCENT_LIGHT, ACCENT_DARK))
    b = [f"<rect x='0.5' y='0.5' width='{w - 1}' height='{h - 1}' rx='{r}' fill='url(#bg)' stroke='{INK}'/>",
         f"<rect x='1.5' y='1.5' width='{w - 3}' height='60' rx='{r - 1}' fill='url(#glow)' opacity='0.55'/>",
         f"<rect x='1.5' y='1.5' width='{w - 3}' height='{h - 3}' rx='{r - 1}' fill='none' stroke='#2e343d'/>",
         # Mark and wordmark in the title area.
         "<path d='M30,22 L39,40 L48,22' fill='none' stroke='url(#mark)' stroke-width='4.5' "
         "stroke-linecap='round' stroke-linejoin='round'/>",
         "<circle cx='39' cy='22' r='2.4' fill='#d6e8f8'/>",
         text(58, 39, 'VANTOR', 17, '#e6ebf1', 'start', True, "letter-spacing='4'")]
    # The three tab places stand on the card like folder tabs; the current
    # page's tab image is painted over its place.
    for n in range(3):
        x, w_tab = 47 + 168 * n, 166 if n == 2 else 167
        b.append(f"<path d='M{x + 0.5},104 L{x + 0.5},78 Q{x + 0.5},70.5 {x + 8},70.5 L{x + w_tab - 8},70.5 "
                 f"Q{x + w_tab - 0.5},70.5 {x + w_tab - 0.5},78 L{x + w_tab - 0.5},104' fill='#191c21' "
                 f"stroke='{LINE_SOFT}'/>")
    # The card holds every page, down to the twelfth function list and the
    # version label in its bottom right corner.
    b += [f"<rect x='24.5' y='103.5' width='753' height='494' rx='12' fill='url(#card)' stroke='{LINE_SOFT}'/>",
          f"<line x1='36' y1='104.5' x2='766' y2='104.5' stroke='#2f353e'/>"]
    return svg(w, h, '\n'.join(b), defs)


def image_135():
    defs = vgrad('g', '#2c323b', '#22262d')
    b = [f"<rect x='0.5' y='0.5' width='159' height='33' rx='9' fill='url(#g)' stroke='{LINE}'/>",
         f"<rect x='4' y='7' width='3' height='20' rx='1.5' fill='{ACCENT}'/>",
         f"<line x1='10' y1='1.5' x2='150' y2='1.5' stroke='#3c434e'/>"]
    return svg(160, 34, '\n'.join(b), defs)


def caption_button(state):
    fills = {'normal': ('#39404b', '#2a2f38', '#4c5461', '#4a525e'),
             'hover': ('#3b5a7a', '#2d4561', ACCENT, '#5f86ad'),
             'pressed': (ACCENT_DARK, ACCENT_DEEP, ACCENT_LIGHT, ACCENT_DARK),
             'disabled': ('#25292f', '#212429', '#30353c', '#2a2e35')}[state]
    top, bottom, stroke, shine = fills
    defs = vgrad('g', top, bottom)
    b = [f"<rect x='0.5' y='0.5' width='99' height='29' rx='7' fill='url(#g)' stroke='{stroke}'/>"]
    if state == 'pressed':
        b.append(f"<path d='M3,3.5 Q50,1 97,3.5' fill='none' stroke='{ACCENT_DEEP}' stroke-width='2'/>")
    elif state != 'disabled':
        b.append(f"<line x1='7' y1='1.5' x2='93' y2='1.5' stroke='{shine}'/>")
    return svg(100, 30, '\n'.join(b), defs)


def round_button(w, h, glyph, state):
    cx, cy, r = w / 2, h / 2, 11.5
    fill, stroke, ink = {'normal': (RAISED, LINE, SOFT_TEXT),
                         'hover': (ACCENT, ACCENT_LIGHT, WHITE),
                         'pressed': (ACCENT_DARK, ACCENT, WHITE),
                         'disabled': (RAISED_LOW, LINE_SOFT, '#4e5560')}[state]
    dy = 1 if state == 'pressed' else 0
    b = [f"<circle cx='{cx}' cy='{cy}' r='{r}' fill='{fill}' stroke='{stroke}'/>"]
    if glyph == 'close':
        d = 4.2
        b.append(f"<path d='M{cx - d},{cy - d + dy} L{cx + d},{cy + d + dy} M{cx + d},{cy - d + dy} "
                 f"L{cx - d},{cy + d + dy}' stroke='{ink}' stroke-width='2.2' stroke-linecap='round'/>")
    else:
        b.append(f"<line x1='{cx - 5}' y1='{cy + 1 + dy}' x2='{cx + 5}' y2='{cy + 1 + dy}' stroke='{ink}' "
                 f"stroke-width='2.2' stroke-linecap='round'/>")
    return svg(w, h, '\n'.join(b))


def tie_box(checked):
    # Sits between the X and Y sliders: a bracket joining them, a link in its middle.
    defs = vgrad('g', '#262b33', '#1f2329')
    ink = ACCENT if checked else '#6b7481'
    b = [f"<rect x='0.5' y='0.5' width='42' height='56' rx='9' fill='url(#g)' stroke='{LINE}'/>",
         f"<path d='M6,9 L12,9 L12,20 M12,37 L12,48 L6,48' fill='none' stroke='{ink}' stroke-width='2' "
         f"stroke-linecap='round' stroke-linejoin='round'/>"]
    if checked:
        b += [f"<rect x='17' y='17' width='10' height='14' rx='5' fill='none' stroke='{ACCENT_LIGHT}' stroke-width='2.6'/>",
              f"<rect x='17' y='26' width='10' height='14' rx='5' fill='none' stroke='{ACCENT}' stroke-width='2.6'/>",
              f"<line x1='12' y1='20' x2='12' y2='37' stroke='{ink}' stroke-width='2'/>"]
    else:
        b += [f"<rect x='17' y='11' width='10' height='14' rx='5' fill='none' stroke='#8a939f' stroke-width='2.6'/>",
              f"<rect x='17' y='32' width='10' height='14' rx='5' fill='none' stroke='#8a939f' stroke-width='2.6'/>",
              f"<path d='M19,28.5 L25,28.5' stroke='#4e5560' stroke-width='1.5' stroke-dasharray='2 2'/>"]
    return svg(43, 57, '\n'.join(b), defs)


def drop_arrow(state):
    fill, ink = {'normal': ('#4a525e', WHITE), 'hover': (ACCENT, WHITE),
                 'pressed': (ACCENT_DARK, WHITE), 'disabled': ('#b4b4b4', '#e8e8e8')}[state]
    if state == 'pressed':
        chevron = 'M4.5,9 L7.5,6 L10.5,9'
    else:
        chevron = 'M4.5,6.2 L7.5,9.2 L10.5,6.2'
    b = [f"<rect x='0.5' y='0.5' width='14' height='14' rx='4.5' fill='{fill}'/>",
         f"<path d='{chevron}' fill='none' stroke='{ink}' stroke-width='1.8' stroke-linecap='round' "
         f"stroke-linejoin='round'/>"]
    return svg(15, 15, '\n'.join(b))


def slider_fill():
    defs = vgrad('g', '#6fb4ee', ACCENT_DARK)
    b = ["<rect width='6' height='24' fill='url(#g)'/>",
         f"<rect width='6' height='1' fill='{ACCENT_LIGHT}'/>",
         f"<rect y='23' width='6' height='1' fill='{ACCENT_DEEP}'/>"]
    return svg(6, 24, '\n'.join(b), defs)


def slider_thumb():
    defs = vgrad('g', '#f4f6f9', '#bfc7d2')
    b = ["<rect width='13' height='32' fill='url(#g)'/>"]
    for y in (12.5, 15.5, 18.5):
        b.append(f"<line x1='3.5' y1='{y}' x2='9.5' y2='{y}' stroke='#8a95a3'/>")
    return svg(13, 32, '\n'.join(b), defs)


def tab(w):
    defs = vgrad('g', '#3a84c8', ACCENT_DEEP)
    r = 8
    path = f"M0,33 L0,{r} Q0,0 {r},0 L{w - r},0 Q{w},0 {w},{r} L{w},33 Z"
    b = [f"<path d='{path}' fill='url(#g)'/>",
         f"<path d='M1.5,{r} Q1.5,1.5 {r},1.5 L{w - r},1.5 Q{w - 1.5},1.5 {w - 1.5},{r}' fill='none' "
         f"stroke='{ACCENT_LIGHT}' opacity='0.7'/>",
         f"<rect x='0' y='31' width='{w}' height='2' fill='{ACCENT_LIGHT}'/>"]
    return svg(w, 33, '\n'.join(b), defs)


def level_button(n, state):
    fill, stroke, ink = {'normal': (RAISED, '#454c58', SOFT_TEXT),
                         'hover': ('#30465e', ACCENT, WHITE),
                         'pressed': ('url(#g)', ACCENT_LIGHT, WHITE),
                         'disabled': ('#202328', LINE_SOFT, '#4e5560')}[state]
    defs = vgrad('g', '#5aa8ea', ACCENT_DARK)
    b = []
    if state == 'pressed':
        b.append(f"<circle cx='21' cy='21' r='20' fill='{ACCENT}' opacity='0.25'/>")
    b += [f"<circle cx='21' cy='21' r='17.5' fill='{fill}' stroke='{stroke}' stroke-width='1.5'/>",
          centred_number(21, 21, str(n), 16, ink)]
    return svg(42, 42, '\n'.join(b), defs)


def level_picture(level):
    # A dial: four arcs, the first level+1 of them lit, the level's number inside.
    cx, cy, r = 47.5, 48, 40
    defs = rgrad('g', '#2a3442', '#171a20', 0.5, 0.4, 0.6)
    b = [f"<circle cx='{cx}' cy='{cy}' r='46' fill='url(#g)' stroke='{INK}'/>",
         f"<circle cx='{cx}' cy='{cy}' r='45' fill='none' stroke='#343b46'/>"]
    for i in range(4):
        a0 = math.radians(-225 + i * 67.5 + 4)
        a1 = math.radians(-225 + (i + 1) * 67.5 - 4)
        x0, y0 = cx + r * math.cos(a0), cy + r * math.sin(a0)
        x1, y1 = cx + r * math.cos(a1), cy + r * math.sin(a1)
        colour = ACCENT if i <= level else '#333a45'
        b.append(f"<path d='M{x0:.2f},{y0:.2f} A{r},{r} 0 0 1 {x1:.2f},{y1:.2f}' fill='none' "
                 f"stroke='{colour}' stroke-width='6' stroke-linecap='round'/>")
    b += [centred_number(cx, cy - 3, str(level + 1), 34, WHITE),
          text(cx, cy + 26, 'LEVEL', 9, MUTED, 'middle', True, "letter-spacing='1.5'")]
    return svg(95, 96, '\n'.join(b), defs)


def badge(label, lit, h):
    fill, stroke = (ACCENT, ACCENT_LIGHT) if lit else ('#3d4551', '#5d6775')
    size = 9.5 if len(label) > 1 else 11
    b = [f"<rect x='0.5' y='0.5' width='17' height='{h - 1}' rx='5' fill='{fill}' stroke='{stroke}'/>",
         centred_number(9, h / 2, label, size, WHITE)]
    return svg(18, h, '\n'.join(b))


def row_marker(label, h):
    b = [f"<rect x='0.5' y='0.5' width='21' height='{h - 1}' rx='6' fill='{RAISED_LOW}' stroke='{LINE}'/>",
         centred_number(11, h / 2, label, 10.5 if len(label) > 1 else 11.5, '#dfe5ec')]
    return svg(22, h, '\n'.join(b))


# ---------------------------------------------------------------- 24 px icons

def tile(inner, state='normal'):
    fill, stroke = {'normal': ('#2a3039', '#3d4450'), 'hover': ('#2f4a66', ACCENT),
                    'pressed': (ACCENT_DARK, ACCENT_LIGHT)}[state]
    return svg(24, 24, f"<rect x='0.5' y='0.5' width='23' height='23' rx='6' fill='{fill}' "
                       f"stroke='{stroke}'/>\n{inner}")


def stroke(d, colour=SOFT_TEXT, width=1.7):
    return (f"<path d='{d}' fill='none' stroke='{colour}' stroke-width='{width}' "
            f"stroke-linecap='round' stroke-linejoin='round'/>")


def key_cap(arrow_down):
    cap = f"<rect x='5.5' y='9.5' width='13' height='9' rx='2.5' fill='#3d4551' stroke='{SOFT_TEXT}' stroke-width='1.3'/>"
    if arrow_down:
        arrow = stroke('M12,3.5 L12,8 M9.8,6 L12,8.2 L14.2,6', ACCENT, 1.6)
    else:
        arrow = stroke('M12,8 L12,3.5 M9.8,5.7 L12,3.5 L14.2,5.7', ACCENT, 1.6)
    return cap + arrow + stroke('M8.5,15.5 L15.5,15.5', MUTED, 1.2)


def small_mouse(arrow_down):
    m = (f"<rect x='8.5' y='5.5' width='9' height='14' rx='4.5' fill='#3d4551' stroke='{SOFT_TEXT}' stroke-width='1.3'/>"
         f"<path d='M9.2,10.5 L9.2,9 Q9.2,6.2 13,6.2 L13,10.5 Z' fill='{ACCENT}'/>"
         + stroke('M13,6 L13,10.5 M8.8,10.5 L17.2,10.5', SOFT_TEXT, 1.0))
    if arrow_down:
        arrow = stroke('M5,6 L5,12 M3,10 L5,12 L7,10', ACCENT, 1.5)
    else:
        arrow = stroke('M5,12 L5,6 M3,8 L5,6 L7,8', ACCENT, 1.5)
    return m + arrow


def icon(kind):
    if kind == 'wait':
        inner = (f"<circle cx='12' cy='12' r='7' fill='none' stroke='{SOFT_TEXT}' stroke-width='1.6'/>"
                 + stroke('M12,8 L12,12 L15,14', ACCENT, 1.7))
    elif kind == 'keydown':
        inner = key_cap(True)
    elif kind == 'keyup':
        inner = key_cap(False)
    elif kind == 'buttondown':
        inner = small_mouse(True)
    elif kind == 'buttonup':
        inner = small_mouse(False)
    elif kind == 'once':
        inner = (stroke('M6,12 L15,12 M12,8.5 L15.5,12 L12,15.5', SOFT_TEXT, 1.7)
                 + f"<rect x='17' y='7' width='2' height='10' rx='1' fill='{ACCENT}'/>")
    elif kind == 'loop':
        inner = (stroke('M7,10 A5.5,5.5 0 0 1 17,9.5', SOFT_TEXT, 1.7)
                 + stroke('M17,14 A5.5,5.5 0 0 1 7,14.5', ACCENT, 1.7)
                 + stroke('M17.5,6.5 L17.2,9.8 L14,9.4', SOFT_TEXT, 1.5)
                 + stroke('M6.5,17.5 L6.8,14.2 L10,14.6', ACCENT, 1.5))
    elif kind == 'firekey':
        inner = f"<path d='M13.5,4 L7.5,13 L11.5,13 L10.5,20 L16.5,11 L12.5,11 Z' fill='{ACCENT}' stroke='{ACCENT_LIGHT}' stroke-width='0.8' stroke-linejoin='round'/>"
    elif kind == 'wheel':
        inner = (f"<rect x='9.5' y='6' width='5' height='12' rx='2.5' fill='#3d4551' stroke='{SOFT_TEXT}' stroke-width='1.3'/>"
                 + stroke('M12,9 L12,11', ACCENT, 1.4)
                 + stroke('M5,8 L5,16 M3.5,9.5 L5,8 L6.5,9.5 M3.5,14.5 L5,16 L6.5,14.5', MUTED, 1.2)
                 + stroke('M19,8 L19,16 M17.5,9.5 L19,8 L20.5,9.5 M17.5,14.5 L19,16 L20.5,14.5', MUTED, 1.2))
    elif kind == 'system':
        teeth = ''.join(
            f"<rect x='10.8' y='3.6' width='2.4' height='4' rx='0.6' fill='{SOFT_TEXT}' "
            f"transform='rotate({i * 45} 12 12)'/>" for i in range(8))
        inner = (teeth + f"<circle cx='12' cy='12' r='5.6' fill='{SOFT_TEXT}'/>"
                 f"<circle cx='12' cy='12' r='2.4' fill='{ACCENT_DARK}'/>")
    else:
        raise ValueError(kind)
    return tile(inner)


def folder(state):
    ink = WHITE if state != 'normal' else SOFT_TEXT
    inner = (f"<path d='M5,8 L5,17.5 Q5,18.5 6,18.5 L18,18.5 Q19,18.5 19,17.5 L19,9.5 Q19,8.5 18,8.5 "
             f"L11.5,8.5 L10,6.5 L6,6.5 Q5,6.5 5,7.5 Z' fill='none' stroke='{ink}' stroke-width='1.5' "
             f"stroke-linejoin='round'/>"
             + stroke('M12,11 L12,16.5 M9.25,13.75 L14.75,13.75',
                      ACCENT_LIGHT if state == 'normal' else WHITE, 1.6))
    return tile(inner, state)


def add_remove(kind, lit):
    state = 'hover' if lit else 'normal'
    ink = WHITE if lit else SOFT_TEXT
    if kind == 'add':
        inner = stroke('M12,6.5 L12,17.5 M6.5,12 L17.5,12', ACCENT_LIGHT if not lit else WHITE, 2.2)
    else:
        inner = (stroke('M6.5,8 L17.5,8 M10,8 L10,6 L14,6 L14,8', ink, 1.5)
                 + stroke('M7.8,8.5 L8.6,18 Q8.7,18.8 9.5,18.8 L14.5,18.8 Q15.3,18.8 15.4,18 L16.2,8.5', ink, 1.5)
                 + stroke('M10.6,11 L10.8,16.5 M13.4,11 L13.2,16.5', ACCENT_LIGHT if not lit else WHITE, 1.2))
    return tile(inner, state)


def two_state(ticked):
    if ticked:
        b = (f"<rect x='0.5' y='0.5' width='15' height='15' rx='4.5' fill='{ACCENT}' stroke='{ACCENT_LIGHT}'/>"
             + stroke('M4,8.2 L6.8,11 L12,5.2', WHITE, 2.0))
    else:
        b = f"<rect x='0.5' y='0.5' width='15' height='15' rx='4.5' fill='#1a1d22' stroke='#7d8794'/>"
    return svg(16, 16, b)


def status_mouse(present):
    # 208: a mouse is attached; 209: none is.
    ink = ACCENT_LIGHT if present else '#5c6570'
    fill = '#2b3f55' if present else '#23272d'
    b = [f"<rect x='0.5' y='0.5' width='31' height='31' rx='9' fill='{fill}' stroke='{ACCENT if present else LINE}'/>",
         f"<rect x='10.5' y='6.5' width='11' height='19' rx='5.5' fill='none' stroke='{ink}' stroke-width='1.8'/>",
         stroke('M16,7 L16,13 M11,13 L21,13', ink, 1.4)]
    if present:
        b.append(f"<circle cx='16' cy='10' r='1.3' fill='{WHITE}'/>")
    else:
        b.append(stroke('M7,25 L25,7', '#8a939f', 2.0))
    return svg(32, 32, '\n'.join(b))


# ---------------------------------------------------------------- icon, cursors

def app_icon(size):
    s = size / 48
    defs = vgrad('g', '#5aa8ea', ACCENT_DEEP)
    wide = 2.6 if size <= 16 else 2.2
    b = [f"<rect x='{1 * s}' y='{1 * s}' width='{46 * s}' height='{46 * s}' rx='{11 * s}' fill='url(#g)' "
         f"stroke='{ACCENT_DEEP}' stroke-width='{max(1, s)}'/>",
         f"<rect x='{15 * s}' y='{8 * s}' width='{18 * s}' height='{32 * s}' rx='{9 * s}' fill='{WHITE}'/>",
         f"<path d='M{24 * s},{8.5 * s} L{24 * s},{19 * s} M{15.5 * s},{19 * s} L{32.5 * s},{19 * s}' "
         f"stroke='{ACCENT_DEEP}' stroke-width='{wide * s * (48 / size) ** 0.5}'/>"]
    if size > 16:
        b.append(f"<rect x='{22.5 * s}' y='{11 * s}' width='{3 * s}' height='{5 * s}' rx='{1.5 * s}' fill='{ACCENT}'/>")
    return svg(size, size, '\n'.join(b), defs)


ARROW = 'M1.5,1.5 L1.5,22 L6.5,17.2 L10,25.5 L13.5,24 L10,15.8 L16.8,15.8 Z'


def cursor(kind):
    outline = "stroke='#000000' stroke-width='1.2' stroke-linejoin='round'"
    if kind == 'hand':
        b = (f"<path d='M10,14 L10,4 Q10,2 12,2 Q14,2 14,4 L14,12 L14,10.5 Q14,9 16,9 Q18,9 18,10.5 "
             f"L18,12.5 Q18,11 20,11 Q22,11 22,12.5 L22,14 Q22,12.5 24,12.5 Q26,12.5 26,14 L26,21 "
             f"Q26,27 21,29.5 L14,29.5 Q11.5,29.5 10,27 L5.2,19.5 Q4.2,17.5 6,16.6 Q7.6,15.9 9,17.3 "
             f"L10,18.5 Z' fill='#ffffff' {outline}/>"
             f"<path d='M14,12 L14,19 M18,12.5 L18,19 M22,14 L22,19' stroke='#6b7481' stroke-width='1'/>")
        return svg(32, 32, b), (12, 2)
    if kind == 'drag':
        b = (f"<path d='{ARROW}' fill='#ffffff' {outline}/>"
             f"<rect x='14.5' y='19.5' width='14' height='10' rx='2' fill='#ffffff' fill-opacity='0.85' "
             f"stroke='#000000' stroke-width='1' stroke-dasharray='2 1.5'/>")
        return svg(32, 32, b), (1, 1)
    if kind == 'drop':
        b = (f"<path d='{ARROW}' fill='#ffffff' {outline}/>"
             f"<circle cx='23' cy='24' r='7' fill='{ACCENT}' stroke='#000000' stroke-width='1'/>"
             f"<path d='M23,20 L23,28 M19,24 L27,24' stroke='#ffffff' stroke-width='2' stroke-linecap='round'/>")
        return svg(32, 32, b), (1, 1)
    if kind == 'refused':
        b = ("<circle cx='16' cy='16' r='11' fill='#ffffff' fill-opacity='0.35' stroke='#000000' stroke-width='6'/>"
             "<circle cx='16' cy='16' r='11' fill='none' stroke='#d8dde4' stroke-width='3.6'/>"
             "<path d='M8.5,23.5 L23.5,8.5' stroke='#000000' stroke-width='6'/>"
             "<path d='M9,23 L23,9' stroke='#d8dde4' stroke-width='3.6'/>")
        return svg(32, 32, b), (16, 16)
    if kind == 'busy':
        b = (f"<path d='{ARROW}' fill='#ffffff' {outline}/>"
             f"<circle cx='23' cy='23' r='7' fill='#1b1f25' stroke='#000000' stroke-width='1'/>"
             f"<path d='M23,17.5 A5.5,5.5 0 1 1 17.5,23' fill='none' stroke='{ACCENT_LIGHT}' stroke-width='2.4' "
             f"stroke-linecap='round'/>")
        return svg(32, 32, b), (1, 1)
    raise ValueError(kind)


CURSORS = [(107, 'hand'), (108, 'drag'), (109, 'drop'), (110, 'refused'), (246, 'busy')]
ICON_SIZES = [16, 32, 48]


# ---------------------------------------------------------------- the table

BADGE_LABELS = {184: '1', 185: '2', 187: '3', 188: '4', 186: '5', 189: '6', 190: '7',
                191: '8', 192: '9', 183: '10'}
# Buttons 11 and 12 would otherwise repeat the badges of 2 and 5: their own
# badges live on ids that the resource table keeps free.
EXTRA_BADGES = {229: ('11', False), 230: ('12', False), 231: ('11', True), 232: ('12', True)}
ROW_LABELS = {130: '1', 131: '2', 145: '3', 146: '4', 144: '5', 147: '6', 156: '7',
              179: '8', 180: '9', 129: '10'}
# Markers of buttons 11 and 12, likewise on free ids.
EXTRA_ROW_MARKERS = {233: '11', 234: '12'}
STATES = ['normal', 'hover', 'pressed', 'disabled']
LEVEL_SETS = [(159, 158, 160, 157), (167, 168, 169, 166), (171, 172, 173, 170), (174, 175, 176, 177)]


def skin_images():
    img = {132: image_132(), 135: image_135(), 182: image_182(), 181: image_181(), 161: image_161(),
           204: slider_fill(), 205: slider_thumb(), 255: tab(167), 256: tab(167), 254: tab(166),
           207: tie_box(False), 206: tie_box(True), 221: two_state(False), 222: two_state(True),
           208: status_mouse(True), 209: status_mouse(False)}
    for rid, state in zip((136, 137, 138, 139), STATES):
        img[rid] = caption_button(state)
    for rid, state in zip((141, 142, 143), STATES):
        img[rid] = round_button(31, 32, 'close', state)
    for rid, state in zip((149, 150, 151, 148), STATES):
        img[rid] = round_button(30, 32, 'minimise', state)
    for rid, state in zip((152, 153, 154, 178), STATES):
        img[rid] = drop_arrow(state)
    for level, ids in enumerate(LEVEL_SETS):
        for rid, state in zip(ids, STATES):
            img[rid] = level_button(level + 1, state)
    for level, rid in enumerate((163, 164, 165, 162)):
        img[rid] = level_picture(level)
    for rid, label in BADGE_LABELS.items():
        h = 19 if rid == 183 else 20
        img[rid] = badge(label, False, h)
        img[rid + 10] = badge(label, True, h)
    for rid, (label, lit) in EXTRA_BADGES.items():
        img[rid] = badge(label, lit, 20)
    for rid, label in ROW_LABELS.items():
        img[rid] = row_marker(label, 23 if rid in (131, 180) else 22)
    for rid, label in EXTRA_ROW_MARKERS.items():
        img[rid] = row_marker(label, 22)
    for rid, kind in zip((210, 211, 212, 214, 215, 220, 218, 219, 227, 216),
                         ('wait', 'keydown', 'keyup', 'buttondown', 'buttonup', 'once', 'loop',
                          'firekey', 'wheel', 'system')):
        img[rid] = icon(kind)
    for rid, state in zip((237, 238, 239), ('normal', 'hover', 'pressed')):
        img[rid] = folder(state)
    img[240] = add_remove('add', False)
    img[241] = add_remove('remove', False)
    img[242] = add_remove('add', True)
    img[243] = add_remove('remove', True)
    return img


def write_svgs(out):
    os.makedirs(out, exist_ok=True)
    for rid, doc in sorted(skin_images().items()):
        with open(os.path.join(out, f'{rid}.svg'), 'w') as f:
            f.write(doc)
    for size in ICON_SIZES:
        with open(os.path.join(out, f'icon-{size}.svg'), 'w') as f:
            f.write(app_icon(size))
    for rid, kind in CURSORS:
        doc, _ = cursor(kind)
        with open(os.path.join(out, f'cursor-{rid}.svg'), 'w') as f:
            f.write(doc)


# ---------------------------------------------------------------- packing

def read_png_rgba(path):
    """Straight RGBA rows of an 8-bit RGBA PNG (what rsvg-convert writes)."""
    data = open(path, 'rb').read()
    assert data[:8] == b'\x89PNG\r\n\x1a\n', path
    pos, idat, w = 8, b'', 0
    while pos < len(data):
        n, kind = struct.unpack('>I4s', data[pos:pos + 8])
        chunk = data[pos + 8:pos + 8 + n]
        if kind == b'IHDR':
            w, h, depth, colour, _, _, interlace = struct.unpack('>IIBBBBB', chunk)
            assert depth == 8 and colour == 6 and interlace == 0, path
        elif kind == b'IDAT':
            idat += chunk
        pos += 12 + n
    raw = zlib.decompress(idat)
    stride = w * 4
    rows, prev = [], bytearray(stride)
    for y in range(h):
        f = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - 4] if i >= 4 else 0
            b = prev[i]
            c = prev[i - 4] if i >= 4 else 0
            if f == 1:
                line[i] = (line[i] + a) & 255
            elif f == 2:
                line[i] = (line[i] + b) & 255
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 255
        rows.append(bytes(line))
        prev = line
    return w, h, rows


def dib(w, h, rows):
    """A 32-bit icon image: header, bottom-up BGRA, then the 1-bit AND mask."""
    head = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b''
    mask_stride = ((w + 31) // 32) * 4
    mask = b''
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x in range(w):
            r, g, b, a = row[x * 4:x * 4 + 4]
            if a == 0:
                r = g = b = 0
                bits[x // 8] |= 0x80 >> (x % 8)
            colour += bytes((b, g, r, a))
        mask += bytes(bits)
    return head + colour + mask


def icon_file(images, cursor_hotspot=None):
    """.ico (or .cur with a hotspot) holding the given (w, h, rows) images."""
    kind = 2 if cursor_hotspot else 1
    out = struct.pack('<HHH', 0, kind, len(images))
    blobs = [dib(w, h, rows) for w, h, rows in images]
    offset = 6 + 16 * len(images)
    for (w, h, _), blob in zip(images, blobs):
        if cursor_hotspot:
            a, b = cursor_hotspot
        else:
            a, b = 1, 32
        out += struct.pack('<BBBBHHII', w % 256, h % 256, 0, 0, a, b, len(blob), offset)
        offset += len(blob)
    return out + b''.join(blobs)


def pack(src, dst):
    os.makedirs(dst, exist_ok=True)
    icons = [read_png_rgba(os.path.join(src, f'icon-{s}.png')) for s in ICON_SIZES]
    with open(os.path.join(dst, 'app.ico'), 'wb') as f:
        f.write(icon_file(icons))
    for rid, kind in CURSORS:
        _, hotspot = cursor(kind)
        image = read_png_rgba(os.path.join(src, f'cursor-{rid}.png'))
        with open(os.path.join(dst, f'{rid}-{kind}.cur'), 'wb') as f:
            f.write(icon_file([image], hotspot))


# ---------------------------------------------------------------- key table

# HID keyboard usage -> PC scan code (set 1); extended keys carry 0xE000.
KEY_RANGES = [
    (0, 0, 0x00), (4, 4, 0x1E), (5, 5, 0x30), (6, 6, 0x2E), (7, 7, 0x20), (8, 8, 0x12),
    (9, 11, 0x21), (12, 12, 0x17), (13, 15, 0x24), (16, 16, 0x32), (17, 17, 0x31),
    (18, 19, 0x18), (20, 20, 0x10), (21, 21, 0x13), (22, 22, 0x1F), (23, 23, 0x14),
    (24, 24, 0x16), (25, 25, 0x2F), (26, 26, 0x11), (27, 27, 0x2D), (28, 28, 0x15),
    (29, 29, 0x2C), (30, 39, 0x02), (40, 40, 0x1C), (41, 41, 0x01), (42, 43, 0x0E),
    (44, 44, 0x39), (45, 46, 0x0C), (47, 48, 0x1A), (49, 49, 0x2B), (50, 50, 0x2B),
    (51, 53, 0x27), (54, 56, 0x33), (57, 67, 0x3A), (68, 69, 0x57), (70, 70, 0xE037),
    (71, 71, 0x46), (72, 72, 0xC5), (73, 73, 0xE052), (74, 74, 0xE047), (75, 75, 0xE049),
    (76, 76, 0xE053), (77, 77, 0xE04F), (78, 78, 0xE051), (79, 79, 0xE04D),
    (80, 80, 0xE04B), (81, 81, 0xE050), (82, 82, 0xE048), (83, 83, 0x45), (84, 84, 0xE035),
    (85, 85, 0x37), (86, 86, 0x4A), (87, 87, 0x4E), (88, 88, 0xE01C), (89, 91, 0x4F),
    (92, 94, 0x4B), (95, 97, 0x47), (98, 99, 0x52), (100, 100, 0x56), (101, 101, 0xE05D),
    (224, 224, 0x1D), (225, 225, 0x2A), (226, 226, 0x38), (227, 227, 0x5B),
    (228, 228, 0xE01D), (229, 229, 0x36), (230, 230, 0xE038), (231, 231, 0xE05B),
    (255, 255, 0xFF)]


def write_keytable(out):
    lines = []
    for first, last, code in KEY_RANGES:
        for usage in range(first, last + 1):
            lines.append(f'{usage} {code + usage - first}')
    with open(out, 'wb') as f:
        f.write(('\ufeff' + '\r\n'.join(lines) + '\r\n').encode('utf-16-le'))


def write_rc(out):
    lines = ['// Generated by scripts/render-art.sh (res/art/skinart.py): the skin images,',
             '// the program icon, the cursors and the key-to-scan-code table.',
             'LANGUAGE 0, 0', '',
             '128 ICON "app.ico"']
    lines += [f'{rid} CURSOR "cursors/{rid}-{kind}.cur"' for rid, kind in CURSORS]
    lines += ['217 TXT "keytable217.txt"', '']
    lines += [f'{rid} PNG "png/{rid}.png"' for rid in sorted(skin_images())]
    with open(out, 'w') as f:
        f.write('\n'.join(lines) + '\n')


BUTTON_NAMES = ['left click', 'right click', 'wheel click', 'button 4', 'button 5', 'lift adjustment',
                'tilt left', 'tilt right', 'scroll up', 'scroll down', 'DPI up', 'DPI down']


def write_spots(out):
    top = '\n'.join(f'    {{{x}, {y}}},  // {i} {name}'
                    for i, ((x, y), name) in enumerate(zip(BUTTON_SPOTS, BUTTON_NAMES)))
    with open(out, 'w') as f:
        f.write(f"""#pragma once
// Generated by scripts/render-art.sh (res/art/skinart.py) from the same
// numbers that draw the mouse, so the markers always land on their buttons.

// A point in an image's own pixel coordinates.
struct ImagePoint {{
  int x;
  int y;
}};

// Where each of the twelve buttons sits on the button-page picture (image
// 182, 209 x 340), in the order of the twelve button lists: the window's
// layout centres the button's marker on the point.
inline constexpr ImagePoint kTopViewButtonSpots[12] = {{
{top}
}};
""")


if __name__ == '__main__':
    if len(sys.argv) == 3 and sys.argv[1] == 'svg':
        write_svgs(sys.argv[2])
    elif len(sys.argv) == 4 and sys.argv[1] == 'pack':
        pack(sys.argv[2], sys.argv[3])
    elif len(sys.argv) == 3 and sys.argv[1] == 'keytable':
        write_keytable(sys.argv[2])
    elif len(sys.argv) == 3 and sys.argv[1] == 'rc':
        write_rc(sys.argv[2])
    elif len(sys.argv) == 3 and sys.argv[1] == 'spots':
        write_spots(sys.argv[2])
    else:
        sys.exit(__doc__)
