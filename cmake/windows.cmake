# The two programs, and the small Windows helpers the end-to-end tests use.
enable_language(RC)

add_library(launcher_logic OBJECT ${LAUNCHER_LOGIC_SOURCES})
add_library(launcher_win32 OBJECT
    src/platform/win32/files.cpp
    src/platform/win32/internet.cpp
    src/platform/win32/process.cpp
    src/platform/win32/user.cpp
    src/ui/splash.cpp
    src/ui/download_dialog.cpp)
foreach(lib launcher_logic launcher_win32)
  target_include_directories(${lib} PUBLIC src)
  target_compile_options(${lib} PRIVATE ${LAUNCHER_WARNINGS} -fno-exceptions -fno-rtti)
endforeach()

# Only system DLLs at run time: the C++ runtime is linked in.
set(LAUNCHER_LINK_OPTIONS -static -static-libgcc -static-libstdc++ -mwindows $<$<CONFIG:Release>:-s>)

function(add_launcher name default_target)
  add_executable(${name} WIN32 src/main.cpp src/launch/deliverable.cpp
                 src/ui/resources/${name}.rc)
  target_compile_options(${name} PRIVATE
      $<$<COMPILE_LANGUAGE:CXX>:${LAUNCHER_WARNINGS} -fno-exceptions -fno-rtti>)
  target_compile_definitions(${name} PRIVATE
      $<$<COMPILE_LANGUAGE:CXX>:LAUNCHER_DEFAULT_TARGET="${default_target}">
      $<$<COMPILE_LANGUAGE:CXX>:LAUNCHER_VERSION_URL="${LAUNCHER_VERSION_URL}">)
  target_include_directories(${name} PRIVATE src src/ui/resources)
  target_link_libraries(${name} PRIVATE launcher_win32 launcher_logic wininet comctl32 shell32)
  target_link_options(${name} PRIVATE ${LAUNCHER_LINK_OPTIONS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endfunction()

add_launcher(gamelauncher generals.exe)
add_launcher(editorlauncher worldbuilder.exe)

# Test helpers, never shipped: stand-ins for the host game and the patch.
foreach(helper stub_target stub_patch baseline_launcher)
  add_executable(${helper} tests/e2e/stubs/${helper}.c)
  target_compile_options(${helper} PRIVATE -Wall -Wextra -Werror)
  target_link_options(${helper} PRIVATE -static)
  set_target_properties(${helper} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/stubs)
endforeach()
