#pragma once

#include "common/month_edits.h"
#include "support/gui_keys.h"
#include "support/gui_month_view.h"

#include <QLineEdit>
#include <QListWidget>
#include <memory>
#include <type_traits>

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
        if constexpr (std::is_constructible_v<Form, MonthEdits&>) {
            edits = std::make_unique<MonthEdits>(*ledger);
            form = std::make_unique<Form>(*edits);
        } else {
            form = std::make_unique<Form>(*ledger);
        }
        make_active(*form);
        return *form;
    }
    // The steps of a window that changes the month, on `ledger`.
    std::unique_ptr<MonthEdits> edits;
    std::unique_ptr<Form> form;
};

} // namespace kanvelo::testing
