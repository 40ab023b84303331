// Command line bytes -> the launch request -> an activation and restore over
// the fake folder. The request's buffers must stay bounded and terminated.
#include <assert.h>
#include <stdint.h>
#include <string.h>

#include <string>

#include "launch/command_line.h"
#include "platform/test_double/platform_double.h"
#include "swap/mod_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string line(reinterpret_cast<const char*>(data), size);
  line = line.c_str();  // the system hands over a NUL-terminated string
  fake::reset();
  fake::world().files = {{"Window.big", "w"}, {"a", "a"}, {"QueltExpack01.quelt", "q"}};
  parse_arguments(line.c_str());
  const LaunchRequest& r = g_launch_request;
  assert(strnlen(r.target_program, sizeof r.target_program) < sizeof r.target_program);
  assert(strnlen(r.target_command_line, sizeof r.target_command_line) <
         sizeof r.target_command_line);
  assert(strncmp(r.target_command_line, "-showTeamDot", 12) == 0);
  assert(r.extra_swaps_end < kSwapListSize);
  assert(r.extra_swaps[r.extra_swaps_end] == '\0');
  size_t files = fake::world().files.size();
  try {
    switch_mod_files(kActivate, kStrict);
  } catch (const fake::ProcessExit&) {
  }
  switch_mod_files(kRestore, kLenient);
  assert(fake::world().files.size() == files);  // renames never lose a file
  return 0;
}
