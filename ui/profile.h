#pragma once
#include <string>

// Reading and writing single values of an INI file through the platform's
// private-profile functions. Integers are stored as signed decimal text,
// booleans as "Yes" or "No"; a missing file, section or key reads as the
// caller's default.

// The writers return true when the platform reports success. A text is
// stored up to its first line break, which the file format cannot hold.
bool write_profile_int(const char* section, const char* key, int value, const std::string& file_name);
bool write_profile_string(const char* section, const char* key, const std::string& text,
                          const std::string& file_name);
bool write_profile_bool(const char* section, const char* key, bool flag, const std::string& file_name);

// A present key is read as the platform's integer read returns it: a leading
// minus sign is honoured, text without leading digits reads as 0.
int read_profile_int(const char* section, const char* key, int default_value, int& value,
                     const std::string& file_name);

// Reads the whole value, however long.
void read_profile_string(const char* section, const char* key, const std::string& default_text,
                         std::string& text, const std::string& file_name);

// True exactly when the stored text is "Yes" (letter case counts).
void read_profile_bool(const char* section, const char* key, bool default_flag, bool& flag,
                       const std::string& file_name);
