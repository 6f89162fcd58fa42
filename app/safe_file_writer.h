#pragma once
#include <cstdio>
#include <string>
#include <string_view>

#include "calc/text_file_writer.h"

// Writes a file so that it is never lost or left half written: the text goes
// to a temporary file beside the target, and only a completely written and
// flushed temporary file replaces the target. A failure at any step (folder
// not writable, disk full, target locked) leaves the old file exactly as it
// was and removes the temporary file. A target the user marked read-only is
// not replaced either: the write fails before anything is written.
// The target's path is UTF-8 (ui/wide_path.h).
class safe_file_writer final : public text_file_writer {
public:
    explicit safe_file_writer(std::string target);
    ~safe_file_writer();
    safe_file_writer(const safe_file_writer&) = delete;
    safe_file_writer& operator=(const safe_file_writer&) = delete;

    // The temporary file beside the target, which the text goes to.
    static std::string temporary_path(const std::string& target);

    // Appends bytes as they are (binary: line ends are written by the caller).
    void write(std::string_view bytes) override;
    // Flushes the text to the disk and puts it in the target's place; false
    // when any step failed, in which case the target is untouched.
    bool commit() override;

private:
    void discard();

    std::string target_;
    std::string temporary_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};
