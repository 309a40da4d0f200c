# Presets: the name dialog, its controller and the preset folder's rules (listing, proposal,
# name check).
add_library(trzn_config_preset STATIC
  ${CMAKE_CURRENT_LIST_DIR}/TRZN_PresetName.h
  ${CMAKE_CURRENT_LIST_DIR}/TRZN_PresetName.cpp
  ${CMAKE_CURRENT_LIST_DIR}/presetNameModal.ui
  ${CMAKE_CURRENT_LIST_DIR}/preset_list.h
  ${CMAKE_CURRENT_LIST_DIR}/preset_list.cpp)
target_include_directories(trzn_config_preset PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(trzn_config_preset
  PUBLIC trzn_settings Qt6::Widgets
  PRIVATE trzn_config_text trzn_platform_base trzn_platform_ui)
