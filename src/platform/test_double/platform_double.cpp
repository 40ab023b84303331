#include "platform/test_double/platform_double.h"

#include <string.h>

#include <algorithm>
#include <memory>

namespace fake {

namespace {

World* g_world = new World();

// Handles are small records so each kind can be told apart.
struct Handle {
  std::string kind;   // "process", "internet", "request", "file"
  std::string name;   // address or file name
};

Handle* as_handle(PlatHandle h) { return static_cast<Handle*>(h); }

PlatHandle make_handle(const std::string& kind, const std::string& name) {
  ++g_world->open_handles;
  return new Handle{kind, name};
}

void release(PlatHandle h) {
  if (!h) return;
  --g_world->open_handles;
  delete as_handle(h);
}

void log(const std::string& line) { g_world->log.push_back(line); }

HttpAnswer& answer_for(const std::string& address) { return g_world->http[address]; }

}  // namespace

World& world() { return *g_world; }

void reset() {
  delete g_world;
  g_world = new World();
}

std::vector<std::string> names() {
  std::vector<std::string> result;
  for (const auto& entry : g_world->files) result.push_back(entry.first);
  return result;
}

}  // namespace fake

using fake::g_world;

const char* plat_command_line() { return g_world->command_line.c_str(); }

bool plat_start_process(const char* application, char* command_line, bool hidden,
                        PlatHandle* process) {
  fake::ProcessStart start{application, command_line ? command_line : "<none>", hidden};
  g_world->processes.push_back(start);
  bool ok = !g_world->process_start_fails && g_world->files.count(application) != 0;
  fake::log(std::string("start ") + application + (ok ? " ok" : " failed"));
  if (!ok) return false;
  *process = fake::make_handle("process", application);
  return true;
}

void plat_wait_process(PlatHandle process) {
  fake::log("wait " + fake::as_handle(process)->name);
}

void plat_close_handle(PlatHandle handle) {
  fake::log("close " + fake::as_handle(handle)->kind);
  fake::release(handle);
}

void plat_sleep(unsigned milliseconds) { fake::log("sleep " + std::to_string(milliseconds)); }

unsigned plat_tick_count() {
  unsigned now = g_world->clock;
  g_world->clock += g_world->clock_step;
  return now;
}

void plat_exit_process(unsigned code) {
  fake::log("exit " + std::to_string(code));
  throw fake::ProcessExit{code};
}

bool plat_rename(const char* from, const char* to) {
  auto& files = g_world->files;
  bool ok = to[0] != '\0' && files.count(from) != 0 && files.count(to) == 0;
  if (ok) {
    files[to] = files[from];
    files.erase(from);
  }
  fake::log(std::string("rename ") + from + " > " + to + (ok ? "" : " failed"));
  return ok;
}

void plat_read_profile_string(const char* section, const char* key, const char* fallback,
                              char* buffer, unsigned size, const char* file) {
  fake::log(std::string("setting ") + key);
  std::string value = fallback;
  if (g_world->ini_present && strcmp(section, "settings") == 0 &&
      strcmp(file, ".\\launcher.ini") == 0) {
    auto it = g_world->settings.find(key);
    if (it != g_world->settings.end()) value = it->second;
  }
  if (size == 0) return;
  size_t n = std::min<size_t>(value.size(), size - 1);
  memcpy(buffer, value.data(), n);
  buffer[n] = '\0';
}

bool plat_read_machine_registry(const char* key_path, const char* value_name, void* data,
                                unsigned* size) {
  fake::log(std::string("registry ") + value_name);
  if (!g_world->registry_key_present ||
      strcmp(key_path, "SOFTWARE\\Electronic Arts\\EA Games\\Generals") != 0) {
    return false;
  }
  if (!g_world->registry_value_present) return false;
  const std::string& stored = g_world->registry_language;
  if (stored.size() > *size) return false;  // ERROR_MORE_DATA
  memcpy(data, stored.data(), stored.size());
  *size = static_cast<unsigned>(stored.size());
  return true;
}

PlatHandle plat_create_file(const char* name) {
  bool ok = g_world->files.count(name) == 0 || g_world->files[name] != "<folder>";
  fake::log(std::string("create ") + name + (ok ? "" : " failed"));
  if (!ok) return nullptr;
  g_world->files[name] = "";
  return fake::make_handle("file", name);
}

bool plat_write_file(PlatHandle file, const void* data, unsigned size, unsigned* written) {
  int index = g_world->writes++;
  const std::string& name = fake::as_handle(file)->name;
  if (index == g_world->write_fails_at) {
    unsigned done = g_world->short_write ? size / 2 : 0;
    g_world->files[name].append(static_cast<const char*>(data), done);
    *written = done;
    fake::log("write " + name + (g_world->short_write ? " short" : " failed"));
    return g_world->short_write;
  }
  g_world->files[name].append(static_cast<const char*>(data), size);
  *written = size;
  fake::log("write " + name + " " + std::to_string(size));
  return true;
}

