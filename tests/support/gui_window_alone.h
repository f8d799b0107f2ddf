#pragma once

#include "support/gui_keys.h"
#include "support/gui_month_view.h"

#include <QLineEdit>
#include <QListWidget>
#include <memory>

namespace kanvelo::testing {

inline QLineEdit* box(QWidget& form, const char* name) {
    return child<QLineEdit>(form, name);
}

// A window opened on its own, without the main window.
template <class Form> class WindowAloneTest : public WindowTest {
protected:
    void TearDown() override {
        form.reset();
        WindowTest::TearDown();
    }
    Form& open() {
        form = std::make_unique<Form>(*ledger);
        make_active(*form);
        return *form;
    }
    std::unique_ptr<Form> form;
};

} // namespace kanvelo::testing
