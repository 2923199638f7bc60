# q9tx read and q9tx write as processes against the simulated pager over a pseudo-terminal.
q9tx_add_qtest(cli_e2e_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/cli/cli_e2e_test.cpp
  LIBS q9tx_image q9tx_link pager_sim
  LABELS e2e)
add_dependencies(cli_e2e_test q9tx)
target_compile_definitions(cli_e2e_test PRIVATE Q9TX_CLI="$<TARGET_FILE:q9tx>")
