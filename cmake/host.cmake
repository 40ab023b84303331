# Host build: the logic against the recording test double, the unit tests,
# and the end-to-end tests that run the Windows build under Wine.
enable_testing()
find_package(GTest REQUIRED)

option(LAUNCHER_SANITIZE "Build the host code with AddressSanitizer and UBSan" OFF)
if(LAUNCHER_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

add_library(launcher_logic STATIC ${LAUNCHER_LOGIC_SOURCES})
target_include_directories(launcher_logic PUBLIC src)
target_compile_options(launcher_logic PRIVATE ${LAUNCHER_WARNINGS})

add_library(launcher_double STATIC
    src/platform/test_double/platform_double.cpp
    src/platform/test_double/ui_double.cpp
    src/launch/deliverable.cpp)
target_include_directories(launcher_double PUBLIC src)
target_compile_options(launcher_double PRIVATE ${LAUNCHER_WARNINGS})
target_compile_definitions(launcher_double PRIVATE
    LAUNCHER_DEFAULT_TARGET="generals.exe"
    LAUNCHER_VERSION_URL="http://update.test/launcher/version.html")

add_executable(unit_tests
    tests/unit/command_line_test.cpp
    tests/unit/settings_test.cpp
    tests/unit/mod_files_test.cpp
    tests/unit/run_sequence_test.cpp
    tests/unit/version_check_test.cpp
    tests/unit/patch_download_test.cpp
    tests/unit/splash_placement_test.cpp)
target_compile_options(unit_tests PRIVATE ${LAUNCHER_WARNINGS})
# The two libraries need each other: the logic calls the double, the dialog
# stand-in calls the logic.
target_link_libraries(unit_tests PRIVATE
    -Wl,--start-group launcher_logic launcher_double -Wl,--end-group GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(unit_tests)

include(cmake/e2e.cmake)
include(cmake/fuzz.cmake OPTIONAL)
