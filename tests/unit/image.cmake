q9tx_add_gtest(image_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/image/capcode_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/image/config_image_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/image/folder_slots_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/image/frequency_text_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/image/image_file_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/image/image_layout_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/image/image_validation_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/image/rf_word_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/image/settings_file_io_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/image/settings_model_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/image/settings_round_trip_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/image/status_texts_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/image/text_test.cpp
  LIBS q9tx_image)
