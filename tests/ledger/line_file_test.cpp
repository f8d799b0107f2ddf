#include "ledger/line_file.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <cerrno>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

using namespace kanvelo;
using kanvelo::testing::TempFolder;

TEST(LineFile, EndsLinesAtCrLfOrALoneCr) {
    EXPECT_EQ(split_lines("a\r\nb\rc\r\n"), (QList<QByteArray>{"a", "b", "c"}));
    EXPECT_EQ(split_lines("a\r\n\r\nb"), (QList<QByteArray>{"a", "", "b"}));
    EXPECT_EQ(split_lines("a\nb\r\n"), (QList<QByteArray>{"a\nb"}));
    EXPECT_TRUE(split_lines("").isEmpty());
    EXPECT_EQ(split_lines("\r\n"), (QList<QByteArray>{""}));
}

TEST(LineFile, WritesEveryLineWithCrLf) {
    TempFolder dir;
    ASSERT_FALSE(write_line_file(dir.file(u"x.dat"_s), {u"家計簿"_s, QString(), u" 5 "_s}));
    EXPECT_EQ(dir.read_bytes(u"x.dat"_s), QByteArray("\x89\xc6\x8c\x76\x95\xeb\r\n\r\n 5 \r\n"));
}

TEST(LineFile, ReadsBackWhatItWrote) {
    TempFolder dir;
    QStringList lines{u"①②Ⅰ㈱髙﨑"_s, u"ｱｲｳ半角"_s, u"~\\"_s};
    ASSERT_FALSE(write_line_file(dir.file(u"x.dat"_s), lines));
    LineFile f = read_line_file(dir.file(u"x.dat"_s));
    EXPECT_FALSE(f.missing);
    EXPECT_TRUE(f.errors.empty());
    EXPECT_EQ(f.lines, lines);
}

// Every code of the code page decodes, and encodes back to the same bytes. The
// only exceptions are codes that duplicate another code (the IBM extension
// rows, the NEC-selected IBM rows and a few NEC row-13 symbols), which come
// back in the one form Windows writes.
TEST(LineFile, EveryCodePage932CharacterRoundTripsByteForByte) {
    int checked = 0;
    QSet<int> changed_leads;
    auto check = [&](const QByteArray& b) {
        bool ok = false;
        QString s = decode_cp932(b, &ok);
        if (!ok || s.size() != 1 || s.at(0) == QChar(0x1a))
            return;
        ++checked;
        auto back = encode_cp932(s);
        ASSERT_TRUE(back.has_value()) << b.toHex().constData();
        if (*back != b) {
            changed_leads.insert(uchar(b.at(0)));
            EXPECT_EQ(decode_cp932(*back), s) << b.toHex().constData();
        }
    };
    for (int c = 0x20; c <= 0x7e; ++c)
        check(QByteArray(1, char(c)));
    for (int c = 0xa1; c <= 0xdf; ++c)
        check(QByteArray(1, char(c)));
    for (int lead = 0x81; lead <= 0xfc; ++lead) {
        if (lead > 0x9f && lead < 0xe0)
            continue;
        for (int trail = 0x40; trail <= 0xfc; ++trail) {
            if (trail == 0x7f)
                continue;
            check(QByteArray().append(char(lead)).append(char(trail)));
        }
    }
    EXPECT_GT(checked, 7000 + 1880 + 188 + 63); // JIS X 0208, user area and extensions
    EXPECT_TRUE(changed_leads.subtract({0x81, 0x87, 0xed, 0xee, 0xfa}).isEmpty())
        << "unexpected duplicate rows";
    // A duplicate reads as its character, not as undecodable bytes: a name
    // such as 髙橋 typed on another machine shows as written.
    bool ok = false;
    EXPECT_EQ(decode_cp932("\xee\xe0", &ok), QString(QChar(0x9ad9)));
    EXPECT_TRUE(ok);
    // The NEC extension row (circled digits, ...) is kept as is.
    EXPECT_EQ(encode_cp932(decode_cp932("\x87\x40")), QByteArray("\x87\x40"));
    EXPECT_EQ(encode_cp932(decode_cp932("\xfa\x40")), QByteArray("\xfa\x40"));
}

