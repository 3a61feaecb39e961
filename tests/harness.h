// Runs a built program as a real process in a fresh temporary directory, with "list.txt" and
// "nodup.txt" set up as a scene asks, and reports its exit status, what it printed and the files.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace harness {

enum class ListFile { absent, bytes, directory, dev_full };
enum class NodupFile { absent, stale, directory, dev_full };

// What a "stale" nodup.txt (or list.txt given as bytes) holds before the run.
inline constexpr std::string_view stale_content = "old content\n";

struct Scene {
    ListFile list = ListFile::bytes;
    std::string list_bytes;
    NodupFile nodup = NodupFile::absent;
    std::vector<std::string> args;
    int timeout_seconds = 120;
    // Leak checks at exit cost a sanitized program about 50 ms; the bulk tests turn them off.
    bool leak_checks = true;
    // Hold an exclusive flock on the file, from another open, while the program runs.
    bool lock_list = false;
    bool lock_nodup = false;
};

struct Outcome {
    int status = -1;  // the exit status as the parent sees it (0..255), or -1 if killed
    int signal = 0;   // the signal that ended the program, 0 if it exited
    std::string printed;
    std::string errors;
    std::optional<std::string> list;   // "list.txt" afterwards, if it is a regular file
    std::optional<std::string> nodup;  // "nodup.txt" afterwards, if it is a regular file
};

// A status of -1 returned by main reaches the parent as this.
inline constexpr int status_minus_one = 255;

std::string program_path(std::string_view name);

// Runs the program and checks that it wrote nothing to standard error (a sanitizer report would).
Outcome run(std::string_view program, const Scene& scene);

// Shorthand for the common case: "list.txt" holds these bytes, "nodup.txt" is absent.
Outcome run_on(std::string_view program, std::string_view list_bytes, bool leak_checks = true);

}  // namespace harness
