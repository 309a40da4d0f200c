# Whether a typed text survives the trip into a record's text field; shared by the window, the
# paper list editor and the preset name dialog.
add_library(trzn_config_text STATIC
  ${CMAKE_CURRENT_LIST_DIR}/record_text.h
  ${CMAKE_CURRENT_LIST_DIR}/record_text.cpp)
target_include_directories(trzn_config_text PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(trzn_config_text PUBLIC Qt6::Core PRIVATE trzn_platform_base)
