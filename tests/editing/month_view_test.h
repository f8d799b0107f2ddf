#pragma once

#include "ledger/settings_file.h"
#include "main_window/main_form.h"
#include "platform/grid.h"
#include "support/gui_keys.h"
#include "support/gui_window_test.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

namespace kanvelo::testing {

// The main window on March 2004 loaded from a month file, for the windows that
// change recorded entries: they are opened from it and it shows what they did.
struct MonthViewTest : WindowTest {
    std::unique_ptr<Main_Form> form;

    void TearDown() override {
        form.reset();
        WindowTest::TearDown();
    }

    void start(const QList<QStringList>& entries) {
        folder.write_lines(kSettingsFile,
                           settings_file_for(QStringLiteral("2004"), QStringLiteral("03")));
        folder.write_lines(QStringLiteral("~200403.dat"), month_file_with(entries));
        form = std::make_unique<Main_Form>(*ledger);
        form->set_splash_enabled(false);
        form->set_on_end([] {});
        form->startup();
        form->show();
    }

    Grid* grid1() { return form->findChild<Grid*>(QStringLiteral("Main_Grid1")); }
    Grid* grid2() { return form->findChild<Grid*>(QStringLiteral("Main_Grid2")); }
    QString total(const char* name) {
        return form->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
    }
    // 収入合計, 支出合計, 差引収支, 現在の現金 as shown.
    QStringList totals() {
        return {total("Main_syunyu"), total("Main_Sisyutu"), total("Main_Syusi"),
                total("Main_genkin")};
    }
    // Day, category, amount, description of every entries-grid row.
    QStringList grid1_rows() {
        QStringList rows;
        for (int r = 1; r < grid1()->rows(); ++r) {
            QStringList cells;
            for (int c = 0; c < 4; ++c)
                cells << grid1()->text(r, c);
            rows << cells.join(u'|');
        }
        return rows;
    }
    void trigger(const char* name) {
        QAction* a = form->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(a, nullptr) << name;
        ASSERT_TRUE(a->isEnabled()) << name;
        a->trigger();
    }
    void select(int row) { grid1()->set_row(row); }

    // The next modal window, made active and handed to `drive`.
    void expect_window(const char* name, std::function<void(QDialog&)> drive) {
        const QString wanted = QString::fromLatin1(name);
        modals.next([wanted, drive](QDialog& d) {
            EXPECT_EQ(d.objectName(), wanted);
            make_active(d);
            drive(d);
        });
    }

    // The entries of the saved month file, five lines each.
    QList<QStringList> saved_entries() {
        const QStringList lines = folder.read_lines(QStringLiteral("~200403.dat"));
        QList<QStringList> out;
        for (qsizetype i = 1 + 5 * kHimokuCount + 2 * kSaifuCount; i + 5 <= lines.size(); i += 5)
            out << lines.mid(i, 5);
        return out;
    }
};

inline QLineEdit* box_in(QDialog& d, const char* name) {
    return child<QLineEdit>(d, name);
}
inline void press(QDialog& d, const char* name) {
    QTest::mouseClick(child<QPushButton>(d, name), Qt::LeftButton);
}

} // namespace kanvelo::testing