bool plat_delete_file(const char* name) {
  // Like DeleteFile, never removes a folder.
  auto it = g_world->files.find(name);
  bool ok = it != g_world->files.end() && it->second != "<folder>";
  if (ok) g_world->files.erase(it);
  fake::log(std::string("delete ") + name + (ok ? "" : " failed"));
  return ok;
}

bool plat_write_text_file(const char* name, const char* text) {
  fake::log(std::string("text ") + name);
  if (g_world->text_write_fails) return false;
  // A text-mode stream writes every line feed as CR LF.
  std::string bytes;
  for (const char* p = text; *p; ++p) {
    if (*p == '\n') bytes += '\r';
    bytes += *p;
  }
  g_world->files[name] = bytes;
  return true;
}

int plat_message_box(PlatWindow owner, const char* text, const char* caption, unsigned type) {
  g_world->message_boxes.push_back({owner, text, caption, type});
  fake::log(std::string("message ") + caption);
  int answer = kIdOk;
  if (!g_world->message_box_answers.empty()) {
    answer = g_world->message_box_answers.front();
    g_world->message_box_answers.pop_front();
  }
  return answer;
}

void plat_open_in_browser(const char* address) {
  fake::log(std::string("browser ") + address);
  g_world->browser.push_back(address);
}

bool plat_window_exists(PlatWindow) {
  if (g_world->window_checks_left < 0) return true;
  if (g_world->window_checks_left == 0) return false;
  --g_world->window_checks_left;
  return true;
}

void plat_send_item_message(PlatWindow, int control_id, unsigned message, uintptr_t wparam,
                            intptr_t lparam) {
  std::string line = "control " + std::to_string(control_id) + " ";
  if (message == kMsgSetText) {
    line += std::string("text ") + reinterpret_cast<const char*>(lparam);
  } else if (message == kPbmSetRange32) {
    line += "range " + std::to_string(wparam) + ".." + std::to_string(lparam);
  } else if (message == kPbmSetPos) {
    line += "pos " + std::to_string(wparam);
  } else {
    line += "message " + std::to_string(message);
  }
  fake::log(line);
}

void plat_end_dialog_from_worker(PlatWindow, int result) {
  fake::log("end dialog " + std::to_string(result));
}

bool plat_start_thread(void (*routine)(void*), void* parameter) {
  fake::log("thread");
  routine(parameter);
  return true;
}

PlatHandle plat_internet_open(const char* agent) {
  fake::log(std::string("internet ") + agent);
  if (g_world->internet_open_fails) return nullptr;
  return fake::make_handle("internet", agent);
}

PlatHandle plat_internet_open_url(PlatHandle, const char* address) {
  fake::log(std::string("open ") + address);
  auto it = g_world->http.find(address);
  if (it == g_world->http.end() || !it->second.reachable) return nullptr;
  return fake::make_handle("request", address);
}

bool plat_http_content_length(PlatHandle request, unsigned* length) {
  fake::HttpAnswer& answer = fake::answer_for(fake::as_handle(request)->name);
  if (!answer.has_length) return false;
  if (answer.length_set) {
    *length = answer.length;
  } else {
    size_t total = 0;
    for (const auto& chunk : answer.chunks) total += chunk.size();
    *length = static_cast<unsigned>(total);
  }
  return true;
}

bool plat_http_status(PlatHandle request, unsigned* status) {
  *status = fake::answer_for(fake::as_handle(request)->name).status;
  return true;
}

bool plat_internet_read(PlatHandle request, void* buffer, unsigned size, unsigned* read) {
  const std::string& address = fake::as_handle(request)->name;
  fake::HttpAnswer& answer = fake::answer_for(address);
  int index = g_world->reads[address]++;
  fake::log("read " + std::to_string(size));
  if (index == answer.fail_read_at) return false;
  if (index >= static_cast<int>(answer.chunks.size())) {
    *read = 0;
    return true;
  }
  // A chunk larger than the room asked for is handed out over several reads.
  if (answer.chunks[index].size() > size) {
    std::string rest = answer.chunks[index].substr(size);
    answer.chunks[index].resize(size);
    answer.chunks.insert(answer.chunks.begin() + index + 1, rest);
  }
  memcpy(buffer, answer.chunks[index].data(), answer.chunks[index].size());
  *read = static_cast<unsigned>(answer.chunks[index].size());
  return true;
}

void plat_internet_close(PlatHandle handle) {
  fake::log("close " + fake::as_handle(handle)->kind);
  fake::release(handle);
}
