#include "platform/modal.h"

#include "platform/geometry.h"
#include "platform/modal_hook.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <deque>

namespace kanvelo {

struct ModalDriver::State {
    std::deque<Handler> handlers;
    int unexpected = 0;
    QStringList opened;
    ModalDriver* previous = nullptr;
};

namespace {

ModalDriver*& active_driver() {
    static ModalDriver* driver = nullptr;
    return driver;
}

// Rejects the window from inside its own event loop.
void reject_later(QDialog& dialog) {
    QPointer<QDialog> guard(&dialog);
    QTimer::singleShot(0, &dialog, [guard] {
        if (guard)
            guard->reject();
    });
}

} // namespace

bool detail::modal_driver_active() {
    return active_driver() != nullptr;
}

ModalDriver::ModalDriver() : state_(new State) {
    state_->previous = active_driver();
    active_driver() = this;
}

ModalDriver::~ModalDriver() {
    active_driver() = state_->previous;
    delete state_;
}

void ModalDriver::next(Handler handler) {
    state_->handlers.push_back(std::move(handler));
}

int ModalDriver::pending() const {
    return static_cast<int>(state_->handlers.size());
}

int ModalDriver::unexpected() const {
    return state_->unexpected;
}

QStringList ModalDriver::opened() const {
    return state_->opened;
}

int run_modal(QDialog& dialog) {
    // Qt sizes a window that was never resized only when it is shown; do it
    // now so that the centring uses the real size.
    if (!dialog.testAttribute(Qt::WA_Resized))
        dialog.adjustSize();
    center_on_screen(&dialog);

    if (ModalDriver* driver = active_driver()) {
        ModalDriver::State& state = *driver->state_;
        state.opened.append(dialog.objectName());
        if (state.handlers.empty()) {
            ++state.unexpected;
            reject_later(dialog);
        } else {
            // Taken now, so that windows opened by this handler get the next ones.
            ModalDriver::Handler handler = std::move(state.handlers.front());
            state.handlers.pop_front();
            QPointer<QDialog> guard(&dialog);
            QTimer::singleShot(0, &dialog, [guard, handler = std::move(handler)] {
                if (!guard)
                    return;
                handler(*guard);
                // A handler that leaves its window open must not hang the test.
                if (guard && guard->isVisible()) {
                    if (ModalDriver* current = active_driver())
                        ++current->state_->unexpected;
                    reject_later(*guard);
                }
            });
        }
    }
    return dialog.exec();
}

} // namespace kanvelo
