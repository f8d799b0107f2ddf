#include "reports/fileout_done.h"

#include "ledger/ledger.h"
#include "platform/desktop.h"
#include "platform/message_box.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {
// ShellExecute's convention, which shell_open keeps: above 32 is success.
constexpr int kShellOk = 32;
} // namespace

void fileout_done(QWidget* parent, const Ledger& ledger, const QString& text) {
    if (!show_message_offering(parent, text, u"やれやれ・・"_s, MsgIcon::None, u"フォルダを開く"_s))
        return;
    if (shell_open(ledger.app_path) > kShellOk)
        return;
    show_message(parent,
                 u"フォルダを開けませんでした。\n"_s + QDir::toNativeSeparators(ledger.app_path),
                 {}, MsgIcon::Exclamation);
}

void fileout_failed(QWidget* parent, const QString& what, const QString& detail) {
    show_message(parent, what + u"\n"_s + detail, {}, MsgIcon::Critical);
}

} // namespace kanvelo
