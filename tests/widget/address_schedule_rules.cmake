# The address and schedule rules and the settings validation on the real window.
q9tx_add_qtest(address_schedule_rules_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/address_schedule_rules/address_schedule_rules_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/fake_link.h
  LIBS q9tx_gui)
target_include_directories(address_schedule_rules_test PRIVATE ${CMAKE_CURRENT_LIST_DIR})
