#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

// Each test gets its own INI file name in a private temporary directory; the
// file and the directory are removed afterwards.
class ini_file_test : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    const std::string& path() const { return path_; }
    void write_raw(std::string_view bytes) const;
    std::string read_raw() const;

private:
    std::string directory_;
    std::string path_;
};

// An INI reader independent of the platform's: the exact text of every
// section name, key and value, in file order. Blank lines are skipped; a line
// without "=" is kept as a key with the value "<no value>".
struct ini_section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;
};
std::vector<ini_section> parse_ini(std::string_view text);

// The section of that exact name, or nullptr.
const ini_section* find_section(const std::vector<ini_section>& sections, std::string_view name);