TEST(LineFile, EncodingNeverSubstitutesSilently) {
    // Nothing outside the code page may turn into another character on the way out.
    for (char32_t u = 0x20; u < 0xffff; ++u) {
        if (u >= 0xd800 && u <= 0xdfff)
            continue;
        QString s = QString::fromUcs4(&u, 1);
        if (auto b = encode_cp932(s)) {
            ASSERT_EQ(decode_cp932(*b), s) << std::hex << unsigned(u);
        }
    }
}

TEST(LineFile, RefusesAValueTheCodePageCannotHoldAndKeepsTheOldFile) {
    TempFolder dir;
    const QString path = dir.file(u"x.dat"_s);
    ASSERT_FALSE(write_line_file(path, {u"old"_s}));
    auto err = write_line_file(path, {u"ok"_s, QString::fromUtf8("ランチ\xf0\x9f\x8d\x99")});
    ASSERT_TRUE(err.has_value());
    EXPECT_EQ(err->line, 2);
    EXPECT_TRUE(err->message().contains(u"x.dat"_s));
    EXPECT_TRUE(err->message().contains(QString::fromUtf8("\xf0\x9f\x8d\x99")));
    EXPECT_EQ(dir.read_bytes(u"x.dat"_s), QByteArray("old\r\n"));
    EXPECT_EQ(first_unstorable(QString::fromUtf8("円\xc2\xa5")), QString::fromUtf8("\xc2\xa5"));
    EXPECT_TRUE(first_unstorable(u"円"_s).isEmpty());
}

TEST(LineFile, ReportsBytesThatAreNotCodePage932ByLine) {
    TempFolder dir;
    dir.write_bytes(u"x.dat"_s, QByteArray("good\r\nbad\x81\r\nalso good\r\n"));
    LineFile f = read_line_file(dir.file(u"x.dat"_s));
    ASSERT_EQ(f.lines.size(), 3);
    EXPECT_EQ(f.lines.at(2), u"also good");
    ASSERT_EQ(f.errors.size(), 1u);
    EXPECT_EQ(f.errors.front().line, 2);
}

TEST(LineFile, MissingFileIsReportedAsMissing) {
    TempFolder dir;
    EXPECT_TRUE(read_line_file(dir.file(u"none.dat"_s)).missing);
}

TEST(LineFile, EveryFailedOperationLeavesThePreviousFileWhole) {
    TempFolder dir;
    const QString path = dir.file(u"x.dat"_s);
    ASSERT_FALSE(write_line_file(path, {u"old"_s}));
    for (int step = 1; step <= 5; ++step) { // open, write, flush, sync, commit
        fail_file_operation_for_tests(step);
        auto err = write_line_file(path, {u"new"_s, u"content"_s});
        fail_file_operation_for_tests(0);
        ASSERT_TRUE(err.has_value()) << step;
        EXPECT_EQ(err->path, path);
        EXPECT_EQ(dir.read_bytes(u"x.dat"_s), QByteArray("old\r\n")) << step;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"x.dat"_s});
}

// Real failures that stop root too.
TEST(LineFile, WriteWhereNoFileCanStandFailsAndSaysWhy) {
    TempFolder dir;
    dir.write_bytes(u"plain"_s, "x");
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"folder.dat"_s));
    const std::pair<QString, int> cases[] = {{u"plain/x.dat"_s, ENOTDIR},
                                             {u"folder.dat"_s, EISDIR}};
    for (const auto& [name, err] : cases) {
        auto e = write_line_file(dir.file(name), {u"a"_s});
        ASSERT_TRUE(e.has_value()) << qPrintable(name);
        EXPECT_EQ(e->path, dir.file(name));
        EXPECT_EQ(e->detail, write_failure_reason(err)) << qPrintable(name);
    }
    EXPECT_TRUE(QFileInfo(dir.file(u"folder.dat"_s)).isDir());
}

