target_sources(q9tx_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/address_advance.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help_menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/read_transfer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transfer_frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/write_transfer.cpp
)
