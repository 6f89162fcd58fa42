#pragma once
#include <map>
#include <string>

// One section of an INI file, read with a single call of the platform and
// then looked up in memory. Reading a file key by key opens it once per key;
// for the calculator's 60 settings that took longer under Wine than showing
// its window. Lookups answer as the single-value reads of ui/profile.h do:
// section and key names ignore letter case, the first of repeated keys
// counts, a value in matching quotes loses them, and a missing file, section
// or key reads as the caller's default.
class profile_section {
public:
    profile_section(const char* section, const std::string& file_name);

    // A leading sign is honoured, text without leading digits reads as 0 and
    // an empty value as the default.
    int read_int(const char* key, int default_value) const;
    std::string read_string(const char* key, const std::string& default_text) const;
    // True exactly when the stored text is "Yes" (letter case counts).
    bool read_bool(const char* key, bool default_flag) const;

private:
    const std::string* find(const char* key) const;

    std::map<std::string, std::string> values_; // by key in lower case
};
