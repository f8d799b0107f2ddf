#include "ledger/month_file.h"

#include "ledger/guards.h"
#include "ledger/line_cursor.h"
#include "ledger/line_file.h"
#include "ledger/values.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace kanvelo {

std::optional<double> header_version(const QString& header) {
    return number_in(header.mid(4, 4), 0, 9999);
}

QString month_file_name(const Ledger& ledger, const QString& nen, const QString& tuki) {
    return ledger.path(u'~' + nen + tuki + u".dat"_s);
}

namespace {

// Reads five-line category blocks into slots 0..29 and adds the budgets to the
// budget totals. Returns false when the file ended inside the section.
bool read_categories(Ledger& l, LineCursor& in, FileErrors& errors) {
    for (int c = 0; c < kHimokuCount; ++c) {
        HimokuRec& h = l.himoku[c];
        QString* fields[] = {&h.no, &h.name, &h.yosan_kingaku, &h.kubun, &h.yosan_comment};
        for (QString* f : fields) {
            auto v = in.next(errors);
            if (!v)
                return false;
            *f = *v;
        }
        const int kubun_line = in.line_no() - 2;
        if (!is_number(h.kubun))
            errors.push_back({in.path(), kubun_line,
                              u"収入・支出の区分「%1」が数字ではありません"_s.arg(h.kubun)});
        if (h.yosan_kingaku.isEmpty())
            continue;
        auto budget = amount_value(h.yosan_kingaku);
        if (!budget) {
            errors.push_back(
                {in.path(), kubun_line - 1, u"予算の"_s + amount_problem(h.yosan_kingaku)});
            continue;
        }
        (h.is_income() ? l.yosan_syunyu_goukei : l.yosan_sisyutu_goukei) += *budget;
    }
    return true;
}

// Reads entries of `fields` lines each until the end of the file. A block cut
// short by the end of the file is kept when it holds at least date, category
// and amount: its description is then empty and its wallet the cash wallet.
void read_entries(Ledger& l, LineCursor& in, int fields, bool headerless, FileErrors& errors) {
    int i = 1;
    while (!in.at_end() && i <= kSyusiLimit) {
        const int block_line = in.line_no();
        QStringList values;
        while (values.size() < fields && !in.at_end())
            values.append(*in.next(errors));
        if (values.size() < fields) {
            errors.push_back(
                {in.path(), in.line_no(), u"ファイルが収支データの途中で終わっています"_s});
            if (values.size() < 3)
                return;
        }
        while (values.size() < 5)
            values.append(QString());
        SyusiRec& s = l.syusi[i];
        s.hiduke = values[0];
        s.himoku_no = values[1];
        s.kingaku = values[2];
        s.tekiyo = values[3];
        s.saifu_no = values[4];
        if (headerless || s.saifu_no.isEmpty())
            s.saifu_no = number_form(0);
        if (headerless && himoku_slot(s.himoku_no) == kTransferHimoku - 1)
            s.himoku_no = number_form(29);
        if (auto problem = l.syusi_apply(i))
            errors.push_back({in.path(), block_line, *problem});
        ++l.kensu;
        ++i;
    }
    if (!in.at_end())
        errors.push_back({in.path(), in.line_no(),
                          u"%1件を超える収支データは読み込めません"_s.arg(kSyusiLimit)});
}

void read_headerless(Ledger& l, LineCursor& in, FileErrors& errors) {
    l.ledger_reset_month();
    const bool whole = read_categories(l, in, errors);
    l.himoku[29].name = u"財布<=>口座"_s;
    l.himoku[29].kubun = number_form(-1);
    if (whole)
        read_entries(l, in, 4, true, errors);
}

} // namespace

bool read_wallets(Ledger& l, LineCursor& in, int count, FileErrors& errors) {
    for (int w = 0; w < count; ++w) {
        for (QString* f : {&l.saifu[w].no, &l.saifu[w].name}) {
            auto v = in.next(errors);
            if (!v)
                return false;
            *f = *v;
        }
    }
    for (int w = count; w < kSaifuCount; ++w) {
        l.saifu[w].no = number_form(w + 1);
        l.saifu[w].name = u"その他"_s;
    }
    return true;
}

