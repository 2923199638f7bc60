# Fuzzing harnesses, one per target; each checks properties of what it feeds, not only
# that nothing crashes. Every file in fuzz/corpus/<target>/ replays as an ordinary test
# with any compiler (fuzz_<target>/<file>). With clang and -DQ9TX_FUZZ=ON each harness is
# also built as a libFuzzer program, <target>_fuzzer; the target `fuzzers` builds them all.
set(Q9TX_FUZZ_DIR ${CMAKE_CURRENT_LIST_DIR}/fuzz)
if(Q9TX_FUZZ)
  add_custom_target(fuzzers)
endif()

# q9tx_add_fuzz_target(name SOURCES ... LIBS ...)
function(q9tx_add_fuzz_target name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  list(TRANSFORM F_SOURCES PREPEND ${Q9TX_FUZZ_DIR}/)
  add_library(${name}_harness OBJECT ${F_SOURCES})
  target_link_libraries(${name}_harness PUBLIC ${F_LIBS})
  target_include_directories(${name}_harness PUBLIC ${Q9TX_FUZZ_DIR} ${CMAKE_CURRENT_LIST_DIR}/widget)

  add_executable(${name}_replay ${Q9TX_FUZZ_DIR}/replay_main.cpp)
  target_link_libraries(${name}_replay PRIVATE ${name}_harness)
  file(GLOB corpus CONFIGURE_DEPENDS ${Q9TX_FUZZ_DIR}/corpus/${name}/*)
  foreach(input IN LISTS corpus)
    get_filename_component(file ${input} NAME)
    add_test(NAME fuzz_${name}/${file} COMMAND ${name}_replay ${input})
    set_tests_properties(fuzz_${name}/${file} PROPERTIES LABELS "fuzz" TIMEOUT 120
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endforeach()

  if(Q9TX_FUZZ)
    add_executable(${name}_fuzzer)
    target_link_libraries(${name}_fuzzer PRIVATE ${name}_harness)
    target_link_options(${name}_fuzzer PRIVATE -fsanitize=fuzzer)
    add_dependencies(fuzzers ${name}_fuzzer)
  endif()
endfunction()

q9tx_add_fuzz_target(frame_link SOURCES frame_link_fuzz.cpp LIBS q9tx_link)
q9tx_add_fuzz_target(texts SOURCES texts_fuzz.cpp LIBS q9tx_gui)
q9tx_add_fuzz_target(image SOURCES image_fuzz.cpp window_conversion_target.cpp LIBS q9tx_gui)
q9tx_add_fuzz_target(settings_file SOURCES settings_file_fuzz.cpp window_conversion_target.cpp LIBS q9tx_gui)
