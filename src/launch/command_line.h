// The launcher's own command line, read once into the process-wide request.
#pragma once

#include <stddef.h>

// Rename pairs laid end to end: inactive name, NUL, active name, NUL, ...;
// the list ends where the next inactive name would be empty.
const size_t kSwapListSize = 1024;
typedef char SwapList[kSwapListSize];

const size_t kTextFieldSize = 256;  // words, program name and command line

struct LaunchRequest {
  bool args_given;                          // true once a first word was read
  char target_program[kTextFieldSize];      // application name to start
  char target_command_line[kTextFieldSize]; // its complete command line
  SwapList extra_swaps;                     // pairs added by options
  size_t extra_swaps_end;                   // bytes of extra_swaps used
};

// Lives as long as the process; written only by parse_command_line.
extern LaunchRequest g_launch_request;

// The program each deliverable starts when "-launch" is not given; fixed at
// build time per deliverable.
extern const char kDefaultTargetProgram[];

// Splits the next space-separated word off `*cursor` into `word` (256 bytes)
// and leaves the cursor on the space after it. An empty word means the text
// is used up. Returns false, with `word` empty, for a word of 256 or more
// characters, which no buffer of the request could hold.
bool next_token(const char** cursor, char* word);

// Where the arguments begin in a full command line (after the program name).
const char* argument_tail(const char* command_line);

// Fills g_launch_request from `command_line` (program name first).
void parse_arguments(const char* command_line);
// Fills g_launch_request from the process command line.
void parse_command_line();
