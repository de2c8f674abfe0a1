#!/usr/bin/python3
"""Alien field background (1280 x 1024) written as SVG on standard output.

A black starfield with a blue-and-green globe, a dense cloud of white dots
around it and a wide oval ring of white dots.  Only the top-left 784 x 743
pixels are seen in the game and a black panel covers x 16..545, so the
globe sits at (560, 420) and its right half is what shows.
Everything random uses a fixed seed, so the output never changes.
Usage: field.py > field.svg
"""
import math
import random

W, H = 1280, 1024
CX, CY, R = 560, 420, 170           # globe
RING_RX, RING_RY, RING_W = 400, 240, 46
RING_TILT = -6                      # degrees
rnd = random.Random(20240611)
out = []
add = out.append


def dot(x, y, r, fill="#ffffff", op=1.0):
    o = "" if op >= 1 else ' fill-opacity="%.2f"' % op
    add('<circle cx="%.1f" cy="%.1f" r="%.2f" fill="%s"%s/>' % (x, y, r, fill, o))


def blob(x, y, rad, n, jag):
    pts = []
    for i in range(n):
        a = 2 * math.pi * i / n
        rr = rad * (1 + rnd.uniform(-jag, jag))
        pts.append((x + rr * math.cos(a), y + rr * 0.85 * math.sin(a)))
    mids = [((pts[i][0] + pts[(i + 1) % n][0]) / 2, (pts[i][1] + pts[(i + 1) % n][1]) / 2)
            for i in range(n)]
    d = "M %.1f %.1f " % mids[-1]
    for i in range(n):
        d += "Q %.1f %.1f %.1f %.1f " % (pts[i][0], pts[i][1], mids[i][0], mids[i][1])
    return d + "Z"


add('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">' % (W, H, W, H))
add('''<defs>
  <radialGradient id="sea" cx="0.62" cy="0.32" r="0.78">
    <stop offset="0" stop-color="#6ec4ff"/>
    <stop offset="0.45" stop-color="#2a78e8"/>
    <stop offset="1" stop-color="#0a2470"/>
  </radialGradient>
  <radialGradient id="shade" cx="0.62" cy="0.32" r="0.8">
    <stop offset="0.55" stop-color="#000010" stop-opacity="0"/>
    <stop offset="1" stop-color="#000010" stop-opacity="0.55"/>
  </radialGradient>
  <radialGradient id="glow" cx="0.5" cy="0.5" r="0.5">
    <stop offset="0.80" stop-color="#4aa8ff" stop-opacity="0.55"/>
    <stop offset="1" stop-color="#4aa8ff" stop-opacity="0"/>
  </radialGradient>
  <clipPath id="globe"><circle cx="%d" cy="%d" r="%d"/></clipPath>
</defs>''' % (CX, CY, R))
add('<rect width="%d" height="%d" fill="#000000"/>' % (W, H))

# far stars
for _ in range(1400):
    x, y = rnd.uniform(0, W), rnd.uniform(0, H)
    r = rnd.choice((0.6, 0.7, 0.8, 0.9, 1.1, 1.4))
    c = rnd.choice(("#ffffff", "#ffffff", "#ffffff", "#cfe4ff", "#fff0c0", "#ffd0e8"))
    dot(x, y, r, c, rnd.uniform(0.45, 1.0))
for _ in range(26):                 # a few bright twinkles
    x, y = rnd.uniform(0, W), rnd.uniform(0, H)
    add('<path d="M %.1f %.1f l 2 -7 l 2 7 l 7 2 l -7 2 l -2 7 l -2 -7 l -7 -2 Z" fill="#ffffff"/>' % (x - 2, y - 2))


def ring_dots(front):
    t = math.radians(RING_TILT)
    for _ in range(2600):
        a = rnd.uniform(0, 2 * math.pi)
        off = rnd.gauss(0, RING_W / 2.6)
        ex = (RING_RX + off) * math.cos(a)
        ey = (RING_RY + off * 0.6) * math.sin(a)
        is_front = math.sin(a) > 0
        if is_front != front:
            continue
        x = CX + ex * math.cos(t) - ey * math.sin(t)
        y = CY + ex * math.sin(t) + ey * math.cos(t)
        dot(x, y, rnd.choice((0.9, 1.1, 1.3, 1.6, 2.0)), "#ffffff", rnd.uniform(0.55, 1.0))


def cloud(front):
    for _ in range(6000):
        a = rnd.uniform(0, 2 * math.pi)
        d = R * (0.93 + abs(rnd.gauss(0, 0.25)))
        x, y = CX + d * math.cos(a), CY + d * math.sin(a) * 0.96
        inside = math.hypot(x - CX, y - CY) < R
        if front != (inside or rnd.random() < 0.5):
            continue
        dot(x, y, rnd.choice((0.8, 1.0, 1.2, 1.5)), "#ffffff", rnd.uniform(0.4, 0.95) if not inside else 0.5)


rnd.seed(1)
ring_dots(front=False)
rnd.seed(2)
cloud(front=False)

# the globe
add('<circle cx="%d" cy="%d" r="%d" fill="url(#glow)"/>' % (CX, CY, R + 26))
add('<circle cx="%d" cy="%d" r="%d" fill="url(#sea)"/>' % (CX, CY, R))
add('<g clip-path="url(#globe)" stroke="#17822e" stroke-width="4" stroke-linejoin="round">')
rnd.seed(3)
for (bx, by, br) in ((-70, -60, 70), (60, -90, 55), (95, 20, 62), (-40, 70, 58),
                     (30, 120, 40), (-130, 30, 40), (140, -40, 30)):
    add('<path d="%s" fill="#3cc84e"/>' % blob(CX + bx, CY + by, br, 13, 0.35))
    add('<path d="%s" fill="#7ee06a" stroke="none"/>' % blob(CX + bx - br * 0.15, CY + by - br * 0.2, br * 0.45, 9, 0.3))
add('</g>')
add('<g clip-path="url(#globe)" fill="#ffffff" fill-opacity="0.85">')
add('<ellipse cx="%d" cy="%d" rx="90" ry="22"/>' % (CX, CY - R + 6))
add('<ellipse cx="%d" cy="%d" rx="80" ry="16"/>' % (CX, CY + R - 4))
add('</g>')
add('<circle cx="%d" cy="%d" r="%d" fill="url(#shade)"/>' % (CX, CY, R))
add('<circle cx="%d" cy="%d" r="%d" fill="none" stroke="#a8e0ff" stroke-width="3" stroke-opacity="0.8"/>' % (CX, CY, R))

rnd.seed(4)
cloud(front=True)
rnd.seed(5)
ring_dots(front=True)
add('</svg>')
print("\n".join(out))
