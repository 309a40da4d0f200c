#!/usr/bin/env python3
"""Extensions menu item: plots the open drawing through trzn-plot; the document stays as it is."""

import sys

import trazen_plot

if __name__ == "__main__":
    trazen_plot.start_plot(sys.argv[-1])
