# The programmer against the simulated pager over a pseudo-terminal.
q9tx_add_qtest(e2e_link_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/link/link_e2e_test.cpp ${CMAKE_CURRENT_LIST_DIR}/pager_bench.h
  LIBS q9tx_gui pager_sim
  LABELS e2e)
target_include_directories(e2e_link_test PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/widget)
