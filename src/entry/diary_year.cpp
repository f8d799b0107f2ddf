#include "entry/diary_year.h"

#include "ledger/calendar.h"
#include "ledger/diary_file.h"
#include "ledger/ledger.h"
#include "ledger/values.h"

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {
QString year_text(int year) {
    return format_number(year, u"0000"_s);
}
} // namespace

DiaryYear::DiaryYear(Ledger& ledger) : ledger_(ledger), year_(open_year()) {}

int DiaryYear::open_year() const {
    return diary_year(ledger_.nen);
}

DiaryYear::Switch DiaryYear::switch_to(int to) {
    if (WriteResult failed = save())
        return {failed, std::nullopt};
    return {std::nullopt, load(to)};
}

WriteResult DiaryYear::save() {
    WriteResult failed = diary_save(ledger_, year_text(year_));
    if (!failed)
        ledger_.nikki_changed = false;
    return failed;
}

WriteResult DiaryYear::come_home() {
    if (!away())
        return std::nullopt;
    return load(open_year());
}

WriteResult DiaryYear::load(int year) {
    WriteResult create_error;
    const ReadReport report = diary_load(ledger_, year_text(year), &create_error);
    year_ = year;
    ledger_.nikki_changed = false;
    if (create_error)
        return create_error;
    if (!report.errors.empty())
        return report.errors.front();
    return std::nullopt;
}

} // namespace kanvelo
