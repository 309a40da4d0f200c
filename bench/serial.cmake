# Serial throughput of the sender through a pty drained at a baud rate's pace (not in ctest).
add_executable(bench_serial_throughput serial_throughput.cpp)
target_link_libraries(bench_serial_throughput PRIVATE trzn_sender trzn_settings trzn_platform_line
                      Qt6::Widgets)
target_compile_definitions(bench_serial_throughput PRIVATE TRZN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")

# Pacing by the plotter's buffer against the test plotter on a pty (not in ctest).
add_executable(bench_serial_pacing serial_pacing.cpp)
# The tests' plotter where the tests are built, so that it is compiled once for both.
if(TARGET trzn_test_plotter)
  target_link_libraries(bench_serial_pacing PRIVATE trzn_test_plotter)
else()
  target_sources(bench_serial_pacing PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/answering_plotter.cpp)
endif()
target_include_directories(bench_serial_pacing PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(bench_serial_pacing PRIVATE trzn_sender trzn_settings trzn_platform_line
                      Qt6::Widgets Threads::Threads)
