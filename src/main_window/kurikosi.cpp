#include "main_window/kurikosi.h"

#include "ledger/ledger.h"
#include "ledger/other_month.h"
#include "ledger/values.h"
#include "main_window/debug_window.h"
#include "main_window/kurikosi_form.h"
#include "main_window/nofile_form.h"
#include "platform/message_box.h"
#include "platform/modal.h"

#include <QLineEdit>

namespace kanvelo {

bool kurikosi(QWidget* parent, Ledger& ledger, int wallet, QLineEdit* kingaku, QLineEdit* tekiyo) {
    {
        KurikosiForm notice(parent);
        run_modal(notice);
    }
    if (wallet < 0 || wallet >= kSaifuCount)
        return false;
    const CarryOver r = carry_over_balance(ledger, wallet);
    switch (r.status) {
    case CarryOver::Status::Missing:
        show_nofile(parent);
        return false;
    case CarryOver::Status::OldFormat:
        show_message(parent, QStringLiteral("先月のファイルは旧ﾊﾞｰｼﾞｮﾝ形式なので使えません"), QString(),
                     MsgIcon::Exclamation);
        return false;
    case CarryOver::Status::Damaged: {
        const FileError& e = r.errors.front();
        DebugWindow window(parent);
        window.set_contact_code(e.message());
        run_modal(window);
        return false;
    }
    case CarryOver::Status::Ok:
        break;
    }
    ledger.kurikosi_zankin = r.zankin;
    kingaku->setText(format_number(r.zankin, QStringLiteral("#,##0")));
    tekiyo->setText(QStringLiteral("【繰越】") + ledger.saifu[wallet].name);
    return true;
}

} // namespace kanvelo
