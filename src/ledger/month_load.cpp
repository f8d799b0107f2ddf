#include "ledger/month_load.h"

#include "ledger/guards.h"
#include "ledger/month_file.h"
#include "ledger/settings_file.h"
#include "ledger/values.h"

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

void append(FileErrors& to, const FileErrors& from) {
    to.insert(to.end(), from.begin(), from.end());
}

// The open month names the month file, so it must be a real year and month:
// a damaged or hand-edited value opens the month of today instead of a file
// such as "~abcd13.dat".
void check_open_month(Ledger& l, const QDate& today, FileErrors& errors) {
    const auto year = whole_number_in(l.nen, 1900, 3000);
    const auto month = whole_number_in(l.tuki, 1, 12);
    if (year && month) {
        l.nen = format_number(*year, u"0000"_s);
        l.tuki = format_number(*month, u"00"_s);
        return;
    }
    errors.push_back({l.path(kSettingsFile), 92,
                      u"開いていた月「%1年%2月」が正しくありません"_s.arg(l.nen, l.tuki)});
    l.nen = format_number(today.year(), u"0000"_s);
    l.tuki = format_number(today.month(), u"00"_s);
}

} // namespace

FileErrors ledger_load(Ledger& l, const QDate& today) {
    FileErrors errors;
    ReadReport ini = settings_read(l);
    if (ini.missing) {
        if (auto e = settings_create(l, today))
            errors.push_back(*e);
        ini = settings_read(l);
    }
    if (ini.missing)
        errors.push_back({l.path(kSettingsFile), 0, u"開けませんでした"_s});
    // Kept as it stands; a first start works on the defaults in memory.
    if (ini.unreadable && l.himoku[0].no.isEmpty())
        set_default_settings(l, today);
    append(errors, ini.errors);
    check_open_month(l, today, errors);

    ReadReport dat = month_file_read(l);
    if (dat.missing) {
        if (auto e = month_file_create(l))
            errors.push_back(*e);
        dat = month_file_read(l);
    }
    if (dat.missing) {
        // Nothing could be read or created: show an empty month all the same.
        l.ledger_reset_month();
        l.ini_header = kSignature;
        l.dat_header = kSignature;
        errors.push_back({l.month_file_path(), 0, u"開けませんでした"_s});
    }
    append(errors, dat.errors);
    return errors;
}

WriteResult ledger_save_month(Ledger& l) {
    if (auto e = settings_write(l))
        return e;
    return month_file_save(l);
}

} // namespace kanvelo
