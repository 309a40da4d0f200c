# Drawings to plots (run by drawing_figures.sh, not in ctest): conversion time, pen-up travel,
# and the plotted lines against an independent renderer's.
add_executable(trzn_bench_drawing drawing_bench.cpp)
target_link_libraries(trzn_bench_drawing PRIVATE trzn_drawing trzn_preview trzn_settings Qt6::Gui)
