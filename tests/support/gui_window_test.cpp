#include "support/gui_window_test.h"

#include "ledger/clock.h"
#include "ledger/disk_state.h"
#include "ledger/line_file.h"

#include <QAbstractButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace kanvelo::testing {

void click(QWidget& window, const char* name) {
    auto* button = child<QAbstractButton>(window, name);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

void WindowTest::SetUp() {
    clock_set_today_for_tests(QDate(2004, 3, 15));
    init_default_ledger(*ledger, folder);
    ledger->nen = u"2004"_s;
    ledger->tuki = u"03"_s;
}

void WindowTest::TearDown() {
    fail_file_operation_for_tests(0);
    refuse_writes_under({}, {});
    forget_disk_states();
    clock_set_today_for_tests(QDate());
    EXPECT_EQ(modals.unexpected(), 0) << modals.opened().join(u' ').toStdString();
    EXPECT_EQ(modals.pending(), 0);
}

} // namespace kanvelo::testing
