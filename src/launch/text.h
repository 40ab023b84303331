// Bounded text helpers shared by every stage. All texts are NUL-terminated
// byte strings in the ANSI code page.
#pragma once

#include <stddef.h>

// Equal when the bytes match with A-Z folded onto a-z; no other byte is
// folded and no locale is consulted.
bool equals_ignoring_case(const char* a, const char* b);
// Copies `text` into `buffer` only when it fits whole (with its NUL);
// otherwise leaves `buffer` untouched and returns false.
bool copy_text(char* buffer, size_t size, const char* text);
// Appends `text` to the string in `buffer` only when the result fits whole.
bool append_text(char* buffer, size_t size, const char* text);
