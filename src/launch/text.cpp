#include "launch/text.h"

#include <string.h>

static char fold(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equals_ignoring_case(const char* a, const char* b) {
  for (;; ++a, ++b) {
    if (fold(*a) != fold(*b)) return false;
    if (*a == '\0') return true;
  }
}

bool copy_text(char* buffer, size_t size, const char* text) {
  size_t length = strlen(text);
  if (length >= size) return false;
  memcpy(buffer, text, length + 1);
  return true;
}

bool append_text(char* buffer, size_t size, const char* text) {
  size_t used = strlen(buffer);
  if (used >= size) return false;
  return copy_text(buffer + used, size - used, text);
}
