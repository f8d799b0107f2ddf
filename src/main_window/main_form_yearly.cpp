#include "ledger/ledger.h"
#include "main_window/main_form.h"
#include "platform/modal.h"
#include "search/kensaku_form.h"
#include "yearly/nenkan_form.h"

#include <optional>

namespace kanvelo {

void Main_Form::menu_nenkan() {
    NenkanForm form(ledger_, this);
    std::optional<SearchHit> found;
    connect(&form, &NenkanForm::category_chosen, this,
            [&](int himoku_no, const QString& first_day, const QString& last_day) {
                KensakuForm search(ledger_, &form);
                search.narrow_to_category(himoku_no, first_day, last_day);
                run_modal(search);
                // Showing the entry opens its month, which the table must not outlive.
                if (search.chosen()) {
                    found = search.chosen();
                    form.reject();
                }
            });
    run_modal(form);
    if (found)
        show_found_entry(found->nen, found->tuki, found->index);
}

} // namespace kanvelo
