q9tx_add_gtest(image_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/image/status_error_test.cpp LIBS q9tx_image)
