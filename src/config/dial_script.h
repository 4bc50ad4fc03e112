// The dial-up script: a two-line batch file whose second line dials the
// broadband connection with Rasdial, and the way the three settings are
// written into that line and read back out of a script's text.
#pragma once

#include "runtime/text.h"

#include <string_view>

namespace adsl {

struct ConnectionSettings {
    Text connection_name;
    Text user_name;
    Text password;
};

// The script's fixed place; also the command line of its auto-start entry.
inline constexpr std::string_view script_path = "C:\\Windows\\system32\\adsl.bat";
inline constexpr std::string_view autostart_entry_name = "adsl.bat";
inline constexpr std::string_view script_first_line = "@echo off";

// The script's second line: Rasdial "<connection>" <user> <password>.
Text compose_dial_line(std::string_view connection_name, std::string_view user_name,
                       std::string_view password);

// The settings read back from a script's text, or the run-time error code
// of the first member access that fails (then the settings are absent).
struct Extraction {
    ConnectionSettings settings;
    RunTimeError error = RunTimeError::none;
};

// Takes the second line, the text between its first two double quotes as
// the connection name, and the last two blank-separated words after the
// second quote as user name and password. The first line is never read.
Extraction extract_settings(std::string_view script_text);

} // namespace adsl
