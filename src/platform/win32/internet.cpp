// HTTP over WinINet.
#include <windows.h>
#include <wininet.h>

#include "platform/platform.h"

PlatHandle plat_internet_open(const char* agent) {
  return InternetOpenA(agent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
}

PlatHandle plat_internet_open_url(PlatHandle internet, const char* address) {
  return InternetOpenUrlA(static_cast<HINTERNET>(internet), address, nullptr, 0,
                          INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_UI, 0);
}

static bool query_number(PlatHandle request, DWORD query, unsigned* value) {
  DWORD number = 0;
  DWORD size = sizeof number;
  if (!HttpQueryInfoA(static_cast<HINTERNET>(request), query | HTTP_QUERY_FLAG_NUMBER, &number,
                      &size, nullptr)) {
    return false;
  }
  *value = number;
  return true;
}

bool plat_http_content_length(PlatHandle request, unsigned* length) {
  return query_number(request, HTTP_QUERY_CONTENT_LENGTH, length);
}

bool plat_http_status(PlatHandle request, unsigned* status) {
  return query_number(request, HTTP_QUERY_STATUS_CODE, status);
}

bool plat_internet_read(PlatHandle request, void* buffer, unsigned size, unsigned* read) {
  DWORD done = 0;
  BOOL ok = InternetReadFile(static_cast<HINTERNET>(request), buffer, size, &done);
  *read = done;
  return ok != 0;
}

void plat_internet_close(PlatHandle handle) { InternetCloseHandle(static_cast<HINTERNET>(handle)); }
