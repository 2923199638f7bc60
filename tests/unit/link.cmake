q9tx_add_gtest(link_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/link/adapter_discovery_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/link/frame_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/link/pager_link_test.cpp
  LIBS q9tx_link
)
