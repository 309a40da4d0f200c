"""What a drawing shows, as lines, against a plot's picture of it (run by visible_fidelity.sh).

    /usr/bin/python3 bench/visible_lines.py JOBS

Each line of JOBS: FORMAT DRAWING PLOT.png WIDTH HEIGHT SCALE ORIGIN_X ORIGIN_Y SHEET_W SHEET_H
[X0 Y1 UNIT_MM], where the numbers after the picture are trzn_bench_drawing frame's (pixels per
plotter unit, where plotter (0, 0) lands), the sheet is in plotter units, and a DXF's model-space
box corner and unit follow. Prints one line per job: PLOT.png PLOT_NEAR REFERENCE_NEAR, the same
with an SVG's text aside, SHIFT_X SHIFT_Y, then the shares of the renderers' lines that only
one of them shows (DISPUTED) and that lie on pictures (PICTURES); or PLOT.png failed WHY.

The reference is the format's own renderer drawing the drawing filled, as its user sees it, in
the plot picture's frame (the drawing's top-left corner on the sheet's); its lines are where
the colour changes, on white paper: a fill's edge, a stroke thinner than a pen (both its
sides), an opaque shape's edge across what it covers. What a shape covers shows no edge; white
on the paper shows none either.

A PDF or PostScript file has a second renderer besides its own (pdftocairo; PostScript through
ghostscript's PDF writer first): the two differ where a path has no area (poppler's and
ghostscript's own rasterisers paint every pixel a fill touches, so a fill's zero-area spur is
a hairline; cairo paints what the fill covers) and where a tiling pattern repeats (poppler
steps its tiles by whole pixels). Where they differ either is right: the plot must show the
lines both show, and what it draws must lie near a line of either. Pictures (raster images) have no lines a pen could draw: where ghostscript's
page changes when it leaves the pictures out, grown by a millimetre, is left out of both.
"""
import os
import subprocess
import sys
import tempfile

import numpy as np
from PIL import Image
from scipy import ndimage

NEAR_MM = 0.5
# The smallest colour step (0-255, in any channel, across three pixels) that is an edge: a
# white shape 80 % opaque over a grey line leaves it visible at a step of about 16, and the
# renderers' smoothing of a real edge spreads over two pixels. Flat fills and the paper have
# no steps at all.
EDGE_STEP = 10
# Two renderers' edges of one line lie within a pixel or two of each other (their smoothing
# differs); farther apart they are different lines.
AGREE_MM = 0.25


def edges(rgb, step=EDGE_STEP):
    """Where the colour changes: each channel's largest less its smallest around each pixel."""
    a = rgb.astype(np.int16)
    spread = np.zeros(a.shape[:2], np.int16)
    for c in range(3):
        channel = a[..., c]
        spread = np.maximum(spread, ndimage.maximum_filter(channel, 3) -
                            ndimage.minimum_filter(channel, 3))
    return spread >= step


def ink(rgb):
    """A plot picture's line pixels: trzn-render's pen 1, not the pale grey around the sheet
    (212 to 220)."""
    return rgb.astype(np.int16).max(axis=2) < 180


def near_share(lines, other, near_px, window):
    """The share of `lines` pixels inside `window` (x, y, w, h) with one of `other`'s within
    near_px; 1 where there are no lines to find."""
    x, y, w, h = window
    inside = np.zeros_like(lines)
    inside[max(y, 0):y + h, max(x, 0):x + w] = True
    mine = lines & inside
    if not mine.any():
        return 1.0
    if not other.any():
        return 0.0
    distance = ndimage.distance_transform_edt(~other)
    return float((distance[mine] <= near_px).sum()) / float(mine.sum())


def best_shift(ref, plot, reach=4):
    """The shift (px) of the reference that lays its lines nearest the plot's on average: (0, 0)
    when the two are registered (a stroke's two edges lie either side of the plot's line)."""
    if not ref.any() or not plot.any():
        return 0, 0
    distance = np.minimum(ndimage.distance_transform_edt(~plot), reach + 2)
    mean = {}
    for dy in range(-reach, reach + 1):
        for dx in range(-reach, reach + 1):
            mean[(dx, dy)] = distance[np.roll(ref, (dy, dx), axis=(0, 1))].mean()
    best = min(mean, key=lambda k: (mean[k], abs(k[0]) + abs(k[1])))
    return best if mean[best] < mean[(0, 0)] - 0.1 else (0, 0)


