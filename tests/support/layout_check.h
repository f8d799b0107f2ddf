#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QWidget>
#include <gtest/gtest.h>

namespace kanvelo::testing {

// Fails when a caption of the window is cut off, a control sticks out of the
// window, or two controls overlap: what a user would see as a broken window.
inline void expect_tidy_layout(QWidget& window) {
    window.ensurePolished();
    const QList<QWidget*> controls = window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* w : controls) {
        const QString name = w->objectName();
        EXPECT_TRUE(window.rect().contains(w->geometry()))
            << qPrintable(window.objectName()) << " " << qPrintable(name) << " sticks out";
        const QFontMetrics fm(w->font());
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty()) {
            const QRect box = label->contentsRect();
            if (label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(box.width()), box.height())
                    << qPrintable(name) << " is cut off: " << qPrintable(label->text());
            } else {
                EXPECT_LE(fm.horizontalAdvance(label->text()), box.width())
                    << qPrintable(name) << " is cut off: " << qPrintable(label->text());
                EXPECT_LE(fm.height(), box.height()) << qPrintable(name);
            }
        }
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            EXPECT_LE(fm.horizontalAdvance(button->text()) + 12, button->width())
                << qPrintable(name) << " is cut off: " << qPrintable(button->text());
        }
    }
    for (qsizetype i = 0; i < controls.size(); ++i) {
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << qPrintable(controls[i]->objectName()) << " overlaps "
                << qPrintable(controls[j]->objectName());
        }
    }
}

} // namespace kanvelo::testing
