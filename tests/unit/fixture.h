// A fake install folder with every inactive name, shared by the host tests.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "launch/command_line.h"
#include "platform/test_double/platform_double.h"

namespace fixture {

inline const std::vector<std::string>& inactive_names() {
  static const std::vector<std::string> names = {
      "Window.big", "Maps.big", "INI.big", "English.big", "QueltArt.Quelt",
      "QueltAudio.Quelt", "QueltINI.Quelt", "QueltMaps.Quelt", "QueltWindow.Quelt",
      "QueltExpack01.quelt", "QueltExpack01_Art.Quelt", "QueltExpack02.quelt",
      "QueltExpack02_Art.Quelt", "Data\\scripts", "QueltEnglish.quelt",
      "Art\\Textures\\SMGERMANFLAG", "Art\\Textures\\AHOUSE", "Art\\Textures\\GHOUSE",
      "Art\\Textures\\RHOUSE", "generals.exe"};
  return names;
}

// Resets the double to a full, inactive install folder whose files each
// hold their own name, and parses `command_line`.
inline void install_folder(const char* command_line = "gamelauncher.exe") {
  fake::reset();
  for (const auto& name : inactive_names()) fake::world().files[name] = "content of " + name;
  fake::world().files["Data\\scripts"] = "<folder>";
  fake::world().command_line = command_line;
  parse_arguments(command_line);
}

// The renames in the log, in order, as "from > to" (failed ones marked).
inline std::vector<std::string> renames() {
  std::vector<std::string> result;
  for (const auto& line : fake::world().log) {
    if (line.rfind("rename ", 0) == 0) result.push_back(line.substr(7));
  }
  return result;
}

// Runs `body`, which must end the process, and returns the exit code.
template <typename Body>
unsigned exit_code_of(Body body) {
  try {
    body();
  } catch (const fake::ProcessExit& exit) {
    return exit.code;
  }
  ADD_FAILURE() << "the process did not end";
  return 0xDEADBEEF;
}

}  // namespace fixture
