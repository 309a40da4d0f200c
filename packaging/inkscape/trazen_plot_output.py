#!/usr/bin/env python3
"""Save a Copy as "Trazen plot": the drawing converted by trzn-plot into HP-GL."""

import sys

import trazen_plot

if __name__ == "__main__":
    trazen_plot.write_plot(sys.argv[-1])
