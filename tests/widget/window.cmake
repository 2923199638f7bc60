# Tests of the main window: its controls, start-up, message handling, the mechanisms
# the editor's rules build on, and its edges (refusals that say why, held time
# entries, drops anywhere).
foreach(test inventory startup message_handler field_events error_box settings_refusal window_edges
             keeps_work)
  q9tx_add_window_test(window_${test}_test SOURCES window/${test}_test.cpp)
endforeach()

# The window on a 1280x800 laptop screen, at scale 1.0 and at 1.75.
q9tx_add_window_test(window_screen_fit_test SOURCES window/screen_fit_test.cpp)
set(laptop_screen "QT_QPA_PLATFORM=offscreen:configfile=${CMAKE_CURRENT_LIST_DIR}/window/screen_1280x800.json")
set_tests_properties(window_screen_fit_test PROPERTIES ENVIRONMENT "${laptop_screen}")
add_test(NAME window_screen_fit_scaled_test COMMAND window_screen_fit_test)
set_tests_properties(window_screen_fit_scaled_test PROPERTIES LABELS widget TIMEOUT 600
  ENVIRONMENT "${laptop_screen};QT_SCALE_FACTOR=1.75")
