#pragma once
#include <cstdio>
#include <string>

namespace cli {

// Reads a stream line by line in binary: a line ends at LF, and a CR right
// before the LF is dropped too. Any byte, NUL included, is part of a line; a
// line may be as long as memory allows. A last line without LF counts when it
// is not empty.
class line_reader {
public:
    explicit line_reader(std::FILE* stream) : stream_(stream) {}

    // false at the end of the input.
    bool next(std::string& line);

    // true when reading stopped on an error rather than at the end.
    bool failed() const { return std::ferror(stream_) != 0; }

private:
    std::FILE* stream_;
    char buffer_[65536];
    std::size_t size_ = 0;
    std::size_t position_ = 0;
    bool end_ = false;
};

} // namespace cli
