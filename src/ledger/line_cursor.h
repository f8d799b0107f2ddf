#pragma once

#include "ledger/file_error.h"
#include "ledger/line_file.h"

#include <optional>

namespace kanvelo {

// Reads a line file value by value, remembering where it is so that a damaged
// file can be reported by line.
class LineCursor {
public:
    LineCursor(const LineFile& file, QString path, int first_line = 0)
        : lines_(file.lines), path_(std::move(path)), pos_(first_line) {}

    bool at_end() const { return pos_ >= lines_.size(); }
    int line_no() const { return int(pos_) + 1; } // of the next value
    const QString& path() const { return path_; }

    // The next value; nullopt (and an error in `errors`) at the end of the file.
    std::optional<QString> next(FileErrors& errors) {
        if (at_end()) {
            errors.push_back({path_, line_no(), QStringLiteral("ファイルが途中で終わっています")});
            return std::nullopt;
        }
        return lines_.at(pos_++);
    }

    void skip(int n) { pos_ = qMin<qsizetype>(pos_ + n, lines_.size()); }

private:
    const QStringList& lines_;
    QString path_;
    qsizetype pos_;
};

// Reads the file at `path` for a reader: the report says when it is missing and
// starts with the lines that could not be decoded.
inline LineFile read_reported(const QString& path, ReadReport& report) {
    LineFile file = read_line_file(path, Watch::Yes);
    report.missing = file.missing;
    report.unreadable = file.unreadable;
    report.errors = file.errors;
    return file;
}

// Characters 5 to 8 of a header line as the layout version; nullopt when they
// are not a number.
std::optional<double> header_version(const QString& header);

} // namespace kanvelo
