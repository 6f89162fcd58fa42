#pragma once
#include <string>

// Writing single values of an INI file through the platform's private-profile
// functions. Integers are stored as signed decimal text, booleans as "Yes" or
// "No". ui/profile_section.h reads them back.

// The writers return true when the platform reports success. A text is
// stored up to its first line break, which the file format cannot hold.
bool write_profile_int(const char* section, const char* key, int value, const std::string& file_name);
bool write_profile_string(const char* section, const char* key, const std::string& text,
                          const std::string& file_name);
bool write_profile_bool(const char* section, const char* key, bool flag, const std::string& file_name);
