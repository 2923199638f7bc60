# The rules for messages and folders and for the general, alert, decoder and RF
# settings, driven on the real window.
foreach(test message_folder_rules general_rules)
  q9tx_add_qtest(${test}_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/message_general_rules/${test}_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/message_general_rules/window_driver.h ${CMAKE_CURRENT_LIST_DIR}/fake_link.h
    LIBS q9tx_gui)
  target_include_directories(${test}_test PRIVATE ${CMAKE_CURRENT_LIST_DIR})
endforeach()
