// The launcher's view of the operating system. Every service the logic needs
// goes through these functions, so the logic builds on any host: the Win32
// implementation lives in win32/, the recording test double in test_double/.
#pragma once

#include <stddef.h>
#include <stdint.h>

typedef void* PlatHandle;    // process, file or Internet handle; null when none
typedef void* PlatWindow;    // a window (HWND); null for "no owner"
typedef void* PlatInstance;  // the module the resources come from (HINSTANCE)

// Message-box types and answers, with the values Windows gives them.
const unsigned kMbIconWarning = 0x30;      // MB_ICONEXCLAMATION, OK button
const unsigned kMbIconError = 0x10;        // MB_ICONHAND, OK button
const unsigned kMbOkCancelInfo = 0x41;     // MB_OKCANCEL | MB_ICONINFORMATION
const int kIdOk = 1;
const int kIdCancel = 2;

// Window messages the download worker sends to the dialog's controls.
const unsigned kMsgSetText = 0x000C;       // WM_SETTEXT
const unsigned kPbmSetPos = 0x0402;        // PBM_SETPOS
const unsigned kPbmSetRange32 = 0x0406;    // PBM_SETRANGE32

// --- launch -----------------------------------------------------------------
// The whole command line, program name first; owned by the system.
const char* plat_command_line();
// Starts `application` (no search path) with `command_line` as its complete
// command line, not inherited, in the current folder. `hidden` starts it with
// its window hidden. On success `*process` receives a handle to close.
bool plat_start_process(const char* application, char* command_line, bool hidden,
                        PlatHandle* process);
// Returns once the process has ended; no time limit.
void plat_wait_process(PlatHandle process);
void plat_close_handle(PlatHandle handle);
void plat_sleep(unsigned milliseconds);
// Milliseconds since some fixed moment; wraps after 49.7 days.
unsigned plat_tick_count();
// Ends the whole process at once; nothing runs after it.
[[noreturn]] void plat_exit_process(unsigned code);

// --- files and settings -----------------------------------------------------
// Renames a file or folder. Fails when `from` is missing or `to` exists: a
// rename never replaces anything.
bool plat_rename(const char* from, const char* to);
// One value of an INI file; `fallback` when key or file is missing. Cuts at
// size - 1 characters; always NUL-terminated.
void plat_read_profile_string(const char* section, const char* key, const char* fallback,
                              char* buffer, unsigned size, const char* file);
// Reads a value of a key under HKEY_LOCAL_MACHINE, in the registry view of a
// 32-bit program. `*size` is the room in `data` on entry and the bytes
// stored on return. The data is not NUL-terminated by this call.
bool plat_read_machine_registry(const char* key_path, const char* value_name, void* data,
                                unsigned* size);
// Creates `name` anew for reading and writing, not shared.
PlatHandle plat_create_file(const char* name);
bool plat_write_file(PlatHandle file, const void* data, unsigned size, unsigned* written);
bool plat_delete_file(const char* name);
// Writes `text` to `name` through a text-mode stream ("w"): each line feed
// reaches the disk as CR LF.
bool plat_write_text_file(const char* name, const char* text);

// --- user interface ---------------------------------------------------------
// Blocks until dismissed; returns the button chosen (kIdOk, kIdCancel).
int plat_message_box(PlatWindow owner, const char* text, const char* caption, unsigned type);
// Opens `address` with the user's browser ("open", shown normally).
void plat_open_in_browser(const char* address);
bool plat_window_exists(PlatWindow window);
// A synchronous message to control `control_id` of `dialog`.
void plat_send_item_message(PlatWindow dialog, int control_id, unsigned message,
                            uintptr_t wparam, intptr_t lparam);
// Asks the dialog, from any thread, to end with `result`.
void plat_end_dialog_from_worker(PlatWindow dialog, int result);
// Runs `routine(parameter)` on a new thread that nobody waits for.
bool plat_start_thread(void (*routine)(void*), void* parameter);

// --- Internet ---------------------------------------------------------------
PlatHandle plat_internet_open(const char* agent);
// Opens `address` bypassing the cache and without any dialog of its own.
PlatHandle plat_internet_open_url(PlatHandle internet, const char* address);
// The Content-Length of the answer; false when the server sent none.
bool plat_http_content_length(PlatHandle request, unsigned* length);
// The HTTP status code of the answer.
bool plat_http_status(PlatHandle request, unsigned* status);
// True with *read == 0 at the end of the body; false on failure.
bool plat_internet_read(PlatHandle request, void* buffer, unsigned size, unsigned* read);
void plat_internet_close(PlatHandle handle);
