q9tx_add_gtest(link_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/link/adapter_discovery_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/link/frame_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/link/pager_link_test.cpp
  LIBS q9tx_link
)
# The udev rule made for the installation, which must cover every cable discovery finds.
target_compile_definitions(link_tests PRIVATE Q9TX_UDEV_RULE="${PROJECT_BINARY_DIR}/packaging/70-q9tx-programmer.rules")
