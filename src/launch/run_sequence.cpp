#include "launch/run_sequence.h"

#include "launch/command_line.h"
#include "launch/settings.h"
#include "swap/mod_files.h"
#include "ui/splash.h"
#include "update/version_check.h"

namespace {

const char kReinstallText[] = "Please reinstall, there are some Corrupt/Missing files";

int report_failed_activation() {
  // Any argument may have named an expansion pack the player does not have.
  if (g_launch_request.args_given) {
    plat_message_box(nullptr, "You dont have Expack0X installed", "Expack0X", kMbIconWarning);
  } else {
    plat_message_box(nullptr, kReinstallText, "Error", kMbIconWarning);
  }
  switch_mod_files(kRestore, kLenient);
  return kExitActivationFailed;
}

}  // namespace

int run_launcher(PlatInstance instance) {
  if (update_enabled()) check_for_update();
  show_splash(instance);
  parse_command_line();

  // Whatever a killed earlier run left active goes back first.
  switch_mod_files(kRestore, kLenient);
  if (!switch_mod_files(kActivate, kStrict)) return report_failed_activation();

  PlatHandle target = nullptr;
  if (!plat_start_process(g_launch_request.target_program, g_launch_request.target_command_line,
                          false, &target)) {
    plat_message_box(nullptr, kReinstallText, "Error", kMbIconWarning);
    switch_mod_files(kRestore, kLenient);
    return kExitTargetNotStarted;
  }
  plat_wait_process(target);
  plat_close_handle(target);
  // The host game may still hold its archives open for a moment after its
  // process has ended.
  plat_sleep(1000);
  switch_mod_files(kRestore, kStrict);
  return kExitRan;  // the target's own exit code is not passed on
}
