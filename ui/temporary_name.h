#pragma once
#include <string>

// The name a file's new text is written under before it replaces the file:
// beside it, with this process's id, so that two copies of the program saving
// the same file never write into or delete each other's copy.
std::string temporary_name(const std::string& target);
