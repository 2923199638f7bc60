# The q9tx command-line tool on settings files.
q9tx_add_gtest(cli_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/cli/command_line_tool_test.cpp
  LIBS q9tx_cli)
target_compile_definitions(cli_tests PRIVATE Q9TX_CLI_GOLDEN_DIR="${CMAKE_CURRENT_LIST_DIR}/cli/golden"
  Q9TX_VERSION="${PROJECT_VERSION}")

# The real program: a pipe named like a settings file is refused at once, not waited on.
add_test(NAME cli_refuses_a_pipe
  COMMAND sh -c "dir=$(mktemp -d) && mkfifo \"$dir/x.bin\" && timeout 20 \"$0\" show \"$dir/x.bin\"; status=$?; rm -rf \"$dir\"; test $status -eq 2"
          $<TARGET_FILE:q9tx>)
set_tests_properties(cli_refuses_a_pipe PROPERTIES LABELS unit TIMEOUT 60)
