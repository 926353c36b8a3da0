#!/usr/bin/python3
# icon_png.py -- dist/icons/{48,128}/velmora.png drawn from the shapes of dist/velmora.svg
# (flat colours for its gradients), for desktops that want bitmaps beside the SVG
import os
import sys

import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt                 # noqa: E402
from matplotlib import patches, transforms     # noqa: E402

METAL, LINK, EDGE, DARK, LIGHT = "#7b8594", "#e8902a", "#a85a10", "#3d444e", "#c3ccd6"


def rounded(ax, x, y, w, h, r, fc, rot=None, ec="none", lw=0):
    p = patches.FancyBboxPatch((x + r, y + r), w - 2 * r, h - 2 * r,
                               boxstyle="round,pad=%g" % r, fc=fc, ec=ec, lw=lw)
    if rot:
        p.set_transform(transforms.Affine2D().rotate_deg_around(*rot) + ax.transData)
    ax.add_patch(p)


def draw(size, path):
    fig = plt.figure(figsize=(1, 1), dpi=size)
    ax = fig.add_axes([0, 0, 1, 1])
    ax.set_xlim(0, 128)
    ax.set_ylim(128, 0)          # the SVG's y grows downwards
    ax.axis("off")
    fig.patch.set_alpha(0)
    ax.add_patch(patches.Ellipse((40, 118), 64, 10, fc="#000000", alpha=0.18))
    ax.add_patch(patches.Polygon([(22, 116), (26, 98), (54, 98), (58, 116)], fc=METAL))
    rounded(ax, 18, 112, 44, 6, 2, DARK)
    rounded(ax, 30, 74, 20, 26, 3, METAL)
    rounded(ax, 32, 62, 58, 20, 9.9, LINK, rot=(40, 72, -58), ec=EDGE, lw=1.5 * size / 128)
    rounded(ax, 62, 16, 48, 16, 7.9, LINK, rot=(70, 24, 28), ec=EDGE, lw=1.5 * size / 128)
    for cx, cy, r, c in [(40, 72, 12, DARK), (40, 72, 5, LIGHT), (70, 24, 10, DARK),
                         (70, 24, 4, LIGHT), (103, 42, 7, DARK)]:
        ax.add_patch(patches.Circle((cx, cy), r, fc=c))
    rot = transforms.Affine2D().rotate_deg_around(103, 42, 10) + ax.transData
    for p in [patches.FancyBboxPatch((98.5, 48.5), 9, 4, boxstyle="round,pad=1.5", fc=METAL),
              patches.FancyBboxPatch((95.5, 55.5), 15, 2, boxstyle="round,pad=1.5", fc=DARK),
              patches.Polygon([(95, 59), (99, 59), (99, 74), (97, 76), (95, 74)], fc="#5b6573"),
              patches.Polygon([(107, 59), (111, 59), (111, 74), (109, 76), (107, 74)],
                              fc="#5b6573")]:
        p.set_transform(rot)
        ax.add_patch(p)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    fig.savefig(path, dpi=size, transparent=True)
    plt.close(fig)


if __name__ == "__main__":
    top = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    for px in (48, 128):
        draw(px, os.path.join(top, "dist", "icons", str(px), "velmora.png"))
