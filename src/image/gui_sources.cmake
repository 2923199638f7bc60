target_sources(q9tx_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/image_conversion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/operation_frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_files.cpp
)
