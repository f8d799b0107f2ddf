#pragma once

#include "ledger/ledger.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "support/qt_print.h"
#include "support/test_files.h"

#include <QDate>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace kanvelo::testing {

// A child widget of a window by its objectName; fails the test when missing.
template <class T = QWidget> T* child(QWidget& window, const char* name) {
    T* w = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// Clicks the window's button (push, radio or check) `name` with the mouse.
void click(QWidget& window, const char* name);

// The ground of every window test: a fresh folder with a ledger of the default
// categories and wallets on March 2004, messages recorded and answered, modal
// windows driven, and "today" set. Every modal window a test opens must have
// been expected.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    TempFolder folder;
    std::unique_ptr<Ledger> ledger = std::make_unique<Ledger>();
    MessageRecorder messages;
    ModalDriver modals;
};

} // namespace kanvelo::testing
