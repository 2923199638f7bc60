# The programmer as a process: its command line and its end by a signal, against the
# simulated pager.
q9tx_add_qtest(program_e2e_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/program/program_e2e_test.cpp
  LIBS pager_sim Qt6::Core
  LABELS e2e)
target_compile_definitions(program_e2e_test PRIVATE Q9TX_PROGRAM="$<TARGET_FILE:q9tx-programmer>")
add_dependencies(program_e2e_test q9tx-programmer)
