#include "ini_test_file.h"

#include <windows.h>

#include <fstream>
#include <iterator>

namespace {

int file_counter = 0;

} // namespace

void ini_file_test::SetUp() {
    char temp[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathA(sizeof temp, temp), 0u);
    directory_ = std::string(temp) + "tarvik_options_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(directory_.c_str(), nullptr);
    // A fresh name per test: the platform may cache a profile file it has read.
    path_ = directory_ + "\\settings" + std::to_string(++file_counter) + ".ini";
    DeleteFileA(path_.c_str());
}

void ini_file_test::TearDown() {
    DeleteFileA(path_.c_str());
    RemoveDirectoryA(directory_.c_str());
}

void ini_file_test::write_raw(std::string_view bytes) const {
    std::ofstream file(path_, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ini_file_test::read_raw() const {
    // Make sure nothing the profile functions hold back is missing on disk.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());
    std::ifstream file(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<ini_section> parse_ini(std::string_view text) {
    std::vector<ini_section> sections;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        if (line.front() == '[' && line.back() == ']') {
            sections.push_back({std::string(line.substr(1, line.size() - 2)), {}});
            continue;
        }
        if (sections.empty())
            sections.push_back({"<no section>", {}});
        std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            sections.back().entries.emplace_back(line, "<no value>");
        else
            sections.back().entries.emplace_back(line.substr(0, equals), line.substr(equals + 1));
    }
    return sections;
}

const ini_section* find_section(const std::vector<ini_section>& sections, std::string_view name) {
    for (const ini_section& section : sections)
        if (section.name == name)
            return &section;
    return nullptr;
}
