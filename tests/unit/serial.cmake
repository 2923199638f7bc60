q9tx_add_gtest(serial_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/serial/serial_test_main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/serial/line_settings_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/serial/posix_serial_port_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/serial/udev_device_monitor_test.cpp
  LIBS q9tx_serial)
q9tx_add_gtest(pager_sim_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/serial/serial_test_main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/serial/pager_behaviour_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/serial/simulated_pager_test.cpp
  LIBS pager_sim q9tx_serial)
