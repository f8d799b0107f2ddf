#include "ledger/settings_file.h"

#include "ledger/guards.h"
#include "ledger/line_cursor.h"
#include "ledger/line_file.h"
#include "ledger/values.h"

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

struct DefaultCategory {
    const char16_t* name;
    int kubun;
};

constexpr DefaultCategory kDefaultCategories[kHimokuCount] = {
    {u"繰り越し", 1},   {u"給料", 1},         {u"貯金引き出し", 1},  {u"借入れ", 1},
    {u"アルバイト", 1}, {u"雑収入", 1},       {u"税金", -1},         {u"保険・年金", -1},
    {u"住宅費", -1},    {u"被服費", -1},      {u"日用雑貨", -1},     {u"日常食品", -1},
    {u"外食", -1},      {u"嗜好品", -1},      {u"光熱上下水道", -1}, {u"クリーニング", -1},
    {u"電話通信", -1},  {u"自動車維持", -1},  {u"ガソリン高速", -1}, {u"化粧理容", -1},
    {u"医療保健", -1},  {u"教育", -1},        {u"交際", -1},         {u"小遣い", -1},
    {u"貯金", -1},      {u"紛失", -1},        {u"その他１", -1},     {u"その他２", -1},
    {u"その他３", -1},  {u"財布<=>口座", -1},
};

constexpr const char16_t* kDefaultWallets[kSaifuCount] = {
    u"現金",       u"給料振込口座", u"光熱費引落口座", u"保険料引落口座", u"積立て預金口座",
    u"へそぽるる", u"その他１",     u"その他２",       u"その他３",       u"その他４",
    u"その他５",   u"その他６",     u"その他７",       u"その他８",       u"その他９",
};

const QStringList kSpareLines = {u"spare1"_s, u"spare2"_s, u"spare3"_s, u"spare4"_s, u"spare5"_s};

// Three-line category blocks: no, name, kubun. Budgets come from the month file.
bool read_categories(Ledger& l, LineCursor& in, FileErrors& errors) {
    for (int c = 0; c < kHimokuCount; ++c) {
        HimokuRec& h = l.himoku[c];
        h.yosan_kingaku = number_form(0);
        h.yosan_comment.clear();
        for (QString* f : {&h.no, &h.name, &h.kubun}) {
            auto v = in.next(errors);
            if (!v)
                return false;
            *f = *v;
        }
    }
    return true;
}

bool read_month_and_reserved(Ledger& l, LineCursor& in, FileErrors& errors) {
    for (QString* f : {&l.nen, &l.tuki, &l.ini_reserved1, &l.ini_reserved2}) {
        auto v = in.next(errors);
        if (!v)
            return false;
        *f = *v;
    }
    return true;
}

void read_headerless(Ledger& l, LineCursor& in, FileErrors& errors) {
    l.ini_header = kSignature;
    if (read_categories(l, in, errors))
        read_month_and_reserved(l, in, errors);
    for (int w = 0; w < kSaifuCount; ++w)
        l.saifu[w].no = number_form(w + 1);
    set_default_wallets(l, 10);
    l.himoku[29].name = u"財布<=>口座"_s;
    l.himoku[29].kubun = number_form(-1);
    l.zeiritu = 5;
}

QStringList settings_lines(const Ledger& l, const QString& header, const QString& nen,
                           const QString& tuki, const QString& zeiritu) {
    QStringList out;
    out << header;
    for (int c = 0; c < kHimokuCount; ++c)
        out << l.himoku[c].no << l.himoku[c].name << l.himoku[c].kubun;
    out << nen << tuki << l.ini_reserved1 << l.ini_reserved2;
    for (int w = 0; w < kSaifuCount; ++w)
        out << l.saifu[w].no << l.saifu[w].name;
    out << zeiritu << kSpareLines;
    return out;
}

} // namespace

void set_default_categories(Ledger& l) {
    for (int c = 0; c < kHimokuCount; ++c) {
        HimokuRec& h = l.himoku[c];
        h.no = number_form(c + 1);
        h.name = QString::fromUtf16(kDefaultCategories[c].name);
        h.kubun = number_form(kDefaultCategories[c].kubun);
        h.yosan_kingaku = number_form(0);
        h.yosan_comment.clear();
    }
}

void set_default_wallets(Ledger& l, int count) {
    for (int w = 0; w < count; ++w) {
        l.saifu[w].no = number_form(w + 1);
        l.saifu[w].name = QString::fromUtf16(kDefaultWallets[w]);
    }
}

