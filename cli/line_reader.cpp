#include "cli/line_reader.h"

#include <cstring>

namespace cli {

bool line_reader::next(std::string& line) {
    line.clear();
    bool any = false;
    for (;;) {
        if (position_ == size_) {
            if (end_)
                break;
            size_ = std::fread(buffer_, 1, sizeof buffer_, stream_);
            position_ = 0;
            if (size_ == 0) {
                end_ = true;
                break;
            }
        }
        any = true;
        const char* start = buffer_ + position_;
        const void* lf = std::memchr(start, '\n', size_ - position_);
        if (lf) {
            auto count = static_cast<std::size_t>(static_cast<const char*>(lf) - start);
            line.append(start, count);
            position_ += count + 1;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return true;
        }
        line.append(start, size_ - position_);
        position_ = size_;
    }
    return any && !line.empty();
}

} // namespace cli
