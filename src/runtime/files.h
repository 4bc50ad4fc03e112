// Access to the dial-up script: the existence test, open, read text, write
// line, close and close all, over a process-wide table of open files.
//
// None of these shows a message. A failure gives a neutral result (false,
// file number 0, the absent text); where the caller passes a SystemFailure,
// it also receives the Windows reason.
#pragma once

#include "runtime/system_failure.h"
#include "runtime/text.h"

#include <cstdint>
#include <string_view>

namespace adsl {

// Names one open file; 0 is never the number of an open file.
using FileNumber = std::uint32_t;

enum class OpenMode {
    read_write, // the default: an existing file, read and write access
    rewrite,    // mode 4: write access, created if missing, emptied if present
    read_only,  // an existing file, read access only (for loading)
};

// Whether a file system entry of that name can be found (a directory
// counts; wildcards match).
bool file_exists(std::string_view path);

// Opens `path`; others may read and write it meanwhile. Answers 0 on failure.
FileNumber open_file(std::string_view path, OpenMode mode = OpenMode::read_write,
                     SystemFailure* failure = nullptr);

// The file's whole text up to the first 0x00 or 0x1A at a character start;
// the absent text for an empty file, an unknown number or a failure.
Text read_text(FileNumber number);

// Writes `text` and a carriage return and line feed; false when not all of
// it was written or the number is unknown.
bool write_line(FileNumber number, std::string_view text, SystemFailure* failure = nullptr);

// Closes the file and forgets its number; an unknown number does nothing.
void close_file(FileNumber number);

// Closes every file still open, in the order of opening.
void close_all_files() noexcept;

// Puts `source` in place of `target` in one step, replacing an existing
// target (MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
bool replace_file(std::string_view source, std::string_view target, SystemFailure* failure = nullptr);

// A path in the same folder as `path` that no other running copy of the
// program uses: `path`, a dot, this process's id, ".tmp".
Text temporary_path_beside(std::string_view path);

// Deletes the file `path`.
bool remove_file(std::string_view path, SystemFailure* failure = nullptr);

} // namespace adsl
