# The plotting options on drawings: hatching coverage and ink, merged lines, bands, and the
# time of big fills and of inside-first ordering (run by hand, not in ctest).
add_executable(trzn_bench_options plot_options_bench.cpp)
target_link_libraries(trzn_bench_options PRIVATE trzn_drawing trzn_settings Qt6::Gui)
