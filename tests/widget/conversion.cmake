# Encoding the editor into an image and decoding an image into it, on the real window.
q9tx_add_qtest(conversion_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/conversion/conversion_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/conversion/conversion_support.h ${CMAKE_CURRENT_LIST_DIR}/fake_link.h
  LIBS q9tx_gui)
target_include_directories(conversion_test PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_LIST_DIR}/conversion)

# Thousands of generated images through the window and back, from a fixed seed.
q9tx_add_qtest(round_trip_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/conversion/round_trip_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/conversion/conversion_support.h ${CMAKE_CURRENT_LIST_DIR}/fake_link.h
  LIBS q9tx_gui)
target_include_directories(round_trip_test PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_LIST_DIR}/conversion)

# Values beyond what the user may type, beyond the editor's ranges, and old marks.
q9tx_add_qtest(loaded_values_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/conversion/loaded_values_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/conversion/conversion_support.h ${CMAKE_CURRENT_LIST_DIR}/fake_link.h
  LIBS q9tx_gui)
target_include_directories(loaded_values_test PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_LIST_DIR}/conversion)

# The settings model against the window's own conversion.
q9tx_add_qtest(settings_model_crosscheck_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/conversion/settings_model_crosscheck_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/conversion/conversion_support.h ${CMAKE_CURRENT_LIST_DIR}/fake_link.h
  LIBS q9tx_gui)
target_include_directories(settings_model_crosscheck_test PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_LIST_DIR}/conversion)

# Showing and collecting settings: unreadable fields, values beyond a list's items.
q9tx_add_qtest(settings_view_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/conversion/settings_view_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/conversion/conversion_support.h ${CMAKE_CURRENT_LIST_DIR}/fake_link.h
  LIBS q9tx_gui)
target_include_directories(settings_view_test PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_LIST_DIR}/conversion)
