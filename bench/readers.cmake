# PDF, EPS, PostScript and DXF drawings to plots (run by reader_figures.sh, not in ctest):
# fidelity against the SVG they were made from, time and peak memory of big files.
add_executable(trzn_bench_readers reader_bench.cpp)
target_link_libraries(trzn_bench_readers PRIVATE trzn_drawing trzn_settings Qt6::Gui)
