#pragma once
// The diagnostic log: when the user (or a test) names a file through the
// VANTOR_LOG environment variable, every milestone of the program appends one
// timestamped line to it. Without the variable nothing is written.
#include <filesystem>
#include <string>

namespace diag {

// The environment variable that names the log file.
inline constexpr const char* kLogVariable = "VANTOR_LOG";

// Starts appending to `file`. An empty path leaves the log off.
void Open(const std::filesystem::path& file);
bool IsOpen();
void Close();

// Appends "YYYY-MM-DD hh:mm:ss.mmm [pid] text". Safe from any thread.
void Write(const std::string& text);

// printf-like convenience for numbers; the format is always a literal of ours.
void Writef(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

}  // namespace diag
