#!/usr/bin/env python3
"""Draws the program's images as SVG: the main window's toolbar, station rows,
status panel, proxy panel and the 16 frames of the radio icon animation; the
station list chooser's file icon and wait picture; the about box's pictures.

One family: a 16-unit grid, rounded 1.5-unit strokes in slate, one accent colour
per meaning (green plays, red stops or ends, amber waits, blue opens).
Run it again after a change; the SVG files are kept in the repository.
"""
import math
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
SLATE = "#2d3b4a"
GREY = "#8a96a3"
GREEN = "#23a55a"
RED = "#d2403a"
AMBER = "#e8a400"
BLUE = "#2f7ed8"
WHITE = "#ffffff"


def svg(body, size=16, height=None, box="0 0 16 16"):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{height or size}" '
            f'viewBox="{box}">\n{body}\n</svg>\n')


def stroke(colour=SLATE, width=1.5, fill="none"):
    return (f'fill="{fill}" stroke="{colour}" stroke-width="{width}" '
            'stroke-linecap="round" stroke-linejoin="round"')


def write(name, body, size=16, **shape):
    (HERE / name).write_text(svg(body, size, **shape))


# Toolbar (drawn on the same grid, shown at 24 pixels).
speaker = f'<path d="M2 6h2.5L8 3v10L4.5 10H2z" {stroke(SLATE, fill=SLATE)}/>'
toolbar = {
    "tb_exit": f'<path d="M5 3.8A6 6 0 1 0 11 3.8" {stroke(RED, 1.8)}/>'
               f'<path d="M8 1.5v6" {stroke(RED, 1.8)}/>',
    "tb_settings": "".join(
        f'<rect x="7" y="0.8" width="2" height="3.2" rx="0.5" fill="{SLATE}" '
        f'transform="rotate({a} 8 8)"/>' for a in range(0, 360, 45))
        + f'<circle cx="8" cy="8" r="4.6" fill="{SLATE}"/><circle cx="8" cy="8" r="1.9" fill="{WHITE}"/>',
    "tb_stations": f'<path d="M1.5 4.5V13a1 1 0 0 0 1 1h11a1 1 0 0 0 1-1V6a1 1 0 0 0-1-1H8L6.5 3h-4a1 1 0 0 0-1 1z" '
                   f'{stroke(SLATE, 1.2, fill=AMBER)}/>'
                   f'<path d="M4.5 8.5h7M4.5 11h7" {stroke(WHITE, 1.3)}/>',
    "tb_edit": f'<path d="M2 3h7M2 6h5M2 9h3" {stroke(GREY)}/>'
               f'<path d="M6.5 14.5l.6-2.6 6-6 2 2-6 6z" {stroke(SLATE, 1.1, fill=BLUE)}/>',
    "tb_fav": '<path d="M8 1.3l2 4.3 4.7.5-3.5 3.2 1 4.6L8 11.5l-4.2 2.4 1-4.6L1.3 6.1 6 5.6z" '
              f'{stroke(SLATE, 1.1, fill=AMBER)}/>',
    "tb_open": f'<circle cx="8" cy="8" r="6.2" {stroke(SLATE, 1.2, fill=BLUE)}/>'
               f'<path d="M1.8 8h12.4M8 1.8c-2.6 3.2-2.6 9.2 0 12.4M8 1.8c2.6 3.2 2.6 9.2 0 12.4" '
               f'{stroke(WHITE, 1.1)}/>',
    "tb_mute": speaker + f'<path d="M10.5 5.5a3.5 3.5 0 0 1 0 5M12.5 3.5a6.3 6.3 0 0 1 0 9" '
                         f'{stroke(BLUE)}/>',
    "tb_sound": speaker + f'<path d="M10.5 6l4 4M14.5 6l-4 4" {stroke(RED, 1.7)}/>',
    "tb_stop": f'<rect x="3" y="3" width="10" height="10" rx="1.5" {stroke(SLATE, 1.1, fill=RED)}/>',
    "tb_play": f'<path d="M4 2.5v11l9.5-5.5z" {stroke(SLATE, 1.1, fill=GREEN)}/>',
}
for name, body in toolbar.items():
    write(f"{name}.svg", body, 24)

# Station rows: 1 idle, 2 (unused by the main window), 3 playing, 4 busy.
dot = f'<circle cx="8" cy="8" r="3" fill="{GREY}"/>'
write("station_idle.svg", dot)
write("station_shown.svg", f'<circle cx="8" cy="8" r="3" fill="{BLUE}"/>')
write("station_playing.svg", f'<path d="M4.5 3v10l8.5-5z" {stroke(SLATE, 1, fill=GREEN)}/>')
hourglass = (f'<path d="M4 2h8M4 14h8M5 2c0 4 6 4 6 6s-6 2-6 6M11 2c0 4-6 4-6 6s6 2 6 6" '
             f'{stroke(SLATE, 1.2)}/><path d="M6 12.8h4L8 10.5z" fill="{AMBER}"/>')
write("station_busy.svg", hourglass)

