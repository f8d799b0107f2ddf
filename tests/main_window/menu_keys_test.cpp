#include "common/month_edits.h"
#include "support/gui_keys.h"
#include "support/gui_month_view.h"

#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

struct MenuKeysTest : MonthViewTest {
    void press(QWidget& w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::ControlModifier) {
        make_active(*w.window());
        QTest::keyClick(&w, key, mods);
    }
};

} // namespace

TEST_F(MenuKeysTest, EachKeyOpensItsWindowFromTheMainWindow) {
    start({entry("20040301", "12", "3,000", "パン", "0")});
    const struct {
        Qt::Key key;
        const char16_t* window;
    } cases[] = {
        {Qt::Key_O, u"open_form"},
        {Qt::Key_F, u"Kensaku_form"},
        {Qt::Key_P, u"print_mainichi_form"},
    };
    for (const auto& c : cases) {
        QString opened;
        modals.next([&opened](QDialog& d) {
            opened = d.objectName();
            d.reject();
        });
        press(*main, c.key);
        EXPECT_EQ(opened, QString::fromUtf16(c.window));
    }
    EXPECT_EQ(modals.unexpected(), 0);
}

TEST_F(MenuKeysTest, CtrlSSavesFromTheMainWindowButNotFromAWindowOpenOverIt) {
    start({});
    main->edits().add_entry({u"20040302"_s, u"12"_s, u"800"_s, u"牛乳"_s, u"0"_s});
    open_with("MenuKensaku", [&](QDialog& d) {
        press(*child<QLineEdit>(d, "kensaku_moji"), Qt::Key_S); // the box keeps it
        EXPECT_FALSE(folder.read_lines(u"~200403.dat"_s).contains(u"牛乳"_s));
        d.reject();
    });
    press(*main, Qt::Key_S);
    EXPECT_TRUE(folder.read_lines(u"~200403.dat"_s).contains(u"牛乳"_s));
    EXPECT_EQ(messages.texts(), QStringList());
}