TEST(LineFile, WriteBeyondTheFileSizeLimitFailsAndKeepsTheOldFile) {
    TempFolder dir;
    const QString path = dir.file(u"x.dat"_s);
    ASSERT_FALSE(write_line_file(path, {u"old"_s}));
    struct rlimit old_limit {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old_limit;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    auto err = write_line_file(path, QStringList(2000, u"0123456789"_s));
    setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);
    ASSERT_TRUE(err.has_value());
    EXPECT_EQ(err->detail, write_failure_reason(EFBIG));
    EXPECT_EQ(dir.read_bytes(u"x.dat"_s), QByteArray("old\r\n"));
}

// Whichever step fails, the user reads the cause in Japanese, never the
// system's English text, and the file is named.
TEST(LineFile, FailedWriteSaysWhyInWordsTheUserCanActOn) {
    const std::pair<int, const char*> cases[] = {{ENOSPC, "ディスクがいっぱい"},
                                                 {EDQUOT, "ディスクがいっぱい"},
                                                 {EACCES, "書き込みの許可"},
                                                 {EPERM, "書き込みの許可"},
                                                 {EROFS, "読み取り専用"},
                                                 {ENOENT, "フォルダが見つかりません"},
                                                 {ENOTDIR, "フォルダが見つかりません"},
                                                 {EFBIG, "大きすぎ"},
                                                 {EIO, "ディスクの読み書き"},
                                                 {ENAMETOOLONG, "エラー番号 36"}};
    TempFolder dir;
    const QString path = dir.file(u"x.dat"_s);
    ASSERT_FALSE(write_line_file(path, {u"old"_s}));
    for (const auto& [err, words] : cases) {
        for (int step = 1; step <= 5; ++step) {
            fail_file_operation_for_tests(step, err);
            auto e = write_line_file(path, {u"new"_s});
            fail_file_operation_for_tests(0);
            ASSERT_TRUE(e.has_value()) << err << " at " << step;
            EXPECT_EQ(e->path, path);
            EXPECT_TRUE(e->detail.contains(QString::fromUtf8(words)))
                << err << " at " << step << ": " << qPrintable(e->detail);
            EXPECT_FALSE(e->detail.contains(QRegularExpression(u"[a-z]"_s)))
                << qPrintable(e->detail);
        }
    }
    EXPECT_EQ(dir.read_bytes(u"x.dat"_s), QByteArray("old\r\n"));
}

TEST(LineFile, AFailedFolderSyncIsNotAFailedSave) {
    TempFolder dir;
    const QString path = dir.file(u"x.dat"_s);
    fail_file_operation_for_tests(6);
    EXPECT_FALSE(write_line_file(path, {u"new"_s}));
    fail_file_operation_for_tests(0);
    EXPECT_EQ(dir.read_bytes(u"x.dat"_s), QByteArray("new\r\n"));
}

// A lone CR would end the value early on the next read and shift every
// later line of the file.
TEST(LineFile, RefusesAValueHoldingALineBreak) {
    const QString values[] = {u"a\rb"_s, u"a\nb"_s, u"a\r\n"_s, u"\r"_s};
    TempFolder dir;
    const QString path = dir.file(u"x.dat"_s);
    ASSERT_FALSE(write_line_file(path, {u"old"_s}));
    for (const QString& v : values) {
        auto e = write_line_file(path, {u"ok"_s, u"ok"_s, v});
        ASSERT_TRUE(e.has_value()) << qPrintable(v);
        EXPECT_EQ(e->line, 3);
        EXPECT_TRUE(e->detail.contains(u"改行"_s)) << qPrintable(e->detail);
        EXPECT_FALSE(e->detail.contains(u'\r') || e->detail.contains(u'\n'));
    }
    EXPECT_EQ(dir.read_bytes(u"x.dat"_s), QByteArray("old\r\n"));
}

