#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <gtest/gtest.h>

namespace kanvelo::testing {

// Every box a user types into is named by a label, so that screen readers and
// outside tools find it by the caption the user sees.
inline void expect_named_boxes(QWidget& window) {
    for (QLineEdit* box : window.findChildren<QLineEdit*>()) {
        if (box->isReadOnly() || box->focusPolicy() == Qt::NoFocus)
            continue;
        bool named = !box->accessibleName().isEmpty();
        for (QLabel* label : window.findChildren<QLabel*>())
            named = named || label->buddy() == box;
        EXPECT_TRUE(named) << qPrintable(window.objectName()) << " "
                           << qPrintable(box->objectName()) << " has no label";
    }
}

} // namespace kanvelo::testing
