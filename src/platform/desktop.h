#pragma once

#include <QString>
#include <functional>

namespace kanvelo {

// Busy (hourglass) pointer for the whole application while it lives.
class BusyPointer {
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

void beep();

// Opens a document or web address with the desktop's default handler.
// Returns 2 when the file does not exist or no handler could be started,
// 42 (a success code above 32) otherwise.
int shell_open(const QString& target);

// For tests: replaces shell_open while set; pass {} to restore.
void set_shell_open_for_tests(std::function<int(const QString&)> handler);
// Beeps since the start of the process (every beep() is counted).
int beep_count_for_tests();

} // namespace kanvelo
