#pragma once
// Where iconv is the system's converter (not on Windows): one character at
// a time from one encoding to another.
#include <iconv.h>

#include <string>
#include <string_view>

namespace cli {

class character_converter {
public:
    character_converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~character_converter() {
        if (valid())
            iconv_close(cd_);
    }
    character_converter(const character_converter&) = delete;
    character_converter& operator=(const character_converter&) = delete;

    // Appends one character (at most four bytes) in the target encoding;
    // false when the target lacks it or the system has no such converter.
    bool convert(std::string_view character, std::string& out) const {
        char input[4];
        if (!valid() || character.size() > sizeof input)
            return false;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr); // a fresh shift state
        character.copy(input, sizeof input);
        char output[16];
        char* in = input;
        std::size_t in_left = character.size();
        char* written = output;
        std::size_t out_left = sizeof output;
        if (iconv(cd_, &in, &in_left, &written, &out_left) == static_cast<std::size_t>(-1) || in_left != 0)
            return false;
        out.append(output, static_cast<std::size_t>(written - output));
        return true;
    }

private:
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t cd_;
};

} // namespace cli
