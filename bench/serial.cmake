# Serial throughput of the sender through a pty drained at a baud rate's pace (not in ctest).
add_executable(bench_serial_throughput serial_throughput.cpp)
target_link_libraries(bench_serial_throughput PRIVATE trzn_sender trzn_settings trzn_platform_line
                      Qt6::Widgets)
target_compile_definitions(bench_serial_throughput PRIVATE TRZN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
