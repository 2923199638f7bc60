# Tests of the main window: its controls, start-up, message handling and the
# mechanisms the editor's rules build on.
foreach(test inventory startup message_handler field_events error_box)
  q9tx_add_qtest(window_${test}_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/window/${test}_test.cpp ${CMAKE_CURRENT_LIST_DIR}/fake_link.h
    LIBS q9tx_gui)
  target_include_directories(window_${test}_test PRIVATE ${CMAKE_CURRENT_LIST_DIR})
endforeach()

# The edges of the window: refusals that say why, held time entries, drops anywhere.
foreach(test settings_refusal window_edges)
  q9tx_add_qtest(window_${test}_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/window/${test}_test.cpp ${CMAKE_CURRENT_LIST_DIR}/fake_link.h
    LIBS q9tx_gui)
  target_include_directories(window_${test}_test PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_LIST_DIR}/conversion)
endforeach()
