#pragma once

#include <QString>
#include <ostream>

// Readable failure output for QString comparisons (found by GoogleTest through
// argument-dependent lookup, hence at global scope).
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
