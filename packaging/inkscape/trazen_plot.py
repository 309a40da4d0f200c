"""Hands the drawing open in Inkscape to trzn-plot, which lays it on the page and pens set in
Trazen Plotter Settings: to plot it through the sender, or to keep it as a plot file.

Inkscape passes the path of a temporary copy of the document as the last argument. Only the
standard library is used, so nothing beyond Inkscape's own Python is needed.
"""

import os
import shutil
import subprocess
import sys
import tempfile


def plot_command():
    """trzn-plot as named by TRZN_PLOT, else the one on PATH, else the package's."""
    return (os.environ.get("TRZN_PLOT") or shutil.which("trzn-plot")
            or "/usr/bin/trzn-plot")


def drawing_name():
    """The document's file name, so that the sender's window names the drawing plotted; Inkscape
    always hands over plain SVG, whatever the document was saved as."""
    stem = os.path.splitext(os.path.basename(os.environ.get("DOCUMENT_PATH") or ""))[0]
    return (stem or "drawing") + ".svg"


def refuse(message):
    sys.stderr.write("Plot with Trazen: " + message + "\n")
    sys.exit(1)


def start_plot(svg_path):
    """Starts the plot and returns at once: Inkscape waits for the script, and the plot waits
    for the sender's window. The copy outlives Inkscape's temporary file and goes with the plot."""
    command = plot_command()
    if not os.access(command, os.X_OK):
        refuse("trzn-plot is not installed (" + command + ")")
    folder = tempfile.mkdtemp(prefix="trazen-plot-")
    copy = os.path.join(folder, drawing_name())
    shutil.copyfile(svg_path, copy)
    subprocess.Popen(["/bin/sh", "-c", '"$0" --gui "$1"; rm -rf "$2"', command, copy, folder],
                     stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                     stderr=subprocess.DEVNULL, start_new_session=True, close_fds=True)


def write_plot(svg_path):
    """Writes the converted plot to Inkscape's output; trzn-plot's notes (what was skipped, how
    far the drawing is clipped) and refusals go to Inkscape's message window."""
    command = plot_command()
    if not os.access(command, os.X_OK):
        refuse("trzn-plot is not installed (" + command + ")")
    sys.stdout.flush()
    done = subprocess.run([command, "--output", "-", svg_path], stdin=subprocess.DEVNULL,
                          stdout=sys.stdout.fileno(), stderr=subprocess.PIPE)
    sys.stderr.write(done.stderr.decode(errors="replace"))
    if done.returncode != 0:
        sys.exit(done.returncode)
