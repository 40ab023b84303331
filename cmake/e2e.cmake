# End-to-end tests: the real programs under Wine on a private Xvfb display,
# registered when the Windows build they run is given.
set(LAUNCHER_E2E_BUILD "" CACHE PATH "Windows build folder whose programs the end-to-end tests run")
set(LAUNCHER_E2E_ARCH "win32" CACHE STRING "win32, or win64 where 32-bit Wine cannot run")
set(LAUNCHER_RELEASE_BUILD "" CACHE PATH "Windows build folder of the programs as shipped")

set(E2E_DIR ${CMAKE_SOURCE_DIR}/tests/e2e)
set(E2E_WORK ${CMAKE_BINARY_DIR}/e2e)
set(PYTHON /usr/bin/python3)  # Debian's, which has python3-pefile

if(LAUNCHER_RELEASE_BUILD)
  add_test(NAME release.resources_and_dlls
           COMMAND ${PYTHON} ${E2E_DIR}/check_binaries.py ${LAUNCHER_RELEASE_BUILD})
endif()

if(NOT LAUNCHER_E2E_BUILD)
  return()
endif()

add_test(NAME e2e.wine_setup COMMAND ${PYTHON} ${E2E_DIR}/wine_session.py setup ${E2E_WORK} ${LAUNCHER_E2E_ARCH})
add_test(NAME e2e.wine_teardown COMMAND ${PYTHON} ${E2E_DIR}/wine_session.py teardown ${E2E_WORK})
set_tests_properties(e2e.wine_setup PROPERTIES FIXTURES_SETUP wine TIMEOUT 400)
set_tests_properties(e2e.wine_teardown PROPERTIES FIXTURES_CLEANUP wine)

set(LAUNCHER_KILL_TRIALS 30 CACHE STRING "Kill-at-any-moment trials run by CTest")

function(add_e2e_test name)
  add_test(NAME e2e.${name} COMMAND ${PYTHON} -u ${E2E_DIR}/test_${name}.py -v)
  set_e2e_properties(e2e.${name})
endfunction()

function(set_e2e_properties test)
  set_tests_properties(${test} PROPERTIES
      FIXTURES_REQUIRED wine
      RESOURCE_LOCK wine_display  # windows are found by caption on one display
      TIMEOUT 900
      ENVIRONMENT "E2E_WORK=${E2E_WORK};E2E_BUILD=${LAUNCHER_E2E_BUILD};PYTHONDONTWRITEBYTECODE=1")
endfunction()

foreach(name run swap splash update download hostile package)
  if(EXISTS ${E2E_DIR}/test_${name}.py)
    add_e2e_test(${name})
  endif()
endforeach()

add_test(NAME e2e.kill_trials
         COMMAND ${PYTHON} -u ${CMAKE_SOURCE_DIR}/tests/faults/kill_trials.py
                 --trials ${LAUNCHER_KILL_TRIALS} --parallel 6)
set_e2e_properties(e2e.kill_trials)
