# On the real window:
#  conversion: encoding the editor into an image and decoding an image into it;
#  round_trip: thousands of generated images through the window and back, from a fixed seed;
#  loaded_values: values beyond what the user may type, beyond the editor's ranges, and old marks;
#  settings_model_crosscheck: the settings model against the window's own conversion;
#  settings_view: showing and collecting settings: unreadable fields, values beyond a list's items.
foreach(test conversion round_trip loaded_values settings_model_crosscheck settings_view)
  q9tx_add_window_test(${test}_test SOURCES conversion/${test}_test.cpp conversion/conversion_support.h)
endforeach()
