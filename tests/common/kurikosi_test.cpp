#include "common/kurikosi.h"
#include "ledger/settings_file.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "support/test_files.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

struct KurikosiTest : ::testing::Test {
    TempFolder dir;
    std::unique_ptr<Ledger> l = std::make_unique<Ledger>();
    MessageRecorder messages;
    ModalDriver modals;
    QLineEdit kingaku;
    QLineEdit tekiyo;
    void SetUp() override {
        init_default_ledger(*l, dir);
        l->nen = u"2005"_s;
        l->tuki = u"01"_s;
        kingaku.setText(u"typed"_s);
        modals.next([](QDialog& d) {
            EXPECT_EQ(d.objectName(), u"kurikosi_form");
            QTest::mouseClick(d.findChild<QPushButton*>(u"Command1"_s), Qt::LeftButton);
        });
    }
};

} // namespace

TEST_F(KurikosiTest, FillsAmountAndDescriptionFromTheWalletsClosingBalance) {
    dir.write_lines(u"~200412.dat"_s,
                    month_file_with({{u"20041225"_s, u"2"_s, u"139,500"_s, u"給料"_s, u" 0 "_s}}));
    EXPECT_TRUE(kurikosi(nullptr, *l, 0, &kingaku, &tekiyo));
    EXPECT_EQ(kingaku.text(), u"139,500");
    EXPECT_EQ(tekiyo.text(), u"【繰越】現金");
}

TEST_F(KurikosiTest, MissingFileShowsNoDataAndInsistingShowsKudoi) {
    modals.next([](QDialog& d) {
        EXPECT_EQ(d.objectName(), u"nofile_form");
        QTest::mouseClick(d.findChild<QPushButton*>(u"nofile_situkoi"_s), Qt::LeftButton);
    });
    modals.next([](QDialog& d) {
        EXPECT_EQ(d.objectName(), u"situkoi_form");
        QTest::mouseClick(d.findChild<QPushButton*>(u"situkoi_ok"_s), Qt::LeftButton);
    });
    EXPECT_FALSE(kurikosi(nullptr, *l, 0, &kingaku, &tekiyo));
    EXPECT_EQ(modals.unexpected(), 0);
    EXPECT_EQ(modals.pending(), 0);
    EXPECT_EQ(kingaku.text(), u"typed");
}

TEST_F(KurikosiTest, OldFormatFileIsRefusedWithItsMessage) {
    QStringList lines = month_file_with({});
    lines.removeFirst();
    dir.write_lines(u"~200412.dat"_s, lines.mid(0, 150));
    EXPECT_FALSE(kurikosi(nullptr, *l, 0, &kingaku, &tekiyo));
    ASSERT_EQ(messages.texts(), QStringList{u"先月のファイルは旧ﾊﾞｰｼﾞｮﾝ形式なので使えません"_s});
    EXPECT_EQ(messages.messages().front().icon, MsgIcon::Exclamation);
    EXPECT_EQ(kingaku.text(), u"typed");
}

TEST_F(KurikosiTest, DamagedFileShowsTheUnexpectedErrorWindow) {
    dir.write_lines(u"~200412.dat"_s,
                    month_file_with({{u"20041225"_s, u"2"_s, u"十万"_s, QString(), u"0"_s}}));
    modals.next([](QDialog& d) {
        EXPECT_EQ(d.objectName(), u"debugwindow");
        d.close();
    });
    EXPECT_FALSE(kurikosi(nullptr, *l, 0, &kingaku, &tekiyo));
    EXPECT_EQ(modals.pending(), 0);
    EXPECT_EQ(kingaku.text(), u"typed");
}
