#include "help/help_commands.h"

#include "help/help_form.h"
#include "help/version_form.h"
#include "ledger/ledger.h"
#include "platform/desktop.h"
#include "platform/message_box.h"
#include "platform/modal.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

// Message boxes break lines at a lone CR as well as at LF.
const QString kRetryLines = u"インターネットに接続する環境を整えてから\r"
                            "もう一度お試し下さい。"_s;

constexpr int kShellNotFound = 2;

} // namespace

QString manual_path(const Ledger& ledger) {
    const QString exact = ledger.path(u"poro.doc"_s);
    if (QFileInfo(exact).isFile())
        return exact;
    // The document was distributed as PORO.DOC; a Linux file system tells the cases apart.
    const QDir folder(ledger.app_path);
    const QStringList found = folder.entryList({u"poro.doc"_s}, QDir::Files | QDir::Readable);
    return found.isEmpty() ? QString() : folder.filePath(found.first());
}

void show_manual(QWidget* owner, const Ledger& ledger) {
    // A document the user keeps in the data folder still comes first.
    const QString path = manual_path(ledger);
    if (path.isEmpty()) {
        show_help(owner);
        return;
    }
    shell_open(path);
}

void open_maker_page(QWidget* owner) {
    if (shell_open(kMakerPageUrl) != kShellNotFound)
        return;
    beep();
    show_message(owner, kRetryLines, u"インターネットにアクセスできません。"_s);
}

void open_author_page(QWidget* owner) {
    if (shell_open(kAuthorPageUrl) != kShellNotFound)
        return;
    beep();
    show_message(owner,
                 kRetryLines + u"\r\r"
                               "モルテアホームページでは、ぽるるをはじめ\r"
                               "最新のモルテアソフトがダウンロードできます。"_s,
                 u"モルテアホームページにアクセスできません。"_s);
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
