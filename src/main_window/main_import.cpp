#include "common/month_edits.h"
#include "import/bunrui_form.h"
#include "import/torikomi_form.h"
#include "main_window/main_form.h"
#include "platform/modal.h"
#include "platform/save_dialog.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

// The one local file of a drop; empty when it carries anything else.
QString dropped_file(const QMimeData* mime) {
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1)
        return QString();
    const QUrl url = mime->urls().first();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

} // namespace

void Main_Form::menu_torikomi() {
    const QString path =
        ask_open_path(this, {u"torikomi_open"_s,
                             u"取り込む明細のファイル"_s,
                             u"明細 (*.csv *.CSV *.txt *.TXT *.tsv *.TSV);;すべてのファイル (*)"_s,
                             {}});
    if (!path.isEmpty())
        import_file(path);
}

void Main_Form::import_file(const QString& path) {
    import_statement(this, *edits_, path);
}

void Main_Form::menu_bunrui() {
    BunruiForm form(ledger_, this);
    run_modal(form);
}

void Main_Form::dragEnterEvent(QDragEnterEvent* event) {
    if (!dropped_file(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Main_Form::dropEvent(QDropEvent* event) {
    const QString path = dropped_file(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // The drag ends before the preview opens, so the other program is not kept waiting.
    QTimer::singleShot(0, this, [this, path] { import_file(path); });
}

} // namespace kanvelo
