# The user paper list editor: its panel, controller and the list operations.
add_library(trzn_config_paper ALIAS trzn_config)
target_sources(trzn_config PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TRZN_Paper.h
  ${CMAKE_CURRENT_LIST_DIR}/TRZN_Paper.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trznPaperModal.ui
  ${CMAKE_CURRENT_LIST_DIR}/paper_list.h
  ${CMAKE_CURRENT_LIST_DIR}/paper_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paper_fields.h
  ${CMAKE_CURRENT_LIST_DIR}/paper_fields.cpp)
target_link_libraries(trzn_config PUBLIC trzn_settings Qt6::Widgets PRIVATE trzn_platform_ui)
