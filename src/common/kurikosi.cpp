#include "common/kurikosi.h"

#include "common/notices.h"
#include "ledger/ledger.h"
#include "ledger/other_month.h"
#include "ledger/values.h"
#include "platform/message_box.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace kanvelo {

bool kurikosi(QWidget* parent, Ledger& ledger, int wallet, QLineEdit* kingaku, QLineEdit* tekiyo) {
    show_kurikosi_notice(parent);
    if (wallet < 0 || wallet >= kSaifuCount)
        return false;
    const CarryOver r = carry_over_balance(ledger, wallet);
    switch (r.status) {
    case CarryOver::Status::Missing:
        show_nofile(parent);
        return false;
    case CarryOver::Status::OldFormat:
        show_message(parent, u"先月のファイルは旧ﾊﾞｰｼﾞｮﾝ形式なので使えません"_s, QString(),
                     MsgIcon::Exclamation);
        return false;
    case CarryOver::Status::Damaged:
        show_failure_modal(parent, r.errors.front().message());
        return false;
    case CarryOver::Status::Ok:
        break;
    }
    kingaku->setText(format_number(r.zankin, u"#,##0"_s));
    tekiyo->setText(u"【繰越】"_s + ledger.saifu[wallet].name);
    return true;
}

} // namespace kanvelo
