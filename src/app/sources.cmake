target_sources(q9tx_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/error_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/operation_frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/q9tx_application.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_compare.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_texts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tform1.cpp
)
target_compile_definitions(q9tx_gui PUBLIC Q9TX_VERSION="${PROJECT_VERSION}")
