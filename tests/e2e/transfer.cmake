# Read, write and recovery mode: message by message with a fake link, and end to end
# against the simulated pager over a pseudo-terminal.
q9tx_add_qtest(transfer_window_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/transfer/transfer_window_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/transfer/transfer_test_support.h
  LIBS q9tx_gui pager_sim)
q9tx_add_qtest(transfer_e2e_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/transfer/transfer_e2e_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/transfer/transfer_test_support.h ${CMAKE_CURRENT_LIST_DIR}/pager_bench.h
  LIBS q9tx_gui pager_sim
  LABELS e2e)
foreach(test transfer_window_test transfer_e2e_test)
  target_include_directories(${test} PRIVATE
    ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/widget ${CMAKE_CURRENT_SOURCE_DIR}/widget/conversion)
endforeach()
