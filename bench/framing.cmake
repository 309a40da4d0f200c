# Framing a large plot body against a plain copy of the same bytes (not in ctest).
add_executable(bench_framing framing_bench.cpp)
target_link_libraries(bench_framing PRIVATE trzn_sender trzn_plotjob)
