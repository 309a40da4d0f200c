"""Drawings as a new user makes them, with programs this project did not write: charts, graphs,
cairo drawings and CAD parts, each written in every format its program offers of those
trzn-plot reads. Prints one line per drawing: FORMAT NAME PATH.

    /usr/bin/python3 bench/visible_drawings.py FOLDER

Every drawing stacks shapes (legends over curves, panels behind text, filled nodes on a
background) or puts white on the paper, so that what the drawing hides and what is white count.
"""
import math
import os
import subprocess
import sys

import matplotlib

matplotlib.use('Agg')
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

OUT = sys.argv[1] if __name__ == '__main__' else '.'
made = []


def note(fmt, name, path):
    if os.path.exists(path) and os.path.getsize(path) > 0:
        made.append((fmt, name, path))
    else:
        print('not made: %s' % path, file=sys.stderr)


# matplotlib: its defaults (white figure and axes backgrounds, legends 80 % opaque) and what
# users change most. Saved as SVG, PDF and EPS, one figure each.
def chart_lines(ax):
    x = np.linspace(0, 10, 200)
    for k, style in enumerate(('-', '--', '-.')):
        ax.plot(x, np.sin(x + k) * (1 + 0.2 * k), style, label='series %d' % (k + 1))
    ax.grid(True)
    ax.legend(loc='upper right')
    ax.set_title('Three series')


def chart_legend_opaque(ax):
    x = np.linspace(0, 10, 200)
    ax.plot(x, np.cos(x), color='black', label='cosine')
    ax.plot(x, 0.5 * np.sin(2 * x), color='tab:red', label='half sine')
    ax.grid(True, color='0.6')
    ax.legend(loc='center', framealpha=1, edgecolor='black')


def chart_bars(ax):
    groups = np.arange(4)
    for k, (hatch, colour) in enumerate((('//', 'tab:blue'), ('xx', 'white'), ('..', 'tab:orange'))):
        ax.bar(groups + 0.25 * k, [3 + k, 5 - k, 4, 2 + k], 0.25, yerr=[0.4, 0.3, 0.5, 0.2],
               capsize=4, hatch=hatch, color=colour, edgecolor='black', label='kind %d' % k)
    ax.set_xticks(groups + 0.25, ['north', 'east', 'south', 'west'])
    ax.legend(framealpha=1)
    ax.set_ylim(0, 7)


def chart_background(ax):
    ax.set_facecolor('#dde6f0')
    x = np.arange(12)
    ax.errorbar(x, np.sqrt(x + 1), yerr=0.3, fmt='o-', color='navy', capsize=3, label='measured')
    ax.plot(x, 0.3 * x + 1, color='darkgreen', label='fitted')
    ax.grid(True, color='0.5', linewidth=0.6)
    ax.legend(loc='lower right', facecolor='white', framealpha=1)


def chart_fill(ax):
    x = np.linspace(0, 6, 100)
    ax.fill_between(x, np.sin(x) - 0.5, np.sin(x) + 0.5, alpha=0.3, label='band')
    ax.plot(x, np.sin(x), color='black', label='middle')
    ax.fill_between(x, -2, -1.5, color='tab:green', label='floor')
    ax.set_ylim(-2, 2)
    ax.legend(loc='upper right')


def chart_pie(ax):
    ax.pie([35, 25, 20, 20], labels=['one', 'two', 'three', 'four'], autopct='%d%%',
           explode=(0.05, 0, 0, 0))
    ax.set_title('Shares')


def chart_markers(ax):
    rng = np.random.default_rng(7)
    for marker, colour in (('o', 'tab:blue'), ('s', 'tab:red'), ('^', 'black')):
        ax.scatter(rng.uniform(0, 10, 20), rng.uniform(0, 10, 20), marker=marker, color=colour,
                   s=40, label=marker)
    ax.legend(loc='upper left', framealpha=1)


CHARTS = [('lines', chart_lines), ('legend', chart_legend_opaque), ('bars', chart_bars),
          ('background', chart_background), ('fill', chart_fill), ('pie', chart_pie),
          ('markers', chart_markers)]


def matplotlib_charts():
    import logging
    # PostScript has no transparency: matplotlib draws the EPS's legends opaque and says so.
    logging.getLogger('matplotlib.backends.backend_ps').setLevel(logging.ERROR)
    for name, draw in CHARTS:
        fig, ax = plt.subplots(figsize=(6.4, 4.8))
        draw(ax)
        for ext in ('svg', 'pdf', 'eps'):
            path = os.path.join(OUT, 'mpl-%s.%s' % (name, ext))
            fig.savefig(path)
            note(ext, 'mpl-' + name, path)
        plt.close(fig)


