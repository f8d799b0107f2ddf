#include "editing/saifu_form.h"
#include "entry/kinyu_form.h"
#include "ledger/ledger.h"
#include "ledger/settings_file.h"
#include "settings/option2_form.h"
#include "support/accessibility_check.h"
#include "support/gui_window_alone.h"
#include "support/layout_check.h"

#include <QComboBox>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

using namespace testing;

QListWidget* list(QWidget& form) {
    return child<QListWidget>(form, "option2_list");
}
// A row clicked, a new name and 変更.
void rename(QWidget& form, int row, const QString& name) {
    click_list_row(list(form), row);
    box(form, "option2_sin")->setText(name);
    click(form, "option2_henkou");
}

class Option2FormTest : public MonthViewTest {};

TEST_F(Option2FormTest, RenamedWalletIsListedByTheTransferAndEntryWindowsAndSaved) {
    start({entry("20040301", "12", "800", "パン", "3")});
    open_with("OptionMenuSaifu", [](QDialog& form) {
        click_list_row(list(form), 3);
        EXPECT_EQ(box(form, "option2_genzai")->text(), u"保険料引落口座"_s);
        EXPECT_EQ(focused_name(), u"option2_sin"_s);
        box(form, "option2_sin")->setText(u"住宅ローン口座"_s);
        key(Qt::Key_Return); // to 変更
        key(Qt::Key_Return);
        EXPECT_EQ(list(form)->item(3)->text(), u"住宅ローン口座"_s);
        EXPECT_EQ(list(form)->count(), kSaifuCount);
        EXPECT_TRUE(box(form, "option2_genzai")->text().isEmpty());
        EXPECT_TRUE(box(form, "option2_sin")->text().isEmpty());
        click(form, "option2_end");
    });
    EXPECT_TRUE(messages.texts().isEmpty()) << qPrintable(messages.texts().join(u' '));
    EXPECT_EQ(ledger->saifu[3].name, u"住宅ローン口座"_s);

    open_with("Main_Saifu", [](QDialog& form) {
        EXPECT_EQ(child<QComboBox>(form, "saifu_moto")->itemText(3), u"住宅ローン口座"_s);
        EXPECT_EQ(child<QComboBox>(form, "saifu_saki")->itemText(3), u"住宅ローン口座"_s);
        EXPECT_EQ(child<Grid>(form, "Saifu_Grid")->text(4, 0), u"住宅ローン口座"_s);
        EXPECT_EQ(child<Grid>(form, "Saifu_Grid")->text(4, 1), u"-800"_s);
        click(form, "saifu_end");
    });
    KinyuForm entry(main->edits(), 0);
    EXPECT_EQ(child<QComboBox>(entry, "Kinyu_Saifu")->itemText(3), u"住宅ローン口座"_s);

    EXPECT_EQ(save_month()[151 + 2 * 3 + 1], u"住宅ローン口座"_s);
    EXPECT_EQ(folder.read_lines(kSettingsFile)[95 + 2 * 3 + 1], u"住宅ローン口座"_s);
}

TEST_F(Option2FormTest, NamesKindsAndTransfersSurviveSaveAndRestart) {
    start({entry("20040327", "13", "15,000", "外食", "0")});
    open_with("OptionMenuSaifu", [](QDialog& form) {
        rename(form, 4, u"学資積立"_s);
        click(form, "option2_end");
    });
    open_with("MenuOptionHimoku", [](QDialog& form) {
        click_list_row(child<QListWidget>(form, "Option_list"), 12);
        click(form, "Option_syunyu");
        box(form, "Option_Sin")->setText(u"臨時収入"_s);
        click(form, "Option_change");
        click(form, "Option_end");
    });
    open_with("Main_Saifu", [](QDialog& form) {
        child<QComboBox>(form, "saifu_moto")->setCurrentIndex(0);
        child<QComboBox>(form, "saifu_saki")->setCurrentIndex(4);
        box(form, "saifu_kingaku")->setText(u"6000"_s);
        click(form, "saifu_ok");
        click(form, "saifu_end");
    });
    save_month();

    main.reset();
    ledger = std::make_unique<Ledger>();
    ledger->app_path = folder.path();
    main = std::make_unique<Main_Form>(*ledger);
    main->set_splash_enabled(false);
    main->startup();
    EXPECT_EQ(ledger->saifu[4].name, u"学資積立"_s);
    EXPECT_EQ(grid("Main_Grid2")->text(13, 1), u"臨時収入"_s);
    EXPECT_EQ(grid("Main_Grid1")->text(3, 3), u"学資積立"_s);
    EXPECT_EQ(main_text("Main_syunyu"), u"15,000"_s);
    EXPECT_EQ(main_text("Main_Sisyutu"), u"0"_s);
    EXPECT_EQ(main_text("Main_genkin"), u"9,000"_s);
    EXPECT_EQ(ledger->saifu[4].zankin, 6000);
}

