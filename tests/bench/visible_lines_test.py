"""The fidelity benchmark's own measure (bench/visible_lines.py): what it takes for a visible
line, how near is near, where a reference lands. Small drawings made here, drawn by rsvg-convert.
Run by ctest as VisibleLines."""
import os
import sys
import tempfile
import unittest

import numpy as np

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'bench'))
import visible_lines as vl  # noqa: E402

# A 40 x 20 mm canvas, a 0.3 mm black line across it at y = 10 mm, and what lies over it.
LINE = '<line x1="2" y1="10" x2="38" y2="10" stroke="#b0b0b0" stroke-width="0.3"/>'


def drawn(body, per_mm=8):
    """rsvg-convert's picture of a 40 x 20 mm drawing and its visible lines."""
    with tempfile.TemporaryDirectory() as d:
        svg = os.path.join(d, 'd.svg')
        with open(svg, 'w') as f:
            f.write('<svg xmlns="http://www.w3.org/2000/svg" width="40mm" height="20mm" '
                    'viewBox="0 0 40 20">%s</svg>' % body)
        picture = vl.page_picture('svg', svg, per_mm * 25.4, os.path.join(d, 'd.png'))
    return vl.edges(vl.in_frame(picture, (40 * per_mm + 20, 20 * per_mm + 20), 10, 10))


