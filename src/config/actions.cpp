#include "config/actions.h"

#include "config/action_messages.h"
#include "config/dial_script.h"
#include "config/settings_check.h"
#include "runtime/autostart.h"
#include "runtime/files.h"
#include "runtime/message_box.h"
#include "runtime/run_time.h"
#include "ui/control_text.h"
#include "ui/window_description.h"

namespace adsl {
namespace {

constexpr unsigned icon_warning = 0x30; // MB_ICONWARNING
constexpr unsigned icon_error = 0x10;   // MB_ICONERROR
constexpr std::string_view error_title = "\xB4\xED\xCE\xF3"; // 错误

void show_warning(const Text& message) { message_box(message.view(), icon_warning); }

void show_save_failure(SaveStep step, const SystemFailure& failure)
{
    const Text message = compose_save_failure(step, failure);
    message_box(message.view(), icon_error, error_title);
}

ControlId box_of(SettingsField field)
{
    switch (field) {
    case SettingsField::user_name:
        return user_name_box_id;
    case SettingsField::password:
        return password_box_id;
    case SettingsField::connection_name:
    case SettingsField::none:
        break;
    }
    return connection_name_box_id;
}

// Writes the script's two lines into a new file beside it, then puts that
// file in place of the script in one step, so that the old script is
// either kept whole or replaced whole. The new file goes on any failure.
bool write_script(std::string_view dial_line)
{
    const Text new_path = temporary_path_beside(script_path);
    SystemFailure failure;
    const FileNumber number = open_file(new_path.view(), OpenMode::rewrite, &failure);
    if (number == 0) {
        show_save_failure(SaveStep::write_new_script, failure);
        return false;
    }
    const bool written = write_line(number, script_first_line, &failure) && write_line(number, dial_line, &failure);
    close_file(number);
    if (!written) {
        failure.subject = to_text(new_path.view());
        remove_file(new_path.view());
        show_save_failure(SaveStep::write_new_script, failure);
        return false;
    }
    if (!replace_file(new_path.view(), script_path, &failure)) {
        remove_file(new_path.view());
        show_save_failure(SaveStep::replace_script, failure);
        return false;
    }
    return true;
}

} // namespace

void load_action()
{
    if (!file_exists(script_path)) {
        return; // nothing configured yet: the boxes stay empty
    }
    SystemFailure failure;
    // Read-only, so that a script the user may only read still loads.
    const FileNumber number = open_file(script_path, OpenMode::read_only, &failure);
    if (number == 0) {
        show_warning(compose_unopenable_script_warning(script_path, failure.reason.view()));
        return;
    }
    const Text text = read_text(number);
    close_file(number);

    const Extraction extraction = extract_settings(text.view());
    if (extraction.error != RunTimeError::none) {
        show_warning(compose_unreadable_script_warning(script_path));
        return;
    }
    write_control_text(configurator_window_id, connection_name_box_id, extraction.settings.connection_name.view());
    write_control_text(configurator_window_id, user_name_box_id, extraction.settings.user_name.view());
    write_control_text(configurator_window_id, password_box_id, extraction.settings.password.view());
}

void save_action()
{
    const Text connection_name = read_control_text(configurator_window_id, connection_name_box_id);
    const Text user_name = read_control_text(configurator_window_id, user_name_box_id);
    const Text password = read_control_text(configurator_window_id, password_box_id);

    const SettingsCheck check = check_settings(connection_name.view(), user_name.view(), password.view());
    if (check.refused != SettingsField::none) {
        show_warning(check.message);
        focus_control(configurator_window_id, box_of(check.refused));
        return;
    }

    message_box(save_confirmation_text);

    const Text dial_line = compose_dial_line(connection_name.view(), user_name.view(), password.view());
    if (!write_script(dial_line.view())) {
        return;
    }
    SystemFailure failure;
    if (register_autostart(autostart_entry_name, script_path, 0, &failure) != 1) {
        show_save_failure(SaveStep::register_autostart, failure);
        return;
    }
    end_program(0);
}

void reset_action()
{
    write_control_text(configurator_window_id, connection_name_box_id, "");
    write_control_text(configurator_window_id, user_name_box_id, "");
    write_control_text(configurator_window_id, password_box_id, "");
}

void cancel_action() { end_program(0); }

} // namespace adsl