ReadReport month_file_read(Ledger& l) {
    ReadReport report;
    const QString path = l.month_file_path();
    LineFile file = read_reported(path, report);
    l.note_read(path, file.unreadable);
    l.damaged_copy_name.clear();
    l.damaged_copy_of.clear();
    l.damaged_copy_pending = false;
    if (file.missing)
        return report;
    l.ledger_reset_month();
    l.ini_header = kSignature;
    l.dat_header = kSignature;
    if (file.unreadable)
        return report;
    FileErrors& errors = report.errors;
    LineCursor in(file, path);

    auto header = in.next(errors);
    if (header && !header->startsWith(u'@')) {
        LineCursor again(file, path);
        read_headerless(l, again, errors);
    } else if (header) {
        l.dat_header = *header;
        if (read_categories(l, in, errors)) {
            auto v = header_version(*header);
            if (!v)
                errors.push_back({path, 1, u"版数が読めません"_s});
            const int wallets = (v && *v < 2.4) ? 10 : kSaifuCount;
            if (read_wallets(l, in, wallets, errors))
                read_entries(l, in, 5, false, errors);
        }
    }
    l.ini_header = kSignature;
    l.dat_header = kSignature;
    // A category block cut short by the end of the file still holds the
    // budget it read: the totals count what the table holds.
    l.budget_totals_recalc();
    if (!errors.empty()) {
        l.damaged_copy_of = path;
        l.damaged_copy_name = QFileInfo(damaged_copy_path(path)).fileName();
        l.damaged_copy_pending = true;
    }
    return report;
}

QStringList month_file_lines(const Ledger& l) {
    QStringList out;
    out.reserve(1 + kHimokuCount * 5 + kSaifuCount * 2 + l.kensu * 5);
    out << l.dat_header;
    for (int c = 0; c < kHimokuCount; ++c) {
        const HimokuRec& h = l.himoku[c];
        out << h.no << h.name << h.yosan_kingaku << h.kubun << h.yosan_comment;
    }
    for (int w = 0; w < kSaifuCount; ++w)
        out << l.saifu[w].no << l.saifu[w].name;
    const QString amount_pattern = u"#,##0"_s;
    for (int i = 1; i <= l.kensu; ++i) {
        const SyusiRec& s = l.syusi[i];
        // An amount that cannot be used is written as held, so that saving
        // a damaged month does not change it.
        const auto k = amount_value(s.kingaku);
        out << s.hiduke << s.himoku_no << (k ? format_number(*k, amount_pattern) : s.kingaku)
            << s.tekiyo << s.saifu_no;
    }
    return out;
}

WriteResult month_file_write(const Ledger& l) {
    if (auto refused = l.refuse_overwrite(l.month_file_path()))
        return refused;
    return write_line_file(l.month_file_path(), month_file_lines(l));
}

QString damaged_copy_path(const QString& month_path) {
    const QString base = month_path + u".damaged"_s;
    for (int n = 1;; ++n) {
        const QString candidate = n == 1 ? base : base + QString::number(n);
        if (!file_exists(candidate) && !QFileInfo(candidate).isSymLink())
            return candidate;
    }
}

namespace {

// Copies the month file as it stands on the disk, under a name no earlier
// copy holds, before it is replaced.
WriteResult keep_damaged_copy(Ledger& l, const QString& path) {
    const FileBytes original = read_file_bytes(path);
    if (original.missing)
        return std::nullopt; // nothing left to keep
    auto stop = [&](const QString& why) -> WriteResult {
        return FileError{path, 0,
                         u"問題のあった元のファイルを「%1」として残せなかったので、"
                         "保存をやめました。%2"_s.arg(l.damaged_copy_name, why)};
    };
    if (original.unreadable)
        return stop(original.unreadable->detail);
    const QString target = damaged_copy_path(path);
    l.damaged_copy_name = QFileInfo(target).fileName();
    if (auto failed = write_file_bytes(target, original.bytes))
        return stop(failed->detail);
    return std::nullopt;
}

} // namespace

WriteResult month_file_save(Ledger& l) {
    const QString path = l.month_file_path();
    if (auto refused = l.refuse_overwrite(path))
        return refused;
    if (l.damaged_copy_pending && l.damaged_copy_of == path) {
        if (auto failed = keep_damaged_copy(l, path))
            return failed;
        l.damaged_copy_pending = false;
    }
    return month_file_write(l);
}

WriteResult month_file_create(Ledger& l) {
    QStringList out;
    out << kSignature;
    for (int c = 0; c < kHimokuCount; ++c) {
        HimokuRec& h = l.himoku[c];
        h.no = number_form(c + 1);
        out << h.no << h.name << number_form(0) << h.kubun << QString();
    }
    for (int w = 0; w < kSaifuCount; ++w) {
        l.saifu[w].no = number_form(w + 1);
        out << l.saifu[w].no << l.saifu[w].name;
    }
    return write_line_file(l.month_file_path(), out);
}

} // namespace kanvelo