# gnuplot: a key with an opaque box over the curves, filled and patterned boxes, a filled curve.
GNUPLOT = {
    'curves': """set grid
set key box opaque top center
set title "Curves"
plot [0:10] sin(x) title "sine" lw 2, cos(x) title "cosine" lw 2, x/10 title "line" dt 2
""",
    'boxes': """set style fill pattern 4 border -1
set boxwidth 0.8
set yrange [0:*]
set key opaque box
plot '-' using 1:2 with boxes title "counts" fc rgb "#4060c0", \\
     '-' using 1:2 with boxes fs solid 1.0 title "solid" fc rgb "#c04040"
1 3
3 5
5 4
e
2 2
4 6
6 3
e
""",
    'filled': """set style fill solid 1.0 noborder
set key left top box opaque
plot [0:6.3] '+' using 1:(sin($1)):(0) with filledcurves title "area" fc rgb "#a0d0a0", \\
     cos(x) with lines lw 2 lc rgb "black" title "cosine"
""",
}
TERMINALS = {'svg': 'svg size 640,480', 'pdf': 'pdfcairo size 6.4in,4.8in',
             'eps': 'postscript eps color size 6.4in,4.8in'}


def gnuplot_graphs():
    for name, body in GNUPLOT.items():
        for ext, term in TERMINALS.items():
            path = os.path.join(OUT, 'gp-%s.%s' % (name, ext))
            script = 'set terminal %s\nset output "%s"\n%s' % (term, path, body)
            subprocess.run(['gnuplot'], input=script.encode(), check=False,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            note(ext, 'gp-' + name, path)


# graphviz: filled nodes, clusters with backgrounds, arrowheads; its SVG and PDF paint a white
# background polygon first.
GRAPHS = {
    'flow': """digraph flow { node [shape=box style="rounded,filled" fillcolor="#ffe0a0"];
  start -> read -> check; check -> plot [label="fits"]; check -> refuse [label="too big"];
  refuse [fillcolor="#f0a0a0"]; plot -> done; done [shape=doublecircle fillcolor=white]; }""",
    'clusters': """digraph g { compound=true; node [style=filled fillcolor=white];
  subgraph cluster_a { style=filled; fillcolor="#d8e8ff"; label="reading"; a1 -> a2 -> a3; }
  subgraph cluster_b { style=filled; fillcolor="#e0ffd8"; label="plotting"; b1 -> b2; }
  a3 -> b1; a1 -> b2 [style=dashed]; }""",
    'records': """graph r { node [shape=record style=filled fillcolor="#eeeeee"];
  s [label="{<a> pen|<b> paper|<c> knife}"]; t [label="<x> left|<y> right" fillcolor=yellow];
  s:a -- t:x; s:c -- t:y; u [shape=circle fillcolor=black fontcolor=white]; u -- s:b; }""",
}


def graphviz_graphs():
    for name, dot in GRAPHS.items():
        for ext, flag in (('svg', '-Tsvg'), ('pdf', '-Tpdf'), ('ps', '-Tps')):
            path = os.path.join(OUT, 'gv-%s.%s' % (name, ext))
            subprocess.run(['dot', flag, '-o', path], input=dot.encode(), check=False)
            note(ext, 'gv-' + name, path)


# cairo: paint, stacked shapes, a rectangle with an arc for a hole, a sign on a backing panel.
def cairo_stacked(cr):
    cr.set_source_rgb(1, 1, 1)
    cr.paint()
    cr.set_line_width(1)
    cr.set_source_rgb(0, 0, 0)
    cr.move_to(20, 60)
    cr.line_to(300, 60)
    cr.stroke()
    for (x, y, r, g, b) in ((60, 30, 1, 0, 0), (140, 40, 1, 1, 1), (220, 20, 0, 0.6, 0)):
        cr.rectangle(x, y, 57, 57)
        cr.set_source_rgb(r, g, b)
        cr.fill_preserve()
        cr.set_source_rgb(0, 0, 0)
        cr.stroke()
    cr.arc(180, 150, 50, 0, 2 * math.pi)
    cr.set_source_rgb(0.2, 0.4, 0.9)
    cr.fill()
    cr.arc(210, 170, 40, 0, 2 * math.pi)
    cr.set_source_rgb(1, 0.8, 0)
    cr.fill()
    cr.set_source_rgba(0, 0, 0, 0.5)
    cr.rectangle(40, 120, 80, 60)
    cr.fill()


def cairo_ring(cr):
    cr.set_source_rgb(1, 1, 1)
    cr.paint()
    for k in range(3):
        x = 30 + 95 * k
        cr.rectangle(x, 40, 80, 80)
        cr.arc_negative(x + 40, 80, 25, 0, -2 * math.pi)
        cr.set_source_rgb(0.1 * k, 0.3, 0.6)
        cr.fill()
    cr.set_fill_rule(1)  # even-odd
    cr.rectangle(30, 150, 270, 60)
    cr.arc(165, 180, 20, 0, 2 * math.pi)
    cr.set_source_rgb(0.7, 0.1, 0.1)
    cr.fill()


def cairo_sign(cr):
    cr.set_source_rgb(0.1, 0.3, 0.1)
    cr.paint()
    cr.set_source_rgb(1, 1, 1)
    cr.rectangle(20, 20, 280, 190)
    cr.fill()
    cr.set_source_rgb(0, 0.45, 0.2)
    cr.rectangle(35, 35, 250, 160)
    cr.fill()
    cr.set_source_rgb(1, 1, 1)
    cr.select_font_face('DejaVu Sans', 0, 1)
    cr.set_font_size(40)
    cr.move_to(60, 105)
    cr.show_text('EXIT')
    # A line a pen draws: the setup's pens plot a stroke as its middle line.
    cr.set_line_width(2)
    cr.move_to(70, 150)
    cr.line_to(230, 150)
    cr.line_to(205, 130)
    cr.stroke()


def cairo_drawings():
    import cairo
    for name, draw in (('stacked', cairo_stacked), ('ring', cairo_ring), ('sign', cairo_sign)):
        for ext in ('svg', 'pdf', 'eps'):
            path = os.path.join(OUT, 'cairo-%s.%s' % (name, ext))
            if ext == 'svg':
                surface = cairo.SVGSurface(path, 320, 230)
            elif ext == 'pdf':
                surface = cairo.PDFSurface(path, 320, 230)
            else:
                surface = cairo.PSSurface(path, 320, 230)
                surface.set_eps(True)
            draw(cairo.Context(surface))
            surface.finish()
            note(ext, 'cairo-' + name, path)


# reportlab: its chart widgets with legends, as a report puts them on a PDF page.
def reportlab_charts():
    from reportlab.graphics import renderPDF
    from reportlab.graphics.charts.barcharts import VerticalBarChart
    from reportlab.graphics.charts.legends import Legend
    from reportlab.graphics.charts.lineplots import LinePlot
    from reportlab.graphics.charts.piecharts import Pie
    from reportlab.graphics.shapes import Drawing, Rect
    from reportlab.lib import colors

    def bars():
        d = Drawing(400, 250)
        d.add(Rect(0, 0, 400, 250, fillColor=colors.HexColor('#f4f4e8'), strokeColor=None))
        c = VerticalBarChart()
        c.x, c.y, c.width, c.height = 50, 40, 300, 180
        c.data = [(13, 5, 20, 22, 37, 45), (14, 6, 21, 23, 38, 46)]
        c.bars[0].fillColor = colors.HexColor('#3060a0')
        c.bars[1].fillColor = colors.HexColor('#e0a020')
        c.categoryAxis.categoryNames = ['Jan', 'Feb', 'Mar', 'Apr', 'May', 'Jun']
        c.valueAxis.visibleGrid = True
        d.add(c)
        legend = Legend()
        legend.x, legend.y = 70, 215
        legend.colorNamePairs = [(colors.HexColor('#3060a0'), 'this year'),
                                 (colors.HexColor('#e0a020'), 'last year')]
        legend.boxAnchor = 'nw'
        legend.strokeColor = colors.black
        legend.fillColor = colors.white
        d.add(legend)
        return d

    def lines():
        d = Drawing(400, 250)
        p = LinePlot()
        p.x, p.y, p.width, p.height = 50, 40, 320, 180
        p.data = [[(x, math.sin(x / 3) * 10 + 12) for x in range(30)],
                  [(x, x * 0.6 + 2) for x in range(30)]]
        p.lines[0].strokeColor = colors.red
        p.lines[1].strokeColor = colors.blue
        p.lines[1].strokeWidth = 2
        p.xValueAxis.visibleGrid = True
        p.yValueAxis.visibleGrid = True
        d.add(p)
        box = Rect(250, 180, 110, 35, fillColor=colors.white, strokeColor=colors.black)
        d.add(box)
        legend = Legend()
        legend.x, legend.y = 258, 210
        legend.colorNamePairs = [(colors.red, 'wave'), (colors.blue, 'trend')]
        d.add(legend)
        return d

    def pie():
        d = Drawing(300, 250)
        p = Pie()
        p.x, p.y, p.width, p.height = 60, 40, 170, 170
        p.data = [10, 20, 30, 40]
        p.labels = ['a', 'b', 'c', 'd']
        p.slices.strokeWidth = 0.5
        p.slices[3].popout = 10
        d.add(p)
        return d

    for name, make in (('bars', bars), ('lines', lines), ('pie', pie)):
        path = os.path.join(OUT, 'rl-%s.pdf' % name)
        renderPDF.drawToFile(make(), path)
        note('pdf', 'rl-' + name, path)


# ezdxf: mechanical parts in millimetres with section hatching (ANSI31, with islands), solid
# fills and fit-point splines, as a CAD program writes them.
def dxf_parts():
    import ezdxf

    def flange(msp):
        msp.add_lwpolyline([(0, 0), (120, 0), (120, 60), (0, 60)], close=True)
        for x in (20, 100):
            msp.add_circle((x, 30), 8)
        hatch = msp.add_hatch(color=7)
        hatch.set_pattern_fill('ANSI31', scale=1)
        hatch.paths.add_polyline_path([(40, 5), (80, 5), (80, 55), (40, 55)], is_closed=True)
        hatch.paths.add_polyline_path([(52, 22), (68, 22), (68, 38), (52, 38)], is_closed=True)
        msp.add_lwpolyline([(40, 5), (80, 5), (80, 55), (40, 55)], close=True)
        msp.add_lwpolyline([(52, 22), (68, 22), (68, 38), (52, 38)], close=True)

    def shaft(msp):
        msp.add_lwpolyline([(0, 10), (30, 10), (30, 0), (110, 0), (110, 40), (30, 40), (30, 30),
                            (0, 30)], close=True)
        hatch = msp.add_hatch(color=7)
        hatch.set_pattern_fill('ANSI31', scale=0.5, angle=90)
        edges = hatch.paths.add_edge_path()
        edges.add_line((40, 5), (100, 5))
        edges.add_arc((100, 20), 15, -90, 90)
        edges.add_line((100, 35), (40, 35))
        edges.add_line((40, 35), (40, 5))
        msp.add_line((40, 5), (100, 5))
        msp.add_arc((100, 20), 15, -90, 90)
        msp.add_line((100, 35), (40, 35))
        msp.add_line((40, 35), (40, 5))

    def cam(msp):
        points = [(60 + 40 * math.cos(t) * (1 + 0.3 * math.cos(2 * t)),
                   50 + 40 * math.sin(t)) for t in np.linspace(0, 2 * math.pi, 9)[:-1]]
        spline = msp.add_spline(fit_points=points + [points[0]])
        spline.closed = False
        msp.add_circle((60, 50), 10)
        msp.add_spline(fit_points=[(0, 0), (30, 12), (60, 5), (90, 20), (120, 0)])

    def panel(msp):
        for x in range(0, 140, 10):
            msp.add_line((x, 0), (x + 20, 70))
        solid = msp.add_hatch(color=1)
        solid.paths.add_polyline_path([(20, 20), (70, 20), (70, 50), (20, 50)], is_closed=True)
        msp.add_solid([(90, 10), (130, 10), (90, 40), (130, 40)], dxfattribs={'color': 5})
        msp.add_lwpolyline([(0, 0), (140, 0), (140, 70), (0, 70)], close=True)

    for name, draw in (('flange', flange), ('shaft', shaft), ('cam', cam), ('panel', panel)):
        doc = ezdxf.new('R2010')
        doc.header['$INSUNITS'] = 4
        draw(doc.modelspace())
        path = os.path.join(OUT, 'dxf-%s.dxf' % name)
        doc.saveas(path)
        note('dxf', 'dxf-' + name, path)


if __name__ == '__main__':
    os.makedirs(OUT, exist_ok=True)
    for make in (matplotlib_charts, gnuplot_graphs, graphviz_graphs, cairo_drawings,
                 reportlab_charts, dxf_parts):
        try:
            make()
        except Exception as e:  # one program missing must not lose the others
            print('%s: %s' % (make.__name__, e), file=sys.stderr)
    for fmt, name, path in made:
        print(fmt, name, path)
