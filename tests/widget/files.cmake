# Settings files on the real window:
#  settings_files: save, load, drop and the dialogs;
#  settings_compare: File, Compare with File...: the differing settings, refusals, an untouched editor.
foreach(test settings_files settings_compare)
  q9tx_add_window_test(${test}_test SOURCES files/${test}_test.cpp conversion/conversion_support.h)
endforeach()
