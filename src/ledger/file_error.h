#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace kanvelo {

// A failure to read or write one of the program's files. The file is named so
// that a window can tell the user which one; line is 1-based, 0 when the
// problem is not tied to a line.
struct FileError {
    QString path;
    int line = 0;
    QString detail;

    QString file_name() const;
    // One sentence for the user: file, line and what is wrong.
    QString message() const;
};

using FileErrors = std::vector<FileError>;
using WriteResult = std::optional<FileError>; // nullopt when written

// What the user is told when writing failed with errno `err`: the cause in
// words they can act on, never the system's English text.
QString write_failure_reason(int err);

// What a reader found: a missing file, one that cannot be read, or the
// problems of a damaged one.
struct ReadReport {
    bool missing = false;    // the file does not exist
    bool unreadable = false; // it exists but could not be read
    FileErrors errors;
};

} // namespace kanvelo
