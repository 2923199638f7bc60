# Settings files: save, load, drop and the dialogs, on the real window.
q9tx_add_qtest(settings_files_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/files/settings_files_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/conversion/conversion_support.h ${CMAKE_CURRENT_LIST_DIR}/fake_link.h
  LIBS q9tx_gui)
target_include_directories(settings_files_test PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_LIST_DIR}/conversion)

# File, Compare with File...: the differing settings, refusals, an untouched editor.
q9tx_add_qtest(settings_compare_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/files/settings_compare_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/conversion/conversion_support.h ${CMAKE_CURRENT_LIST_DIR}/fake_link.h
  LIBS q9tx_gui)
target_include_directories(settings_compare_test PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_LIST_DIR}/conversion)
