# The read and write machines without a window: message by message with a fake link.
q9tx_add_gtest(transfer_machine_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/transfer/transfer_test_main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/transfer/read_machine_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/transfer/write_machine_test.cpp
  LIBS q9tx_transfer pager_sim)
target_include_directories(transfer_machine_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/widget)
