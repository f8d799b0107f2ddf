#include "common/date_row.h"

#include "ledger/calendar.h"
#include "platform/geometry.h"
#include "platform/spinner.h"
#include "platform/widgets.h"

#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace kanvelo {

DateRow add_date_row(QWidget* window, const DateRowPlace& place) {
    const QString names[] = {u"_nen"_s, u"_tuki"_s, u"_hi"_s};
    const QString units[] = {u"年"_s, u"月"_s, u"日"_s};
    const int maxima[] = {kYearMax, 12, 31};
    const int minima[] = {kYearMin, 1, 1};
    QLineEdit* boxes[3];
    Spinner* spinners[3];
    for (int i = 0; i < 3; ++i) {
        const QString name = place.prefix + names[i];
        const double left = place.lefts[i];
        const double width = place.widths[i];
        QLineEdit* box = make_box(window, name);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        place_twips(box, left, place.top, width, 345);
        auto* spinner = new Spinner(minima[i], maxima[i], window);
        spinner->setObjectName(name + u"_vsc"_s);
        if (place.typed) {
            // Half-width digits only, as in the number and amount boxes.
            box->setAttribute(Qt::WA_InputMethodEnabled, false);
            spinner->bind(box);
        } else {
            box->setReadOnly(true);
            box->setFocusPolicy(Qt::NoFocus);
        }
        place_twips(spinner, left + width + 15, place.top - 15, 255, 375);
        place_twips(make_label(window, place.labels[i], units[i], box),
                    left + width + place.label_gap, place.top + 30, place.label_width, 285);
        boxes[i] = box;
        spinners[i] = spinner;
    }
    return {boxes[0], boxes[1], boxes[2], spinners[0], spinners[1], spinners[2]};
}

} // namespace kanvelo
