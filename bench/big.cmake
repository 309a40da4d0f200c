# The sender on big plots: delivery time beside the preview, event-loop stalls, peak memory
# (run by big_plots.sh, not in ctest).
add_executable(bench_big_plots big_plots.cpp)
target_link_libraries(bench_big_plots PRIVATE trzn_sender trzn_settings trzn_platform_line
                      Qt6::Widgets)
