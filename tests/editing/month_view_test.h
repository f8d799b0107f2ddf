#pragma once

#include "support/gui_keys.h"
#include "support/gui_month_view.h"
#include "support/gui_window_alone.h"

#include <QDialog>
#include <QTest>

namespace kanvelo::testing {

// The main window on March 2004, for the windows that change recorded entries:
// they are opened from it and it shows what they did.
struct EntryEditTest : MonthViewTest {
    Grid* grid1() const { return grid("Main_Grid1"); }
    Grid* grid2() const { return grid("Main_Grid2"); }
    // 収入合計, 支出合計, 差引収支, 現在の現金 as shown.
    QStringList totals() const {
        return {main_text("Main_syunyu"), main_text("Main_Sisyutu"), main_text("Main_Syusi"),
                main_text("Main_genkin")};
    }
    // Day, category, amount, description of every entries-grid row.
    QStringList grid1_rows() const {
        QStringList rows;
        for (int r = 1; r < grid1()->rows(); ++r) {
            QStringList cells;
            for (int c = 0; c < 4; ++c)
                cells << grid1()->text(r, c);
            rows << cells.join(u'|');
        }
        return rows;
    }
    void select(int row) { grid1()->set_row(row); }

    // The entries of the saved month file, five lines each.
    QList<QStringList> saved_entries() {
        const QStringList lines = folder.read_lines(QStringLiteral("~200403.dat"));
        QList<QStringList> out;
        for (qsizetype i = 1 + 5 * kHimokuCount + 2 * kSaifuCount; i + 5 <= lines.size(); i += 5)
            out << lines.mid(i, 5);
        return out;
    }
};

} // namespace kanvelo::testing
