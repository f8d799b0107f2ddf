#include "common/category_list.h"

#include "ledger/guards.h"
#include "ledger/ledger.h"

#include <QFontDatabase>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace kanvelo {

QString category_list_item(const Ledger& ledger, int slot) {
    const HimokuRec& h = ledger.himoku[slot];
    const int no = whole_number_in(h.no, 1, kHimokuCount).value_or(slot + 1);
    return u' ' + QString::number(no).rightJustified(2, u' ') + u"   "_s + h.name;
}

ListPick category_from_list_item(const QString& item) {
    return {item.mid(1, 2), item.mid(6, 6)};
}

void use_category_list_font(QWidget* list) {
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setFamilies({u"Noto Sans Mono CJK JP"_s, u"IPAGothic"_s, u"VL Gothic"_s, u"TakaoGothic"_s,
                       fixed.family()});
    fixed.setPointSizeF(list->font().pointSizeF());
    list->setFont(fixed);
}

} // namespace kanvelo
