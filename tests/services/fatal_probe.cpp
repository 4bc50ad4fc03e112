// A small program that ends the way its first argument says, so that a
// test can watch the fatal error dialog and the program end from outside:
//
//   fatal_probe code1|code4|oom|end FILE MARKER
//
// It opens FILE and leaves it open, and registers an end-of-run routine
// that creates MARKER.
#include "runtime/fatal.h"
#include "runtime/files.h"
#include "runtime/heap.h"
#include "runtime/run_time.h"

#include <windows.h>

#include <string>

namespace {

std::string marker_path;

void create_marker()
{
    HANDLE h = CreateFileA(marker_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        CloseHandle(h);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        return 2;
    }
    const std::string mode = argv[1];
    marker_path = argv[3];
    adsl::set_out_of_memory_routine(adsl::fatal_out_of_memory);
    adsl::register_end_routine(create_marker);
    if (adsl::open_file(argv[2]) == 0) {
        return 3;
    }
    if (mode == "code1") {
        adsl::raise_run_time_error(adsl::RunTimeError::index_above_count);
    }
    if (mode == "code4") {
        adsl::raise_run_time_error(adsl::RunTimeError::index_below_one);
    }
    if (mode == "oom") {
        adsl::heap_refuse_after(0);
        (void)adsl::to_text(std::string(1023, 'x'));
    }
    if (mode == "end") {
        adsl::end_program(0);
    }
    return 4;
}
