# The desktop integration: the window's identity and the settings file type, checked
# against the files that get installed (packaging/ in the source tree).
q9tx_add_qtest(application_identity_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/packaging/application_identity_test.cpp
  LIBS q9tx_gui)
q9tx_add_gtest(mime_type_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/packaging/mime_type_test.cpp
  LIBS Qt6::Core)
foreach(test application_identity_test mime_type_test)
  target_compile_definitions(${test} PRIVATE Q9TX_PACKAGING_DIR="${PROJECT_SOURCE_DIR}/packaging")
endforeach()