def page_picture(fmt, drawing, dpi, out):
    """The format's own renderer: the page (or an EPS's bounding box) filled on white."""
    if fmt == 'svg':
        # librsvg's px is a pixel whatever the resolution: 96 to the inch, zoomed.
        cmd = ['rsvg-convert', '-d', '96', '-p', '96', '-z', '%.6f' % (dpi / 96), '-b', 'white',
               drawing, '-o', out]
    elif fmt == 'pdf':
        cmd = ['pdftoppm', '-r', '%.6f' % dpi, '-f', '1', '-l', '1', '-singlefile', '-png',
               drawing, out[:-4]]
    else:
        return gs_picture(drawing, dpi, out)
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with Image.open(out) as opened:
        picture = opened.copy()
    if picture.mode in ('RGBA', 'LA', 'P'):
        flat = Image.new('RGB', picture.size, 'white')
        flat.paste(picture.convert('RGBA'), mask=picture.convert('RGBA').split()[3])
        picture = flat
    return np.asarray(picture.convert('RGB'))


def gs_picture(drawing, dpi, out, options=()):
    """Ghostscript's page, laid by the bounding box as the plot's reading lays PostScript."""
    cmd = ['gs', '-q', '-dSAFER', '-dBATCH', '-dNOPAUSE', '-dEPSCrop', '-sDEVICE=png16m',
           '-r%.6f' % dpi, '-dTextAlphaBits=4', '-dGraphicsAlphaBits=4', '-dFirstPage=1',
           '-dLastPage=1'] + list(options) + ['-sOutputFile=' + out, drawing]
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with Image.open(out) as opened:
        return np.asarray(opened.convert('RGB'))


