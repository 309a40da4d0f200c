# Whether a typed text survives the trip into a record's text field; shared by the window, the
# paper list editor and the preset name dialog.
add_library(trzn_config_text ALIAS trzn_config)
target_sources(trzn_config PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/record_text.h
  ${CMAKE_CURRENT_LIST_DIR}/record_text.cpp)
target_link_libraries(trzn_config PUBLIC Qt6::Core PRIVATE trzn_platform_base)
