# The configuration window: everything but the entry point lives in trzn_config, which the
# program and the tests link alike.
target_sources(trzn_config PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TRZN_Config.h
  ${CMAKE_CURRENT_LIST_DIR}/TRZN_Config.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_sections.h
  ${CMAKE_CURRENT_LIST_DIR}/window_sections.cpp
  ${CMAKE_CURRENT_LIST_DIR}/config_units.h
  ${CMAKE_CURRENT_LIST_DIR}/config_units.cpp
  ${CMAKE_CURRENT_LIST_DIR}/config_presets.h
  ${CMAKE_CURRENT_LIST_DIR}/config_presets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/config_preview.h
  ${CMAKE_CURRENT_LIST_DIR}/config_preview.cpp
  ${CMAKE_CURRENT_LIST_DIR}/config_texts.h
  ${CMAKE_CURRENT_LIST_DIR}/config_texts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/config_flow.h
  ${CMAKE_CURRENT_LIST_DIR}/config_flow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/config_destination.h
  ${CMAKE_CURRENT_LIST_DIR}/config_destination.cpp
  ${CMAKE_CURRENT_LIST_DIR}/config_checks.h
  ${CMAKE_CURRENT_LIST_DIR}/config_checks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/config_knife.h
  ${CMAKE_CURRENT_LIST_DIR}/config_knife.cpp
  ${CMAKE_CURRENT_LIST_DIR}/config_outlines.h
  ${CMAKE_CURRENT_LIST_DIR}/config_outlines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/save_failure.h
  ${CMAKE_CURRENT_LIST_DIR}/save_failure.cpp
  ${CMAKE_CURRENT_LIST_DIR}/config_fields.h
  ${CMAKE_CURRENT_LIST_DIR}/config_fields.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_preview_model.h
  ${CMAKE_CURRENT_LIST_DIR}/page_preview_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TRZN_PagePreview.h
  ${CMAKE_CURRENT_LIST_DIR}/TRZN_PagePreview.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trznConfigModal.ui)
target_link_libraries(trzn_config
  PUBLIC trzn_settings Qt6::Widgets
  PRIVATE trzn_platform_base trzn_platform_line trzn_platform_queue trzn_platform_ui)

add_executable(TRZNSerConfig ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(TRZNSerConfig PRIVATE trzn_config trzn_platform_ui)