# Status panel: 1 idle, 2 busy, 3 playing.
write("status_idle.svg", f'<circle cx="8" cy="8" r="6" {stroke(SLATE, 1, fill=GREY)}/>')
write("status_busy.svg", f'<circle cx="8" cy="8" r="6" {stroke(SLATE, 1, fill=AMBER)}/>'
                         f'<path d="M8 4.5V8l2.5 1.5" {stroke(WHITE, 1.5)}/>')
write("status_playing.svg", f'<circle cx="8" cy="8" r="6" {stroke(SLATE, 1, fill=GREEN)}/>'
                            f'<path d="M6.5 5v6l4.7-3z" fill="{WHITE}"/>')

# Proxy panel: 1 off, 2 on (a plug).
def plug(colour, crossed):
    body = (f'<path d="M5 1.5v3M11 1.5v3" {stroke(SLATE, 1.5)}/>'
            f'<path d="M3.5 4.5h9v3a4.5 4.5 0 0 1-9 0z" {stroke(SLATE, 1.1, fill=colour)}/>'
            f'<path d="M8 12v2.5" {stroke(SLATE, 1.5)}/>')
    if crossed:
        body += f'<path d="M2 14L14 2" {stroke(RED, 1.6)}/>'
    return body
write("proxy_off.svg", plug(GREY, True))
write("proxy_on.svg", plug(BLUE, False))

# Animation: a small radio; frame 1 rests, frames 2-16 send waves from the aerial.
def radio(frame):
    tip = (10.5, 5.2)
    body = (f'<path d="M3.5 7.5L{tip[0]} {tip[1]}" {stroke(SLATE, 1.2)}/>'
            f'<rect x="1" y="7.5" width="14" height="7.5" rx="1.8" {stroke(SLATE, 1, fill=BLUE)}/>'
            f'<circle cx="5" cy="11.25" r="2.3" fill="{SLATE}"/>'
            f'<circle cx="5" cy="11.25" r="0.9" fill="{GREY}"/>'
            f'<path d="M9.5 10h3.5M9.5 12.5h3.5" {stroke(WHITE, 1.2)}/>'
            f'<circle cx="{tip[0]}" cy="{tip[1]}" r="1" fill="{AMBER}"/>')
    if frame > 1:
        # Three rings leave the aerial's tip one after another and fade out.
        phase = (frame - 2) / 15.0  # 0 .. 1 over frames 2..16
        for k in range(3):
            t = (phase + k / 3.0) % 1.0
            r = 1.8 + 3.2 * t
            opacity = 1.0 - 0.85 * t
            a0, a1 = math.radians(-125), math.radians(5)
            x0, y0 = tip[0] + r * math.cos(a0), tip[1] + r * math.sin(a0)
            x1, y1 = tip[0] + r * math.cos(a1), tip[1] + r * math.sin(a1)
            body += (f'<path d="M{x0:.2f} {y0:.2f}A{r:.2f} {r:.2f} 0 0 1 {x1:.2f} {y1:.2f}" '
                     f'{stroke(AMBER, 1.3)} opacity="{opacity:.2f}"/>')
    return body


for frame in range(1, 17):
    write(f"anim{frame:02d}.svg", radio(frame))

# The program's icon (hicolor theme, scalable): the radio with three rings out.
write("skytuner.svg", radio(2), 48)

# Chooser: a station list file (a page with lines), and the wait picture: eight
# dots in a ring, the bright one going round.
write("list_file.svg", f'<path d="M3 1.5h6.5l3.5 3.5v9.5H3z" {stroke(SLATE, 1.1, fill=WHITE)}/>'
                       f'<path d="M5.5 7h5M5.5 9.5h5M5.5 12h3" {stroke(BLUE, 1.3)}/>')
for frame in range(8):
    dots = ""
    for k in range(8):
        a = math.radians(45 * k - 90)
        lit = (frame - k) % 8
        opacity = 1.0 if lit == 0 else max(0.2, 0.75 - 0.12 * lit)
        dots += (f'<circle cx="{8 + 5.5 * math.cos(a):.2f}" cy="{8 + 5.5 * math.sin(a):.2f}" '
                 f'r="1.5" fill="{BLUE}" opacity="{opacity:.2f}"/>')
    write(f"wait{frame + 1:02d}.svg", dots, 32)

# About box: the radio as the logo, and the splash: the radio under a sky with
# waves and the program's name.
write("about_logo.svg", radio(1), 32)
waves = "".join(
    f'<path d="M{100 - r} 62A{r} {r} 0 0 1 {100 + r} 62" {stroke(WHITE, 3)} opacity="{o}"/>'
    for r, o in ((22, 0.9), (36, 0.6), (50, 0.35)))
write("splash.svg",
      '<defs><linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">'
      f'<stop offset="0" stop-color="{BLUE}"/><stop offset="1" stop-color="#9cc8f2"/>'
      '</linearGradient></defs>'
      '<rect width="200" height="150" rx="8" fill="url(#sky)"/>' + waves +
      f'<path d="M100 62L86 120M100 62L114 120M90 102h20" {stroke(SLATE, 3)}/>'
      f'<circle cx="100" cy="62" r="5" fill="{AMBER}"/>'
      f'<text x="100" y="142" text-anchor="middle" font-family="DejaVu Sans" '
      f'font-size="18" font-weight="bold" fill="{WHITE}">skyTuner</text>',
      200, height=150, box="0 0 200 150")