def second_picture(fmt, drawing, dpi, out, size):
    """The page as cairo draws it (pdftocairo; PostScript made a PDF by ghostscript first, by
    its bounding box), cut to the first renderer's size: both round the page's pixels, from
    the same top-left corner."""
    if fmt == 'eps' or fmt == 'ps':
        pdf = out[:-4] + '.pdf'
        subprocess.run(['gs', '-q', '-dSAFER', '-dBATCH', '-dNOPAUSE', '-dEPSCrop',
                        '-sDEVICE=pdfwrite', '-sOutputFile=' + pdf, drawing], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        drawing = pdf
    subprocess.run(['pdftocairo', '-png', '-r', '%.6f' % dpi, '-f', '1', '-l', '1',
                    '-singlefile', drawing, out[:-4]], check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    with Image.open(out) as opened:
        picture = np.asarray(opened.convert('RGB'))
    w, h = size
    return in_frame(picture[:h, :w], (w, h), 0, 0)


def picture_area(drawing, dpi, out):
    """Where a PDF's or PostScript file's pictures change its page, grown by a millimetre;
    None without pictures."""
    page = gs_picture(drawing, dpi, out).astype(np.int16)
    bare = gs_picture(drawing, dpi, out, ['-dFILTERIMAGE']).astype(np.int16)
    if page.shape != bare.shape:
        return None
    area = np.abs(page - bare).max(axis=2) > 0
    if not area.any():
        return None
    return ndimage.binary_dilation(area, iterations=max(1, int(round(dpi / 25.4))))


def dxf_picture(drawing, size, window):
    """ezdxf's drawing add-on: model space filled as a CAD display shows it (hatch patterns,
    solid fills), on white, with the picture's edges at the model-space window given."""
    import matplotlib
    matplotlib.use('Agg')
    import matplotlib.pyplot as plt
    import ezdxf
    from ezdxf.addons.drawing import Frontend, RenderContext
    from ezdxf.addons.drawing.matplotlib import MatplotlibBackend
    from ezdxf.addons.drawing.properties import LayoutProperties

    doc = ezdxf.readfile(drawing)
    msp = doc.modelspace()
    w, h = size
    dpi = 100
    # A hair over the size: matplotlib rounds the pixels down.
    fig = plt.figure(figsize=((w + 0.01) / dpi, (h + 0.01) / dpi), dpi=dpi)
    ax = fig.add_axes([0, 0, 1, 1])
    look = LayoutProperties.from_layout(msp)
    look.set_colors('#ffffff')
    Frontend(RenderContext(doc), MatplotlibBackend(ax, adjust_figure=False)).draw_layout(
        msp, finalize=True, layout_properties=look)
    ax.set_autoscale_on(False)
    ax.set_aspect('auto')
    ax.set_xlim(window[0], window[1])
    ax.set_ylim(window[2], window[3])
    ax.set_facecolor('white')
    with tempfile.NamedTemporaryFile(suffix='.png') as f:
        fig.savefig(f.name, dpi=dpi, facecolor='white')
        plt.close(fig)
        return np.asarray(Image.open(f.name).convert('RGB'))[:h, :w]


def in_frame(picture, size, left, top):
    """The picture on white paper of the frame's size, its top-left corner at (left, top)."""
    w, h = size
    frame = np.full((h, w, 3), 255, np.uint8)
    x, y = int(round(left)), int(round(top))
    ph, pw = picture.shape[:2]
    x0, y0, x1, y1 = max(x, 0), max(y, 0), min(x + pw, w), min(y + ph, h)
    if x1 > x0 and y1 > y0:
        frame[y0:y1, x0:x1] = picture[y0 - y:y1 - y, x0 - x:x1 - x]
    return frame


def text_area(drawing, dpi, out):
    """Where an SVG's text elements draw, grown by a millimetre, in the page's picture; None
    without text. The two renderers set such text in fonts of their own choosing (a family name
    is a wish), so its glyphs differ by more than a pen's width; a PDF or PostScript file carries
    its glyphs."""
    import xml.etree.ElementTree as ET
    tree = ET.parse(drawing)
    local = lambda e: e.tag.split('}')[-1] if isinstance(e.tag, str) else ''
    if not any(local(e) == 'text' for e in tree.iter()):
        return None
    shapes = ('path', 'rect', 'circle', 'ellipse', 'line', 'polyline', 'polygon', 'image', 'use')
    for parent in list(tree.iter()):
        for child in list(parent):
            if local(child) in shapes:
                parent.remove(child)
            elif local(child) in ('text', 'tspan'):
                child.set('style', 'fill:#000;stroke:#000;stroke-width:1')
    tree.write(out[:-4] + '.svg')
    area = page_picture('svg', out[:-4] + '.svg', dpi, out).max(axis=2) < 128
    return ndimage.binary_dilation(area, iterations=max(1, int(round(dpi / 25.4))))


def in_frame_mask(area, size, left, top):
    """A mask of the page's pixels moved into the frame as the page's picture is."""
    return in_frame(np.repeat(area[..., None], 3, axis=2).astype(np.uint8), size, left,
                    top)[..., 0] == 1


def page_lines(fmt, drawing, dpi, stem, size, left, top):
    """A page's lines in the frame: those every renderer shows and those any shows; and what
    is set aside (an SVG's text, pictures; None when nothing is)."""
    page = page_picture(fmt, drawing, dpi, stem + '-ref.png')
    lines = edges(in_frame(page, size, left, top))
    text = pictures = None
    if fmt == 'svg':
        area = text_area(drawing, dpi, stem + '-text.png')
        if area is not None:
            text = in_frame_mask(area, size, left, top)
        return lines, lines, text, pictures
    ph, pw = page.shape[:2]
    second = edges(in_frame(second_picture(fmt, drawing, dpi, stem + '-cairo.png', (pw, ph)),
                            size, left, top))
    agree = AGREE_MM * dpi / 25.4
    near_second = ndimage.distance_transform_edt(~second) <= agree
    near_first = ndimage.distance_transform_edt(~lines) <= agree
    area = picture_area(drawing, dpi, stem + '-pictures.png')
    if area is not None:
        pictures = in_frame_mask(area, size, left, top)
    return (lines & near_second) | (second & near_first), lines | second, text, pictures


def measure(job, work):
    """The plot near the reference and the reference near the plot, with the text and with an
    SVG's text aside, the reference's best shift, and the shares of the renderers' lines that
    not all of them show and that lie on pictures."""
    fmt, drawing, plot_png = job[:3]
    w, h = int(job[3]), int(job[4])
    s, ox, oy, sw, sh = (float(v) for v in job[5:10])
    with Image.open(plot_png) as picture:
        plot = ink(np.asarray(picture.convert('RGB')))
    text = pictures = None
    if fmt == 'dxf':
        x0, y1, unit = (float(v) for v in job[10:13])
        k = unit * 40
        window = (x0 + (-ox / s) / k, x0 + ((w - ox) / s) / k,
                  y1 - (sh - (oy - h) / s) / k, y1 - (sh - oy / s) / k)
        lines = edges(dxf_picture(drawing, (w, h), window))
        either = lines
    else:
        # Pixels per millimetre of the plot picture, as dots per inch.
        dpi = s * 40 * 25.4
        stem = os.path.join(work, os.path.basename(plot_png)[:-4])
        lines, either, text, pictures = page_lines(fmt, drawing, dpi, stem, (w, h), ox,
                                                   oy - sh * s)
    near = NEAR_MM * 40 * s
    # The sheet, and what reaches a line's width beyond it.
    pad = int(near) + 2
    sheet = (int(ox) - pad, int(oy - sh * s) - pad, int(sw * s) + 2 * pad, int(sh * s) + 2 * pad)
    if os.environ.get('KEEP'):
        both = np.full(lines.shape + (3,), 255, np.uint8)
        both[either & ~lines] = (0, 170, 0)
        both[plot] = (230, 0, 0)
        both[lines] = (0, 60, 230)
        both[plot & lines] = (0, 0, 0)
        Image.fromarray(both).save(plot_png[:-4] + '-both.png')
    dx, dy = best_shift(lines, plot)
    seen = np.ones_like(lines) if pictures is None else ~pictures
    shares = [near_share(plot & seen, either, near, sheet),
              near_share(lines & seen, plot, near, sheet)]
    if text is None:
        shares += shares
    else:
        shares += [near_share(plot & seen & ~text, either, near, sheet),
                   near_share(lines & seen & ~text, plot, near, sheet)]
    found = max(int(either.sum()), 1)
    aside = 0 if pictures is None else int((either & pictures).sum())
    return tuple(shares) + (dx, dy, float((either & ~lines).sum()) / found, float(aside) / found)


def size_mm(fmt, drawing):
    """The page's (an EPS's bounding box's, an SVG canvas's) width and height in mm."""
    import re
    with open(drawing, 'rb') as f:
        text = f.read().decode('latin-1')
    if fmt == 'svg':
        root = re.search(r'<svg\b[^>]*>', text).group(0)
        per = {'pt': 25.4 / 72, 'pc': 25.4 / 6, 'mm': 1, 'cm': 10, 'in': 25.4, 'px': 25.4 / 96,
               '': 25.4 / 96}
        side = []
        for key in ('width', 'height'):
            m = re.search(r'\s%s="([\d.]+)(\w*)"' % key, root)
            side.append(float(m.group(1)) * per[m.group(2)])
        return side
    if fmt == 'pdf':
        info = subprocess.run(['pdfinfo', drawing], capture_output=True, text=True).stdout
        m = re.search(r'Page size:\s+([\d.]+) x ([\d.]+) pts', info)
        return [float(v) * 25.4 / 72 for v in m.groups()]
    # The page ghostscript makes of it, as the plot's reading does (-dEPSCrop): an EPS's
    # bounding box; a PostScript page whose box comes "(atend)", as graphviz writes it, the
    # whole paper.
    with tempfile.TemporaryDirectory() as d:
        out = os.path.join(d, 'page.png')
        page_picture('eps', drawing, 72, out)
        with Image.open(out) as picture:
            return [v * 25.4 / 72 for v in picture.size]


if __name__ == '__main__' and sys.argv[1] == 'size':
    print('%.3f %.3f' % tuple(size_mm(sys.argv[2], sys.argv[3])))
elif __name__ == '__main__':
    work = os.path.dirname(os.path.abspath(sys.argv[1]))
    for line in open(sys.argv[1]):
        job = line.split()
        try:
            print('%s %.4f %.4f %.4f %.4f %d %d %.4f %.4f' % ((job[2],) + measure(job, work)),
                  flush=True)
        except Exception as e:  # one drawing's failure is a row, not the end of the run
            print('%s failed %s' % (job[2], type(e).__name__), flush=True)
