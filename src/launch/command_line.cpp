#include "launch/command_line.h"

#include <string.h>

#include "launch/text.h"
#include "platform/platform.h"

LaunchRequest g_launch_request;

namespace {

struct PassThroughOption {
  const char* word;
  const char* appended;  // begins with a space
};

// Searched in this order; a repeated option appends its text again.
const PassThroughOption kOptionTable[] = {
    {"-mapscriptdebug", " -win -scriptDebug"},
    {"-quickstart", " -noshellmap"},
    {"-particleEditor", " -win -particleEdit"},
    {"-Modification", " -mod QueltModification.big"},
};

struct PackRecord {
  const char* option;
  char pairs[84];  // two pairs laid end to end, as they go into extra_swaps
};

const PackRecord kPackRecords[] = {
    {"-ExPack01",
     "QueltExpack01.quelt\0QueltExpack01.big\0QueltExpack01_Art.Quelt\0QueltExpack01_Art.big"},
    {"-ExPack02",
     "QueltExpack02.quelt\0QueltExpack02.big\0QueltExpack02_Art.Quelt\0QueltExpack02_Art.big"},
};

// Whether `bytes` more bytes of pair data fit before the list's closing NUL.
bool swap_room_for(size_t bytes) {
  return g_launch_request.extra_swaps_end + bytes + 1 <= kSwapListSize;
}

void store_swap_bytes(const char* data, size_t bytes) {
  memcpy(g_launch_request.extra_swaps + g_launch_request.extra_swaps_end, data, bytes);
  g_launch_request.extra_swaps_end += bytes;
}

// Handles one word; false ends parsing. Every option that would not fit its
// buffer ends parsing too, before anything of it is stored, so what was
// recorded up to there stays whole and in force.
bool apply_word(const char* word, const char** cursor) {
  LaunchRequest& request = g_launch_request;
  for (const PassThroughOption& option : kOptionTable) {
    if (strcmp(word, option.word) == 0) {
      return append_text(request.target_command_line, sizeof request.target_command_line,
                         option.appended);
    }
  }
  for (const PackRecord& pack : kPackRecords) {
    if (strcmp(word, pack.option) == 0) {
      if (!swap_room_for(sizeof pack.pairs)) return false;
      store_swap_bytes(pack.pairs, sizeof pack.pairs);
      return true;
    }
  }
  if (strcmp(word, "-extrarename") == 0) {
    char inactive[kTextFieldSize];
    char active[kTextFieldSize];
    if (!next_token(cursor, inactive) || inactive[0] == '\0') return false;
    size_t inactive_bytes = strlen(inactive) + 1;
    if (!swap_room_for(inactive_bytes)) return false;
    bool have_active = next_token(cursor, active);
    if (have_active && active[0] != '\0') {
      size_t active_bytes = strlen(active) + 1;
      if (!swap_room_for(inactive_bytes + active_bytes)) return false;
      store_swap_bytes(inactive, inactive_bytes);
      store_swap_bytes(active, active_bytes);
      return true;
    }
    // A missing active name leaves the inactive one paired with an empty
    // name; the activation then fails on it and says so.
    if (have_active) store_swap_bytes(inactive, inactive_bytes);
    return false;
  }
  if (strcmp(word, "-launch") == 0) {
    char program[kTextFieldSize];
    if (!next_token(cursor, program) || program[0] == '\0') return false;
    return copy_text(request.target_program, sizeof request.target_program, program);
  }
  return false;  // an unknown word ends parsing silently
}

}  // namespace

bool next_token(const char** cursor, char* word) {
  const char* p = *cursor;
  while (*p == ' ') ++p;  // only spaces separate words; a tab is a character
  size_t length = 0;
  while (p[length] != '\0' && p[length] != ' ') ++length;
  *cursor = p + length;
  if (length >= kTextFieldSize) {
    word[0] = '\0';
    return false;
  }
  memcpy(word, p, length);
  word[length] = '\0';
  return true;
}

const char* argument_tail(const char* command_line) {
  const char* p = command_line;
  if (*p == '"') {
    const char* quote = strchr(p + 1, '"');
    return quote ? quote + 1 : p + strlen(p);
  }
  if (*p == '\0') return p;
  const char* space = strchr(p + 1, ' ');
  return space ? space + 1 : p + strlen(p);
}

void parse_arguments(const char* command_line) {
  LaunchRequest& request = g_launch_request;
  // The whole record is cleared, so the list is always ended by zero bytes
  // after the last stored name, however parsing stops.
  memset(&request, 0, sizeof request);
  copy_text(request.target_command_line, sizeof request.target_command_line, "-showTeamDot");
  copy_text(request.target_program, sizeof request.target_program, kDefaultTargetProgram);

  const char* cursor = argument_tail(command_line);
  char word[kTextFieldSize];
  bool fits = next_token(&cursor, word);
  if (fits && word[0] == '\0') return;
  request.args_given = true;
  if (!fits) return;
  while (word[0] != '\0') {
    if (!apply_word(word, &cursor)) return;
    if (!next_token(&cursor, word)) return;
  }
  request.extra_swaps[request.extra_swaps_end] = '\0';
}

void parse_command_line() { parse_arguments(plat_command_line()); }
