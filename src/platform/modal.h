#pragma once

#include <QStringList>
#include <functional>

class QDialog;
class QWidget;

namespace kanvelo {

// Opens a window modally: centres it on the screen and runs it until it
// closes. Returns QDialog's result code. Every modal window of the program is
// opened through here so that tests can drive it.
int run_modal(QDialog& dialog);

// For tests: while one exists, each window opened by run_modal is handed, once
// it is shown and its event loop runs, to the next queued handler, which fills
// boxes, presses buttons and closes it. A window opened with no handler queued
// is rejected at once and counted as unexpected.
class ModalDriver {
public:
    using Handler = std::function<void(QDialog&)>;
    ModalDriver();
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    void next(Handler handler);
    int pending() const;        // handlers not used yet
    int unexpected() const;     // windows opened with no handler queued
    QStringList opened() const; // objectNames of the windows opened, in order

private:
    struct State;
    State* state_;
    friend int run_modal(QDialog&);
};

} // namespace kanvelo
