#pragma once
#include <string_view>

// Where a data file's new text goes: written piece by piece, then put in the
// file's place whole. The calculator writes its files through this; the
// program hands it a writer that never leaves a file half written
// (app/safe_file_writer.h).
class text_file_writer {
public:
    // Appends bytes as they are (binary: line ends are written by the caller).
    virtual void write(std::string_view bytes) = 0;
    // Puts the text in the file's place; false when it could not, in which
    // case the old file is left as it was.
    virtual bool commit() = 0;

protected:
    ~text_file_writer() = default;
};