// Bytes that do not decode to a character encoding back to the same bytes
// (damage, or a code duplicating another) are kept, so that saving a file
// read from elsewhere never changes it.
TEST(LineFile, BytesThatDoNotRoundTripAreKeptAndWrittenBackByteForByte) {
    const QByteArray cases[] = {
        "\x85\x40",          // unassigned pair
        "\xfd",              // lone byte above the code page
        "\xa0",              // lone byte between the kana and the kanji leads
        "ab\x82",            // lead byte at the end of the line
        "\x82\x20x",         // lead byte followed by a blank
        "\x81\x40\x85\x41z", // clean, damaged, clean
    };
    // Clean text around a damaged byte stays readable.
    EXPECT_TRUE(decode_cp932("\x81\x40\x85\x41z").startsWith(u'\x3000'));
    EXPECT_TRUE(decode_cp932("\x81\x40\x85\x41z").endsWith(u'z'));

    TempFolder dir;
    QByteArray file;
    for (const QByteArray& raw : cases)
        file += "ok\r\n" + raw + "\r\n";
    dir.write_bytes(u"x.dat"_s, file);
    LineFile f = read_line_file(dir.file(u"x.dat"_s));
    ASSERT_EQ(f.lines.size(), 2 * int(std::size(cases)));
    ASSERT_EQ(f.errors.size(), std::size(cases));
    EXPECT_EQ(f.errors.front().line, 2);
    EXPECT_EQ(f.errors.back().line, 2 * int(std::size(cases)));
    for (const QString& line : f.lines)
        EXPECT_TRUE(first_unstorable(line).isEmpty());
    ASSERT_FALSE(write_line_file(dir.file(u"y.dat"_s), f.lines));
    EXPECT_EQ(dir.read_bytes(u"y.dat"_s), file);
}

TEST(LineFile, ASurrogatePairIsNeverTakenForKeptBytes) {
    // U+1F400 is D83D DC00: its low half lies among the markers' codes.
    const QString rat = QString::fromUcs4(U"\U0001F400");
    EXPECT_EQ(first_unstorable(u"a"_s + rat), rat);
    EXPECT_FALSE(encode_cp932(rat).has_value());
    // Neither is a low surrogate outside the markers' range, nor one that
    // would end a line.
    for (char16_t c : {u'\xdd00', u'\xdc0d'})
        EXPECT_EQ(first_unstorable(QString(QChar(c))), QString(QChar(c)));
}

TEST(LineFile, ALoneLineFeedInsideAValueIsKeptAndReported) {
    TempFolder dir;
    const QByteArray bytes("a\nb\r\nclean\r\n\n\r\n");
    dir.write_bytes(u"x.dat"_s, bytes);
    LineFile f = read_line_file(dir.file(u"x.dat"_s));
    ASSERT_EQ(f.lines.size(), 3);
    EXPECT_FALSE(f.lines.at(0).contains(u'\n'));
    ASSERT_EQ(f.errors.size(), 2u);
    EXPECT_EQ(f.errors.front().line, 1);
    ASSERT_FALSE(write_line_file(dir.file(u"y.dat"_s), f.lines));
    EXPECT_EQ(dir.read_bytes(u"y.dat"_s), bytes);
}

TEST(LineFile, BytesAfterAnEarlierDamagedLineNeverReadAsAReplacementCharacter) {
    // A reused converter once let FC FC through as U+FFFD, which encodes back
    // to FC FC: a value that could then never be saved.
    TempFolder dir;
    const QByteArray bytes("\xfd\xf3\xf5\r\n\r\xfc\xfc\n\r\n");
    dir.write_bytes(u"x.dat"_s, bytes);
    LineFile f = read_line_file(dir.file(u"x.dat"_s));
    for (const QString& line : f.lines)
        EXPECT_FALSE(line.contains(QChar::ReplacementCharacter));
    EXPECT_FALSE(encode_cp932(QString(QChar::ReplacementCharacter)).has_value());
    ASSERT_FALSE(write_line_file(dir.file(u"y.dat"_s), f.lines));
    // The lone CR ending the empty line is written as CR LF, like every line end.
    EXPECT_EQ(dir.read_bytes(u"y.dat"_s), QByteArray("\xfd\xf3\xf5\r\n\r\n\xfc\xfc\n\r\n"));
}
