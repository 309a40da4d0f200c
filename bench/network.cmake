# Stop during an FTP upload to a slowed loopback server (not in ctest).
add_executable(bench_ftp_stop ftp_stop.cpp ${PROJECT_SOURCE_DIR}/tests/platform/ftp_fixture.cpp)
target_include_directories(bench_ftp_stop PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_definitions(bench_ftp_stop PRIVATE TRZN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
target_link_libraries(bench_ftp_stop PRIVATE trzn_sender trzn_settings trzn_platform_line
                      Qt6::Widgets)
