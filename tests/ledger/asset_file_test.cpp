#include "ledger/asset_file.h"
#include "ledger/line_file.h"
#include "support/test_files.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace kanvelo;
using namespace kanvelo::testing;
using namespace Qt::StringLiterals;

namespace {

const QString kList = u"資産/sisan.dat"_s;

struct AssetFileTest : ::testing::Test {
    TempFolder dir;
    void SetUp() override { QDir(dir.path()).mkdir(u"資産"_s); }
};

} // namespace

TEST_F(AssetFileTest, FirstUseCreatesTheFolderAndAListHoldingZero) {
    TempFolder fresh;
    const AssetLoad loaded = asset_list_load(fresh.path());
    ASSERT_FALSE(loaded.error.has_value());
    EXPECT_TRUE(loaded.list.sisan.empty());
    EXPECT_EQ(fresh.read_bytes(kList), QByteArray(" 0 \r\n"));
    EXPECT_EQ(memo_path(fresh.path(), 1), fresh.path() + u"資産/m0000001.txt"_s);
}

// A list that cannot be read as it stands is refused and left as it is.
TEST_F(AssetFileTest, DamagedListIsRefusedAtItsLineAndLeftAlone) {
    const std::pair<QStringList, int> cases[] = {
        {{}, 1},
        {{u"x"_s}, 1},
        {{u" 40000 "_s}, 1},
        {{u" 1 "_s, u"預金"_s, u"100"_s, u"2004/03/15"_s, u"../x"_s}, 5},
        {{u" 1 "_s, u"預金"_s, u"100"_s, u"2004/03/15"_s, u"0"_s}, 5},
        {{u" 1 "_s, u"預金"_s, u"100"_s, u"2004/03/15"_s, u"32768"_s}, 5},
        {{u" 1 "_s, u"預金"_s, u"100"_s, u"2004/03/15"_s, u" 1 "_s, u"株"_s}, 7},
    };
    for (const auto& [lines, line] : cases) {
        dir.write_lines(kList, lines);
        const QByteArray before = dir.read_bytes(kList);
        const AssetLoad loaded = asset_list_load(dir.path());
        ASSERT_TRUE(loaded.error.has_value()) << qPrintable(lines.join(u'|'));
        EXPECT_EQ(loaded.error->file_name(), u"sisan.dat");
        EXPECT_EQ(loaded.error->line, line) << qPrintable(lines.join(u'|'));
        EXPECT_EQ(dir.read_bytes(kList), before);
    }
}

TEST_F(AssetFileTest, LastMemoNumberIsNeverBelowOneInUse) {
    dir.write_lines(kList, {u" 2 "_s, u"預金"_s, u"100"_s, u"d"_s, u" 7 "_s});
    EXPECT_EQ(asset_list_load(dir.path()).list.last_memo_no, 7);
    dir.write_bytes(u"資産/m0000012.txt"_s, "orphan\r\n");
    dir.write_bytes(u"資産/m12.txt"_s, "not a memo name\r\n");
    EXPECT_EQ(asset_list_load(dir.path()).list.last_memo_no, 12);
}

TEST_F(AssetFileTest, MoreThanALimitOfAssetsAreKeptAndWrittenBackUnchanged) {
    QStringList lines{u" 1200 "_s};
    for (int i = 1; i <= 1200; ++i)
        lines << u"資産%1"_s.arg(i) << QString::number(i * 100) << u"2004/03/15"_s
              << u" %1 "_s.arg(i);
    dir.write_lines(kList, lines);
    const QByteArray before = dir.read_bytes(kList);
    const AssetLoad loaded = asset_list_load(dir.path());
    ASSERT_FALSE(loaded.error.has_value());
    EXPECT_EQ(loaded.list.sisan.size(), 1200u);
    EXPECT_EQ(asset_total(loaded.list), 100.0 * 1200 * 1201 / 2);
    ASSERT_FALSE(asset_list_save(dir.path(), loaded.list));
    EXPECT_EQ(dir.read_bytes(kList), before);
}

// The CR LF after the memo goes only when it is there, and never half a
// character with it; a file past the limit is not read.
TEST_F(AssetFileTest, MemoIsReadWholeUpToTheLimit) {
    const QByteArray memo = *encode_cp932(u"入金\r\n出金ソ"_s);
    const std::pair<QByteArray, QString> cases[] = {
        {memo + "\r\n", u"入金\n出金ソ"_s},
        {memo, u"入金\n出金ソ"_s},
        {"\r\n", QString()},
        {QByteArray(31998, 'a') + "\r\n", QString(31998, u'a')},
    };
    const QString path = dir.file(u"資産/m0000001.txt"_s);
    for (const auto& [bytes, text] : cases) {
        dir.write_bytes(u"資産/m0000001.txt"_s, bytes);
        const MemoRead read = memo_read(path);
        EXPECT_EQ(read.status, MemoRead::Status::Shown);
        EXPECT_EQ(read.text, text);
    }
    dir.write_bytes(u"資産/m0000001.txt"_s, QByteArray(31999, 'a') + "\r\n");
    EXPECT_EQ(memo_read(path).status, MemoRead::Status::TooLarge);
    EXPECT_EQ(memo_read(dir.file(u"資産/m0000002.txt"_s)).status, MemoRead::Status::Missing);
}
