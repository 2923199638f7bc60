target_sources(q9tx_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/application_icon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/close_guard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_argument.cpp
  ${CMAKE_CURRENT_LIST_DIR}/focus_return.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help_menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/link_indicator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/link_indicator_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/operation_frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/port_menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/q9tx_application.cpp
  ${CMAKE_CURRENT_LIST_DIR}/read_transfer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_compare.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/single_instance.cpp
  ${CMAKE_CURRENT_LIST_DIR}/termination_signals.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tform1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transfer_frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unsaved_changes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unsaved_question.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_closing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/write_transfer.cpp
)
target_compile_definitions(q9tx_gui PUBLIC Q9TX_VERSION="${PROJECT_VERSION}" Q9TX_APP_ID="${Q9TX_APP_ID}")
# The window icon, also when the programmer runs from the build folder.
set(icon_files)
foreach(size IN LISTS Q9TX_ICON_SIZES)
  list(APPEND icon_files ${PROJECT_SOURCE_DIR}/packaging/icons/hicolor/${size}/apps/q9tx-programmer.png)
endforeach()
qt_add_resources(q9tx_gui q9tx_icons PREFIX /icons BASE ${PROJECT_SOURCE_DIR}/packaging/icons/hicolor
  FILES ${icon_files})
