# A long drawing on a roll cut into panels (run by hand, not in ctest): how many plots, how long
# each, and the line length of all of them against the drawing plotted whole.
add_executable(trzn_bench_roll roll_panels_bench.cpp)
target_link_libraries(trzn_bench_roll PRIVATE trzn_drawing trzn_settings Qt6::Gui)
