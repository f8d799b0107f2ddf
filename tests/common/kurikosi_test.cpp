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
        l->nen = QStringLiteral("2005");
        l->tuki = QStringLiteral("01");
        kingaku.setText(QStringLiteral("typed"));
        modals.next([](QDialog& d) {
            EXPECT_EQ(d.objectName(), u"kurikosi_form");
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("Command1")),
                              Qt::LeftButton);
        });
    }
};

} // namespace

TEST_F(KurikosiTest, FillsAmountAndDescriptionFromTheWalletsClosingBalance) {
    dir.write_lines(QStringLiteral("~200412.dat"),
                    month_file_with({{QStringLiteral("20041225"), QStringLiteral("2"),
                                      QStringLiteral("139,500"), QStringLiteral("給料"),
                                      QStringLiteral(" 0 ")}}));
    EXPECT_TRUE(kurikosi(nullptr, *l, 0, &kingaku, &tekiyo));
    EXPECT_EQ(kingaku.text(), u"139,500");
    EXPECT_EQ(tekiyo.text(), u"【繰越】現金");
}

TEST_F(KurikosiTest, MissingFileShowsNoDataAndInsistingShowsKudoi) {
    modals.next([](QDialog& d) {
        EXPECT_EQ(d.objectName(), u"nofile_form");
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("nofile_situkoi")),
                          Qt::LeftButton);
    });
    modals.next([](QDialog& d) {
        EXPECT_EQ(d.objectName(), u"situkoi_form");
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("situkoi_ok")), Qt::LeftButton);
    });
    EXPECT_FALSE(kurikosi(nullptr, *l, 0, &kingaku, &tekiyo));
    EXPECT_EQ(modals.unexpected(), 0);
    EXPECT_EQ(modals.pending(), 0);
    EXPECT_EQ(kingaku.text(), u"typed");
}

TEST_F(KurikosiTest, OldFormatFileIsRefusedWithItsMessage) {
    QStringList lines = month_file_with({});
    lines.removeFirst();
    dir.write_lines(QStringLiteral("~200412.dat"), lines.mid(0, 150));
    EXPECT_FALSE(kurikosi(nullptr, *l, 0, &kingaku, &tekiyo));
    ASSERT_EQ(messages.texts(),
              QStringList{QStringLiteral("先月のファイルは旧ﾊﾞｰｼﾞｮﾝ形式なので使えません")});
    EXPECT_EQ(messages.messages().front().icon, MsgIcon::Exclamation);
    EXPECT_EQ(kingaku.text(), u"typed");
}

TEST_F(KurikosiTest, DamagedFileShowsTheUnexpectedErrorWindow) {
    dir.write_lines(QStringLiteral("~200412.dat"),
                    month_file_with({{QStringLiteral("20041225"), QStringLiteral("2"),
                                      QStringLiteral("十万"), QString(), QStringLiteral("0")}}));
    modals.next([](QDialog& d) {
        EXPECT_EQ(d.objectName(), u"debugwindow");
        d.close();
    });
    EXPECT_FALSE(kurikosi(nullptr, *l, 0, &kingaku, &tekiyo));
    EXPECT_EQ(modals.pending(), 0);
    EXPECT_EQ(kingaku.text(), u"typed");
}