class VisibleLines(unittest.TestCase):
    def test_what_shows_as_a_line(self):
        # (what is drawn, the column of pixels looked at, lines expected there)
        square = '<rect x="15" y="5" width="10" height="10" fill="%s" %s/>'
        cases = [
            ('line alone', LINE, 170, True),
            ('under an opaque red square', LINE + square % ('red', ''), 170, False),
            ('under a white square', LINE + square % ('white', ''), 170, False),
            ('under white 80 % opaque', LINE + square % ('white', 'fill-opacity="0.8"'), 170,
             True),
            ('light yellow square on the paper, its edge', square % ('#ffffc0', ''), 130, True),
            ('white square on the paper, its edge', square % ('white', ''), 130, False),
            ('red page: its edge on the paper',
             '<rect width="40" height="20" fill="#c00"/>', 10, True),
        ]
        for label, body, column, seen in cases:
            with self.subTest(label):
                lines = drawn(body)
                # Rows of the line (y = 10 mm), not the square's top and bottom edges.
                self.assertEqual(bool(lines[85:95, column].any()), seen)

    def test_near_within_half_a_millimetre(self):
        # (label, the other line's offset in px at 8 px/mm, share expected)
        cases = [('on it', 0, 1.0), ('0.375 mm off', 3, 1.0), ('0.5 mm off', 4, 1.0),
                 ('0.625 mm off', 5, 0.0), ('3 mm off', 24, 0.0)]
        for label, offset, share in cases:
            with self.subTest(label):
                a = np.zeros((100, 100), bool)
                b = np.zeros((100, 100), bool)
                a[40, 10:90] = True
                b[40 + offset, 10:90] = True
                self.assertEqual(vl.near_share(a, b, 0.5 * 8, (0, 0, 100, 100)), share)
        empty = np.zeros((10, 10), bool)
        with self.subTest('nothing to find is all found; nothing to find it in, none'):
            some = empty.copy()
            some[5, 5] = True
            self.assertEqual(vl.near_share(empty, some, 4, (0, 0, 10, 10)), 1.0)
            self.assertEqual(vl.near_share(some, empty, 4, (0, 0, 10, 10)), 0.0)
            self.assertEqual(vl.near_share(some, some, 4, (6, 6, 4, 4)), 1.0)

    def test_registration(self):
        # A line picture laid into a frame, shifted by (dx, dy), found back by best_shift.
        for dx, dy in ((0, 0), (2, 0), (0, -3), (1, 1)):
            with self.subTest(shift=(dx, dy)):
                plot = np.zeros((60, 60), bool)
                plot[10:50, 30] = True
                plot[20, 5:55] = True
                ref = np.roll(plot, (-dy, -dx), axis=(0, 1))
                self.assertEqual(vl.best_shift(ref, plot), (dx, dy))
        with self.subTest('a picture laid partly beyond the frame keeps its place'):
            picture = np.zeros((10, 10, 3), np.uint8)
            frame = vl.in_frame(picture, (8, 8), -4, 3)
            self.assertTrue((frame[3:, :6] == 0).all() and (frame[:3] == 255).all())
            self.assertTrue((frame[:, 6:] == 255).all())

    def test_reference_at_the_plot_size(self):
        # rsvg-convert's picture of a canvas in millimetres and of one in px alike.
        for width, height, per_mm in (('40mm', '20mm', 8), ('151.18', '75.59', 5)):
            with self.subTest(width=width), tempfile.TemporaryDirectory() as d:
                svg = os.path.join(d, 'd.svg')
                with open(svg, 'w') as f:
                    f.write('<svg xmlns="http://www.w3.org/2000/svg" width="%s" height="%s" '
                            'viewBox="0 0 40 20"/>' % (width, height))
                size = vl.page_picture('svg', svg, per_mm * 25.4, os.path.join(d, 'd.png')).shape
                # Within the pixel renderers round up to.
                self.assertLessEqual(abs(size[0] - 20 * per_mm) + abs(size[1] - 40 * per_mm), 2)

    def test_shares_of_a_plot_in_its_frame(self):
        # A plot picture in trzn_bench_drawing frame's terms: 8 px/mm (0.2 px a plotter unit),
        # plotter (0, 0) at pixel (20, 220), a 40 x 20 mm sheet, so drawing (x, y) mm lands
        # at pixel (20 + 8 x, 60 + 8 y). (label, plot's lines, plot near, reference near)
        outline = [(5, 5), (35, 5), (35, 15), (5, 15), (5, 5)]
        moved = lambda d: [(x + d, y + d) for x, y in outline]
        cases = [('where the drawing has it', [outline], 1.0, 1.0),
                 ('0.3 mm off', [moved(0.3)], 1.0, 1.0),
                 ('1.5 mm off', [moved(1.5)], 0.0, 0.0),
                 ('and a line the drawing hides', [outline, [(5, 10), (35, 10)]], 0.74, 1.0),
                 ('half of it', [outline[:3]], 1.0, 0.5)]
        from PIL import Image, ImageDraw
        for label, lines, plot_near, reference_near in cases:
            with self.subTest(label), tempfile.TemporaryDirectory() as d:
                svg = os.path.join(d, 'd.svg')
                with open(svg, 'w') as f:
                    f.write('<svg xmlns="http://www.w3.org/2000/svg" width="40mm" height="20mm" '
                            'viewBox="0 0 40 20"><rect x="5" y="5" width="30" height="10" '
                            'fill="#fc0"/></svg>')
                picture = Image.new('RGB', (400, 240), 'white')
                pen = ImageDraw.Draw(picture)
                for line in lines:
                    pen.line([(20 + 8 * x, 60 + 8 * y) for x, y in line], fill='black')
                png = os.path.join(d, 'plot.png')
                picture.save(png)
                job = ['svg', svg, png, '400', '240', '0.2', '20', '220', '1600', '800']
                got = vl.measure(job, d)
                self.assertAlmostEqual(got[0], plot_near, delta=0.05)
                self.assertAlmostEqual(got[1], reference_near, delta=0.05)

    def test_text_set_aside(self):
        # (label, drawing's body, a pixel of the text, one of a shape: whether each is aside)
        text = '<text x="5" y="12" font-size="6">Ab</text>'
        rect = '<rect x="25" y="4" width="10" height="10" fill="none" stroke="#000"/>'
        cases = [('no text', rect, None),
                 ('text and a square', text + rect, (True, False)),
                 ('white text in a group', '<g fill="white">%s</g>' % text, (True, False))]
        for label, body, want in cases:
            with self.subTest(label), tempfile.TemporaryDirectory() as d:
                svg = os.path.join(d, 'd.svg')
                with open(svg, 'w') as f:
                    f.write('<svg xmlns="http://www.w3.org/2000/svg" width="40mm" height="20mm" '
                            'viewBox="0 0 40 20">%s</svg>' % body)
                area = vl.text_area(svg, 8 * 25.4, os.path.join(d, 't.png'))
                if want is None:
                    self.assertIsNone(area)
                    continue
                # The text's left stem at (5.5 mm, 10 mm); the square's left side at x = 25 mm.
                self.assertEqual((bool(area[80, 45]), bool(area[72, 200])), want)

    def test_cad_display_in_the_plot_frame(self):
        # ezdxf's picture of a line along y = 10 mm and an ANSI31-hatched square, with the
        # model-space window x -2.5..47.5, y -2.5..22.5 mm on 400 x 200 px (8 px/mm).
        import ezdxf
        with tempfile.TemporaryDirectory() as d:
            doc = ezdxf.new('R2010')
            msp = doc.modelspace()
            msp.add_line((0, 10), (20, 10))
            hatch = msp.add_hatch()
            hatch.set_pattern_fill('ANSI31', scale=0.5)
            hatch.paths.add_polyline_path([(25, 0), (45, 0), (45, 20), (25, 20)], is_closed=True)
            path = os.path.join(d, 'd.dxf')
            doc.saveas(path)
            lines = vl.edges(vl.dxf_picture(path, (400, 200), (-2.5, 47.5, -2.5, 22.5)))
        rows = lambda y: lines[int((22.5 - y) * 8) - 2:int((22.5 - y) * 8) + 3]
        cases = [('the line where it lies', rows(10)[:, 100].any(), True),
                 ('nothing beside it', rows(15)[:, 100].any(), False),
                 ('hatch lines across the square', rows(10)[:, 220:340].any(axis=0).sum() > 20,
                  True)]
        for label, got, want in cases:
            with self.subTest(label):
                self.assertEqual(bool(got), want)

    def test_page_size(self):
        cases = [('<svg xmlns="http://www.w3.org/2000/svg" width="72pt" height="1in"/>',
                  'svg', (25.4, 25.4)),
                 ('<svg xmlns="http://www.w3.org/2000/svg" width="96" height="48"/>', 'svg',
                  (25.4, 12.7)),
                 ('%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 10 20 82 164\n'
                  '20 30 moveto 70 150 lineto stroke showpage\n', 'eps', (25.4, 50.8))]
        for text, fmt, want in cases:
            with self.subTest(text[:40]), tempfile.NamedTemporaryFile('w', suffix='.' + fmt) as f:
                f.write(text)
                f.flush()
                self.assertEqual([round(v, 3) for v in vl.size_mm(fmt, f.name)], list(want))


if __name__ == '__main__':
    unittest.main()