ReadReport settings_read(Ledger& l) {
    ReadReport report;
    const QString path = l.path(kSettingsFile);
    LineFile file = read_reported(path, report);
    l.note_read(path, file.unreadable);
    if (file.missing || file.unreadable)
        return report;
    FileErrors& errors = report.errors;
    LineCursor in(file, path);
    auto header = in.next(errors);
    if (!header)
        return report;
    if (!header->startsWith(u'@')) {
        LineCursor again(file, path);
        read_headerless(l, again, errors);
        return report;
    }
    l.ini_header = *header;
    if (!read_categories(l, in, errors) || !read_month_and_reserved(l, in, errors))
        return report;
    auto v = header_version(*header);
    if (!v)
        errors.push_back({path, 1, u"版数が読めません"_s});
    const double version = v.value_or(7.0);
    if (!read_wallets(l, in, version < 2.4 ? 10 : kSaifuCount, errors))
        return report;
    if (version < 4.4) {
        l.zeiritu = 5;
        return report;
    }
    auto rate = in.next(errors);
    if (!rate)
        return report;
    if (auto r = to_number(*rate))
        l.zeiritu = *r;
    else
        errors.push_back(
            {path, in.line_no() - 1, u"消費税率「%1」が数字ではありません"_s.arg(*rate)});
    for (int s = 0; s < 5; ++s)
        if (!in.next(errors))
            break;
    return report;
}

WriteResult settings_write(const Ledger& l) {
    if (auto refused = l.refuse_overwrite(l.path(kSettingsFile)))
        return refused;
    // The lines are always those of the current layout, so the header is the
    // current signature whatever the file held when it was read.
    return write_line_file(l.path(kSettingsFile),
                           settings_lines(l, kSignature, l.nen, l.tuki, number_form(l.zeiritu)));
}

void set_default_settings(Ledger& l, const QDate& today) {
    set_default_categories(l);
    set_default_wallets(l);
    l.zeiritu = 5;
    l.ini_header = kSignature;
    l.nen = format_number(today.year(), u"0000"_s);
    l.tuki = format_number(today.month(), u"00"_s);
}

WriteResult settings_create(Ledger& l, const QDate& today) {
    // Held in the ledger too, so that a folder that cannot be written still
    // opens the month of today.
    set_default_settings(l, today);
    return write_line_file(l.path(kSettingsFile),
                           settings_lines(l, kSignature, l.nen, l.tuki, number_form(5)));
}

ReadReport window_file_read(Ledger& l) {
    ReadReport report;
    const QString path = l.path(kWindowFile);
    LineFile file = read_reported(path, report);
    if (file.missing || file.unreadable)
        return report;
    FileErrors& errors = report.errors;
    LineCursor in(file, path);
    // Twips become pixels as int: far beyond any screen is refused here.
    constexpr double kTwipsLimit = 1e7;
    double* numbers[] = {&l.win_height, &l.win_width, &l.win_top, &l.win_left};
    for (double* n : numbers) {
        const int line = in.line_no();
        auto v = in.next(errors);
        if (!v)
            return report;
        if (auto x = number_in(*v, -kTwipsLimit, kTwipsLimit))
            *n = *x;
        else
            errors.push_back({path, line, u"「%1」は使えない値です"_s.arg(*v)});
    }
    const int state_line = in.line_no();
    auto state = in.next(errors);
    if (!state)
        return report;
    if (auto x = whole_number_in(*state, 0, 2))
        l.win_state = *x;
    else
        errors.push_back(
            {path, state_line, u"ウィンドウの状態「%1」は0から2の数ではありません"_s.arg(*state)});
    for (QString& spare : l.ini2_spare) {
        auto v = in.next(errors);
        if (!v)
            return report;
        spare = *v;
    }
    return report;
}

namespace {
QStringList window_lines(const WindowGeometry& g) {
    return {number_form(g.height), number_form(g.width), number_form(g.top), number_form(g.left),
            number_form(g.state)};
}
} // namespace

WriteResult window_file_write(const Ledger& l, const WindowGeometry& g) {
    QStringList out = window_lines(g);
    for (const QString& s : l.ini2_spare)
        out << s;
    return write_line_file(l.path(kWindowFile), out);
}

WriteResult window_file_create(const WindowGeometry& g, const QString& path) {
    QStringList out = window_lines(g);
    for (int i = 0; i < 5; ++i)
        out << QString();
    return write_line_file(path, out);
}

} // namespace kanvelo
