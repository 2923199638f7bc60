# The command line's options, journal, backup names and progress display.
q9tx_add_gtest(cli_support_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/cli/journal_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cli/run_options_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cli/support_test.cpp
  LIBS q9tx_cli_support pager_sim)
