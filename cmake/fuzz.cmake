# libFuzzer targets (clang only), each run for a bounded time by CTest.
option(LAUNCHER_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
set(LAUNCHER_FUZZ_SECONDS 30 CACHE STRING "How long CTest runs each fuzz target")
if(NOT LAUNCHER_FUZZ)
  return()
endif()

# Coverage for the code under test, not only for the fuzz targets themselves.
target_compile_options(launcher_logic PRIVATE -fsanitize=fuzzer-no-link)
target_compile_options(launcher_double PRIVATE -fsanitize=fuzzer-no-link)

foreach(target command_line version_file settings)
  add_executable(fuzz_${target} tests/fuzz/fuzz_${target}.cpp)
  target_compile_options(fuzz_${target} PRIVATE -fsanitize=fuzzer)
  target_link_options(fuzz_${target} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(fuzz_${target} PRIVATE
      -Wl,--start-group launcher_logic launcher_double -Wl,--end-group)
  # New inputs go to a scratch folder; the committed seeds stay as they are.
  add_test(NAME fuzz.${target}
           COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
                   $<TARGET_FILE:fuzz_${target}> -max_total_time=${LAUNCHER_FUZZ_SECONDS}
                   -print_final_stats=1 -timeout=10
                   ${CMAKE_BINARY_DIR}/fuzz-corpus/${target}
                   ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${target})
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz-corpus/${target})
  set_tests_properties(fuzz.${target} PROPERTIES TIMEOUT 600)
endforeach()
