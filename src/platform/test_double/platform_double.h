// A recording stand-in for the operating system, for host tests. It keeps a
// small in-memory folder, settings file and registry, plays scripted
// answers, and logs every call in order. Test-only: it may use the STL.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace fake {

// Thrown by plat_exit_process so a test can observe the end of the process.
struct ProcessExit {
  unsigned code;
};

struct MessageBoxCall {
  PlatWindow owner;
  std::string text;
  std::string caption;
  unsigned type;
};

struct ProcessStart {
  std::string application;
  std::string command_line;  // "<none>" when no command line was given
  bool hidden;
};

// One scripted answer of the HTTP server, by address.
struct HttpAnswer {
  bool reachable = true;           // false: opening the address fails
  bool has_length = true;          // whether Content-Length is sent
  unsigned length = 0;             // the announced length (body size when not set)
  bool length_set = false;
  unsigned status = 200;
  std::vector<std::string> chunks;  // each read returns one chunk
  int fail_read_at = -1;           // this read (0-based) fails
};

struct World {
  std::string command_line = "gamelauncher.exe";
  // The install folder: name -> content. A folder is an entry of its own.
  std::map<std::string, std::string> files;
  bool ini_present = true;
  std::map<std::string, std::string> settings;  // section "settings" only
  bool registry_key_present = true;
  bool registry_value_present = true;
  std::string registry_language = "English";  // the raw bytes stored
  std::deque<int> message_box_answers;         // kIdOk when empty
  std::vector<MessageBoxCall> message_boxes;
  bool process_start_fails = false;
  std::vector<ProcessStart> processes;
  bool internet_open_fails = false;
  std::map<std::string, HttpAnswer> http;
  std::vector<std::string> browser;            // addresses opened
  int window_checks_left = -1;                 // -1: the dialog lives for ever
  int write_fails_at = -1;                     // this write (0-based) fails
  bool short_write = false;                    // the failing write writes half
  bool text_write_fails = false;
  std::vector<std::string> log;                // every call, in order
  unsigned clock = 0;                          // plat_tick_count's answer
  unsigned clock_step = 1000;                  // added after each reading
  int open_handles = 0;
  int writes = 0;
  std::map<std::string, int> reads;            // reads so far per address
};

World& world();
void reset();

// The names present in the fake folder.
std::vector<std::string> names();

}  // namespace fake
