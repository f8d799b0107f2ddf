#include "help/help_commands.h"

#include "help/version_form.h"
#include "ledger/ledger.h"
#include "platform/desktop.h"
#include "platform/message_box.h"
#include "platform/modal.h"

#include <QDir>
#include <QFileInfo>

namespace kanvelo {

namespace {

// Message boxes break lines at a lone CR as well as at LF.
const QString kRetryLines = QStringLiteral("インターネットに接続する環境を整えてから\r"
                                           "もう一度お試し下さい。");

constexpr int kShellNotFound = 2;

} // namespace

QString manual_path(const Ledger& ledger) {
    const QString exact = ledger.path(QStringLiteral("poro.doc"));
    if (QFileInfo(exact).isFile())
        return exact;
    // The document was distributed as PORO.DOC; a Linux file system tells the cases apart.
    const QDir folder(ledger.app_path);
    const QStringList found =
        folder.entryList({QStringLiteral("poro.doc")}, QDir::Files | QDir::Readable);
    return found.isEmpty() ? QString() : folder.filePath(found.first());
}

void show_manual(QWidget* owner, const Ledger& ledger) {
    const QString path = manual_path(ledger);
    if (path.isEmpty()) {
        show_message(owner, QStringLiteral("PORO.DOCファイルが見つかりませんでした。"),
                     QStringLiteral("使い方を表示できません"), MsgIcon::Critical);
        return;
    }
    shell_open(path);
}

void open_maker_page(QWidget* owner) {
    if (shell_open(kMakerPageUrl) != kShellNotFound)
        return;
    beep();
    show_message(owner, kRetryLines, QStringLiteral("インターネットにアクセスできません。"));
}

void open_author_page(QWidget* owner) {
    if (shell_open(kAuthorPageUrl) != kShellNotFound)
        return;
    beep();
    show_message(owner,
                 kRetryLines + QStringLiteral("\r\r"
                                              "モルテアホームページでは、ぽるるをはじめ\r"
                                              "最新のモルテアソフトがダウンロードできます。"),
                 QStringLiteral("モルテアホームページにアクセスできません。"));
}

void show_version(QWidget* owner) {
    VersionForm form(false, owner);
    run_modal(form);
}

void show_splash(QWidget* owner) {
    VersionForm form(true, owner);
    run_modal(form);
}

} // namespace kanvelo
