#include "sjis.h"

#include <stdexcept>

#ifdef _WIN32
#include <windows.h>

namespace {

std::string convert(std::string_view text, UINT from, UINT to) {
    if (text.empty())
        return {};
    int wide_length = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text.data(),
                                          static_cast<int>(text.size()), nullptr, 0);
    if (wide_length == 0)
        throw std::runtime_error("text does not convert");
    std::wstring wide(static_cast<size_t>(wide_length), L'\0');
    MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), wide.data(), wide_length);
    int length = WideCharToMultiByte(to, 0, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(to, 0, wide.data(), wide_length, result.data(), length, nullptr, nullptr);
    return result;
}

} // namespace

std::string sjis(std::string_view utf8) { return convert(utf8, CP_UTF8, 932); }
std::string utf8_from_sjis(std::string_view cp932) { return convert(cp932, 932, CP_UTF8); }

#else
#include <iconv.h>

#include <cerrno>

namespace {

std::string convert(std::string_view text, const char* from, const char* to) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("iconv_open failed");
    std::string result;
    char* in = const_cast<char*>(text.data());
    size_t in_left = text.size();
    char buffer[256];
    while (in_left > 0) {
        char* out = buffer;
        size_t out_left = sizeof buffer;
        size_t done = iconv(cd, &in, &in_left, &out, &out_left);
        result.append(buffer, static_cast<size_t>(out - buffer));
        if (done == static_cast<size_t>(-1) && errno != E2BIG) {
            iconv_close(cd);
            throw std::runtime_error("text does not convert");
        }
    }
    iconv_close(cd);
    return result;
}

} // namespace

std::string sjis(std::string_view utf8) { return convert(utf8, "UTF-8", "CP932"); }
std::string utf8_from_sjis(std::string_view cp932) { return convert(cp932, "CP932", "UTF-8"); }

#endif
