# Tests of the main window: its controls, start-up, message handling, the mechanisms
# the editor's rules build on, and its edges (refusals that say why, held time
# entries, drops anywhere).
foreach(test inventory startup message_handler field_events error_box settings_refusal window_edges
             keeps_work)
  q9tx_add_window_test(window_${test}_test SOURCES window/${test}_test.cpp)
endforeach()