using Option2WindowTest = WindowAloneTest<Option2Form>;

TEST_F(Option2WindowTest, RefusedRenamesChangeNoName) {
    Option2Form& f = open();
    const SaifuNames before = copy_saifu_names(*ledger);
    const QString pick = u"左のリストから、変更したいものを選んでください"_s;
    const QString empty = u" 新しい財布・口座名を入力して下さい"_s;

    // Nothing chosen yet, although the list has the focus.
    box(f, "option2_sin")->setText(u"新"_s);
    click(f, "option2_henkou");
    EXPECT_EQ(messages.texts(), QStringList{pick});

    messages.clear();
    rename(f, 0, u"財布"_s);
    EXPECT_EQ(messages.texts(), QStringList{u"一番上は『現金』にしておいて下さい。"_s});
    EXPECT_TRUE(box(f, "option2_genzai")->text().isEmpty());
    EXPECT_TRUE(box(f, "option2_sin")->text().isEmpty());

    for (const QString& name : {u""_s, u"   "_s}) {
        messages.clear();
        rename(f, 5, name);
        EXPECT_EQ(messages.texts(), QStringList{empty});
        EXPECT_EQ(focused_name(), u"option2_sin"_s);
    }
    EXPECT_EQ(copy_saifu_names(*ledger), before);
}

TEST_F(Option2WindowTest, TheCurrentNameBoxPointsAtTheListAndFollowsTheArrows) {
    Option2Form& f = open();
    QTest::mouseClick(box(f, "option2_genzai"), Qt::LeftButton);
    EXPECT_EQ(messages.texts(), QStringList{u"左のリストから、変更したいものを選んでください"_s});
    EXPECT_EQ(focused_name(), u"option2_sin"_s);

    click_list_row(list(f), 2);
    list(f)->setFocus();
    key(Qt::Key_Down);
    EXPECT_EQ(box(f, "option2_genzai")->text(), u"保険料引落口座"_s);
    box(f, "option2_sin")->setText(u"保険"_s);
    click(f, "option2_henkou");
    EXPECT_EQ(ledger->saifu[3].name, u"保険"_s);
    EXPECT_EQ(ledger->saifu[2].name, u"光熱費引落口座"_s);
}

TEST_F(Option2WindowTest, CancelRestoresEveryNameAndTheCloseBoxKeepsThem) {
    const SaifuNames before = copy_saifu_names(*ledger);
    Option2Form& f = open();
    for (int row : {1, 7, 14})
        rename(f, row, u"口座"_s + QString::number(row));
    EXPECT_EQ(ledger->saifu[14].name, u"口座14"_s);
    click(f, "option2_cansel");
    EXPECT_EQ(copy_saifu_names(*ledger), before);

    Option2Form& g = open();
    rename(g, 1, u"給料口座"_s);
    g.close();
    EXPECT_EQ(ledger->saifu[1].name, u"給料口座"_s);
}

TEST_F(Option2WindowTest, LaysOutEveryNameWithoutOverlaps) {
    Option2Form& f = open();
    expect_tidy_layout(f);
    expect_named_boxes(f);
    QListWidget* l = list(f);
    EXPECT_LE(l->visualItemRect(l->item(kSaifuCount - 1)).bottom(), l->viewport()->height());
}

} // namespace

} // namespace kanvelo
