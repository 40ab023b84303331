// Version file bytes -> the three words and the offer decision. Every word
// must stay inside its buffer and be NUL-terminated.
#include <assert.h>
#include <stdint.h>
#include <string.h>

#include <string>

#include "platform/test_double/platform_double.h"
#include "update/version_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string body(reinterpret_cast<const char*>(data), size);
  UpdateInfo info;
  memset(&info, 0x55, sizeof info);
  char mode[kModeSize];
  memset(mode, 0x55, sizeof mode);
  scan_version_file(body.c_str(), &info, mode);
  assert(strnlen(info.remote_version, sizeof info.remote_version) < sizeof info.remote_version);
  assert(strnlen(mode, sizeof mode) < sizeof mode);
  assert(strnlen(info.update_address, sizeof info.update_address) < sizeof info.update_address);

  // The whole check over the fake server, answering Cancel to any offer.
  fake::reset();
  fake::world().settings["Version"] = "1.0.5";
  fake::world().http["http://update.test/launcher/version.html"].chunks = {body};
  fake::world().message_box_answers = {kIdCancel};
  try {
    check_for_update();
  } catch (const fake::ProcessExit&) {
  }
  for (const auto& box : fake::world().message_boxes) {
    // A download is offered only for a version fit for a file name.
    if (box.text.find("will now download") != std::string::npos) {
      assert(version_is_safe_for_file_name(g_update_info.remote_version));
    }
  }
  return 0;
}
