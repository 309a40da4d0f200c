# The big drawings the conversion is timed on, written into the folder given: big-10mb.svg, 10 MB
# of curved paths in groups (each group one colour, unfilled), and million.svg, a million short
# paths. The same bytes on every run (a fixed seed).
#   python3 bench/big_drawings.py FOLDER
import random, sys
w = sys.argv[1]
random.seed(7)
with open(w + '/big-10mb.svg', 'w') as f:
    f.write('<svg xmlns="http://www.w3.org/2000/svg" width="1000mm" height="1000mm" viewBox="0 0 1000 1000">\n')
    size = 0
    while size < 10 * 1024 * 1024:
        x, y = random.uniform(0, 950), random.uniform(0, 950)
        g = '<g transform="translate(%.2f %.2f)" stroke="#%06x" fill="none">' % (x, y, random.randrange(1 << 24))
        for _ in range(8):
            pts = ' '.join('%.2f,%.2f' % (random.uniform(0, 50), random.uniform(0, 50)) for _ in range(6))
            g += '<path d="M%.2f,%.2f C%s"/>' % (random.uniform(0, 50), random.uniform(0, 50), pts)
        g += '</g>\n'
        f.write(g)
        size += len(g)
    f.write('</svg>\n')
with open(w + '/million.svg', 'w') as f:
    f.write('<svg xmlns="http://www.w3.org/2000/svg" width="1000mm" height="1000mm" viewBox="0 0 1000 1000" stroke="#000">\n')
    for i in range(1000000):
        f.write('<path d="M%d.%d %d.%dl1 1"/>\n' % (i % 1000, i % 7, (i // 1000) % 1000, i % 3))
    f.write('</svg>\n')
