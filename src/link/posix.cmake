add_library(q9tx_serial STATIC
  ${CMAKE_CURRENT_LIST_DIR}/posix/device_group.cpp
  ${CMAKE_CURRENT_LIST_DIR}/posix/hang_up_notice.h
  ${CMAKE_CURRENT_LIST_DIR}/posix/open_failure_errno.cpp
  ${CMAKE_CURRENT_LIST_DIR}/posix/pager_line_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/posix/posix_serial_port.cpp
  ${CMAKE_CURRENT_LIST_DIR}/posix/receive_thread.cpp
  ${CMAKE_CURRENT_LIST_DIR}/posix/sysfs_tty_poll.cpp
  ${CMAKE_CURRENT_LIST_DIR}/posix/udev_device_monitor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/posix/udev_event_source.cpp
)
target_include_directories(q9tx_serial PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/..)
target_link_libraries(q9tx_serial PUBLIC Qt6::Core PkgConfig::UDEV)
