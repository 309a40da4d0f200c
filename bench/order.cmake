# Path ordering speed and the pen-up travel it saves against document order (not in ctest).
if(benchmark_FOUND)
  add_executable(trzn_bench_order ${CMAKE_CURRENT_SOURCE_DIR}/path_order_bench.cpp)
  target_link_libraries(trzn_bench_order PRIVATE trzn_drawing benchmark::benchmark)
endif()
