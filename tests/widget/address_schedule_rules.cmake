# The address and schedule rules and the settings validation on the real window.
q9tx_add_window_test(address_schedule_rules_test SOURCES address_schedule_rules/address_schedule_rules_test.cpp)
