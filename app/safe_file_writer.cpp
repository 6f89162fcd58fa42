#include "app/safe_file_writer.h"

#include <utility>

#include "ui/temporary_name.h"
#include "ui/wide_path.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

// The only platform-dependent step: push the written bytes to the disk, close
// the file and move it over the target in one step, so that a crash leaves
// either the old or the new file, never a truncated one.
bool flush_and_replace(std::FILE* file, const std::string& temporary, const std::string& target) {
    bool ok = std::fflush(file) == 0;
#ifdef _WIN32
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    ok = ok && handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle);
    ok = (std::fclose(file) == 0) && ok;
    return ok &&
           MoveFileExW(wide_path(temporary).c_str(), wide_path(target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
#else
    ok = ok && fsync(fileno(file)) == 0;
    ok = (std::fclose(file) == 0) && ok;
    return ok && std::rename(temporary.c_str(), target.c_str()) == 0;
#endif
}

// Windows would refuse to move a file over a read-only one at the end
// anyway; asking first keeps even the temporary file away. (A POSIX file's
// permissions do not protect it from being replaced: the folder's do.)
bool is_read_only(const std::string& path) {
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(wide_path(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
#else
    (void)path;
    return false;
#endif
}

} // namespace

safe_file_writer::safe_file_writer(std::string target)
    : target_(std::move(target)), temporary_(temporary_path(target_)) {
    if (!is_read_only(target_))
        file_ = open_path(temporary_, "wb");
    failed_ = file_ == nullptr;
}

safe_file_writer::~safe_file_writer() { discard(); }

std::string safe_file_writer::temporary_path(const std::string& target) { return temporary_name(target); }

void safe_file_writer::write(std::string_view bytes) {
    if (failed_ || bytes.empty())
        return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        failed_ = true;
}

bool safe_file_writer::commit() {
    if (failed_ || std::ferror(file_)) {
        discard();
        return false;
    }
    std::FILE* file = std::exchange(file_, nullptr);
    if (!flush_and_replace(file, temporary_, target_)) {
        failed_ = true;
        remove_path(temporary_);
        return false;
    }
    return true;
}

void safe_file_writer::discard() {
    if (file_) {
        std::fclose(std::exchange(file_, nullptr));
        remove_path(temporary_);
    }
    failed_ = true;
}
