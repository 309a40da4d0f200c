# Presets: the name dialog, its controller and the preset folder's rules (listing, proposal,
# name check).
add_library(trzn_config_preset ALIAS trzn_config)
target_sources(trzn_config PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TRZN_PresetName.h
  ${CMAKE_CURRENT_LIST_DIR}/TRZN_PresetName.cpp
  ${CMAKE_CURRENT_LIST_DIR}/presetNameModal.ui
  ${CMAKE_CURRENT_LIST_DIR}/preset_list.h
  ${CMAKE_CURRENT_LIST_DIR}/preset_list.cpp)
target_link_libraries(trzn_config PUBLIC trzn_settings Qt6::Widgets PRIVATE trzn_platform_ui)
