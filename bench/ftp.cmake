# Stop's delay during an FTP upload to a slow server on loopback (not in ctest; needs the test
# FTP server, so only with the tests).
if(TARGET trzn_ftp_fixture)
  add_executable(bench_ftp_stop ftp_stop.cpp)
  target_include_directories(bench_ftp_stop PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(bench_ftp_stop PRIVATE trzn_sender trzn_settings trzn_ftp_fixture
                        Qt6::Widgets Threads::Threads)
endif()
