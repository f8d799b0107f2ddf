// Any text through the conversions and display formats: no crash, no "inf" or
// "nan" on screen, and a formatted amount reads back as the amount.
#include "fuzz_support.h"
#include "ledger/guards.h"
#include "ledger/values.h"

#include <cmath>

using namespace Qt::StringLiterals;

using namespace kanvelo;
using namespace kanvelo::fuzz;

namespace {

const QString kPatterns[] = {
    u"#,##0"_s, u"#,###"_s,  u"#,##0.0"_s, u"0.0"_s, u"0.000"_s,      u"00"_s,
    u"0000"_s,  u"000000"_s, u"0000000"_s, u"@@"_s,  u"@@@@@@@@@@"_s, u"@@@@@@@@@@@@@@@"_s,
};

bool shows_no_word(const QString& shown) {
    for (QChar c : shown)
        if (c.isLetter())
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(input_bytes(data, size));
    const std::optional<double> v = to_number(text);
    leading_number(text);
    himoku_slot(text);
    saifu_slot(text);
    for (const QString& p : kPatterns) {
        const QString shown = format_value(text, p);
        if (v && !p.startsWith(u'@'))
            require(shows_no_word(shown), "a number is shown in digits");
    }
    if (!v)
        return 0;
    for (const QString& p : kPatterns)
        if (!p.startsWith(u'@'))
            require(shows_no_word(format_number(*v, p)), "a number is shown in digits");
    require(shows_no_word(number_form(*v)), "the number form is digits");
    if (const std::optional<double> amount = amount_value(text)) {
        const std::optional<double> back = to_number(format_number(*amount, u"#,##0"_s));
        // Rounding works on the 15 digits a double holds, so a half may tip
        // at the last of them.
        const double slack = 0.5 + std::fabs(*amount) * 1e-14;
        require(back && std::fabs(*back - *amount) <= slack, "a formatted amount reads back");
        const std::optional<double> stored = to_number(number_form(std::round(*amount)));
        require(stored && *stored == std::round(*amount), "the number form reads back");
    }
    return 0;
}
