# The fault matrix: link faults end to end against the simulated pager. Its rows are
# split over several CTest processes, so that they can run side by side.
set(Q9TX_FAULT_SHARDS 4)
add_executable(fault_matrix_test ${CMAKE_CURRENT_LIST_DIR}/faults/fault_matrix_test.cpp)
target_link_libraries(fault_matrix_test PRIVATE q9tx_gui pager_sim Qt6::Test Qt6::Widgets)
target_include_directories(fault_matrix_test PRIVATE
  ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_LIST_DIR}/transfer
  ${CMAKE_CURRENT_SOURCE_DIR}/widget ${CMAKE_CURRENT_SOURCE_DIR}/widget/conversion)
set(Q9TX_FAULT_TESTS)
math(EXPR last_shard "${Q9TX_FAULT_SHARDS} - 1")
foreach(shard RANGE ${last_shard})
  list(APPEND Q9TX_FAULT_TESTS fault_matrix_${shard})
  add_test(NAME fault_matrix_${shard} COMMAND fault_matrix_test --shard ${shard}/${Q9TX_FAULT_SHARDS})
  set_tests_properties(fault_matrix_${shard} PROPERTIES LABELS "widget;e2e" TIMEOUT 600
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endforeach()
