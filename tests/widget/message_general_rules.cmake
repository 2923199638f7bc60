# The rules for messages and folders and for the general, alert, decoder and RF
# settings, driven on the real window.
foreach(test message_folder_rules general_rules)
  q9tx_add_window_test(${test}_test
    SOURCES message_general_rules/${test}_test.cpp message_general_rules/window_driver.h)
endforeach()
