# Reading speed and memory of the HP-GL reader on a 50 MB plot.
if(benchmark_FOUND)
  add_executable(trzn_bench_hpgl ${CMAKE_CURRENT_SOURCE_DIR}/hpgl_read.cpp)
  target_link_libraries(trzn_bench_hpgl PRIVATE trzn_hpgl benchmark::benchmark)
endif()
