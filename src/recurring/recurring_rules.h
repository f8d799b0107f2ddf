#pragma once

#include "ledger/recurring_file.h"

#include <QString>
#include <optional>

namespace kanvelo {

struct Ledger;

// The boxes of the template settings as typed.
struct TemplateTexts {
    RecurringTemplate::Repeat repeat = RecurringTemplate::Repeat::Monthly;
    QString every, from_nen, from_tuki, day, himoku_no, kingaku, tekiyo;
    int saifu_no = 0;
};

// Which box a refusal sends the focus back to.
enum class TemplateBox { None, Every, FromNen, FromTuki, Day, Himoku, Kingaku };

struct TemplateCheck {
    std::optional<RecurringTemplate> tmpl; // set when every box is right
    QString message;
    TemplateBox box = TemplateBox::None;
};
TemplateCheck template_from_texts(const TemplateTexts& texts);

// The boxes' texts for a template, the reverse of template_from_texts.
TemplateTexts texts_of(const RecurringTemplate& t);

// A row of the list: "毎月 25日   8 住居費  80,000  家賃  （給料振込口座）".
QString template_row_text(const Ledger& ledger, const RecurringTemplate& t);

} // namespace kanvelo
