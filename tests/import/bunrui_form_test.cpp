#include "import/bunrui_form.h"
#include "ledger/category_rules_file.h"
#include "support/gui_keys.h"
#include "support/gui_month_view.h"
#include "support/layout_check.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <gtest/gtest.h>

using namespace kanvelo;
using namespace kanvelo::testing;
using namespace Qt::StringLiterals;

namespace {

struct BunruiTest : MonthViewTest {
    void SetUp() override {
        MonthViewTest::SetUp();
        folder.write_lines(kRulesFile, {u"ルール\tスーパー\t12\t"_s, u"ルール\t壊れた\t99\t"_s,
                                        u"ルール\tＥＴＣ\t19\t6"_s});
        start({});
    }
    static QStringList rows(QDialog& d) {
        QStringList out;
        auto* list = child<QListWidget>(d, "bunrui_list");
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    static void fill(QDialog& d, const QString& moji, const QString& himoku, int saifu) {
        child<QLineEdit>(d, "bunrui_moji")->setText(moji);
        child<QLineEdit>(d, "bunrui_himoku")->setText(himoku);
        child<QComboBox>(d, "bunrui_saifu")->setCurrentIndex(saifu);
    }
};

} // namespace

TEST_F(BunruiTest, RulesEditedInTheWindowAreWrittenInOrderByHozonOnly) {
    const QByteArray before = folder.read_bytes(kRulesFile);
    open_with("MenuBunrui", [&](QDialog& d) {
        expect_tidy_layout(d);
        EXPECT_EQ(rows(d), (QStringList{u"スーパー → 12 日常食品"_s,
                                        u"ＥＴＣ → 19 ガソリン高速 [その他１]"_s}));
        fill(d, u"カフェ"_s, u"13"_s, 0);
        click(d, "bunrui_tuika");
        click(d, "bunrui_ue");
        click(d, "bunrui_yame");
    });
    EXPECT_EQ(messages.texts().size(), 1) << "the damaged line is reported";
    EXPECT_TRUE(messages.texts().value(0).contains(u"2行目"_s));
    EXPECT_EQ(folder.read_bytes(kRulesFile), before) << "取りやめ writes nothing";

    messages.clear();
    open_with("MenuBunrui", [&](QDialog& d) {
        fill(d, u"カフェ"_s, u"13"_s, 0);
        click(d, "bunrui_tuika");
        click(d, "bunrui_ue");
        EXPECT_EQ(child<QListWidget>(d, "bunrui_list")->currentRow(), 1);
        child<QListWidget>(d, "bunrui_list")->setCurrentRow(0);
        fill(d, u"スーパーまるや"_s, u"12"_s, 7);
        click(d, "bunrui_henkou");
        child<QListWidget>(d, "bunrui_list")->setCurrentRow(2);
        click(d, "bunrui_sakujo");
        EXPECT_EQ(rows(d), (QStringList{u"スーパーまるや → 12 日常食品 [その他１]"_s,
                                        u"カフェ → 13 外食"_s}));
        click(d, "bunrui_ok");
    });
    EXPECT_EQ(folder.read_lines(kRulesFile),
              (QStringList{u"ルール\tスーパーまるや\t12\t6"_s, u"ルール\tカフェ\t13\t"_s,
                           u"ルール\t壊れた\t99\t"_s}));
}

TEST_F(BunruiTest, ARuleWithoutTextOrCategoryIsRefusedWithItsMessage) {
    const struct {
        QString moji, himoku;
        QStringList messages;
    } cases[] = {
        {u"  "_s, u"12"_s, {u"内容に含む文字を入力して下さい。"_s}},
        {u"店"_s, u""_s, {u"数字を入力して下さいね。"_s, u"1～30の数字を入力して下さい。"_s}},
        {u"店"_s, u"45"_s, {u"1～30の数字を入力して下さい。"_s}},
        {u"店"_s, u"x"_s, {u"数字を入力して下さいね。"_s, u"1～30の数字を入力して下さい。"_s}},
        {u"店"_s, u"2.5"_s, {u"1～30の数字を入力して下さい。"_s}},
    };
    open_with("MenuBunrui", [&](QDialog& d) {
        for (const auto& c : cases) {
            messages.clear();
            fill(d, c.moji, c.himoku, 0);
            click(d, "bunrui_tuika");
            EXPECT_EQ(messages.texts(), c.messages)
                << c.moji.toStdString() << c.himoku.toStdString();
        }
        EXPECT_EQ(rows(d).size(), 2);
        click(d, "bunrui_yame");
    });
}
