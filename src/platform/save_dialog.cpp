#include "platform/save_dialog.h"

#include "platform/message_box.h"
#include "platform/modal.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace kanvelo {

QString documents_folder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString ask_save_path(QWidget* parent, const SaveKind& kind, const QString& file_name) {
    QString proposed = documents_folder() + file_name;
    for (;;) {
        QFileDialog dialog(parent, kind.title, proposed, kind.filter);
        dialog.setObjectName(kind.dialog_name);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(kind.suffix);
        // Qt's own dialog, in Japanese through its translations; the question
        // about replacing a file is the program's own.
        dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
        if (run_modal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        const QString path = dialog.selectedFiles().first();
        if (!QFileInfo::exists(path))
            return path;
        if (show_message(parent,
                         u"「"_s + QFileInfo(path).fileName() +
                             u"」はもうあります。置き換えますか？"_s,
                         {}, MsgIcon::Question, MsgButtons::YesNo) == MsgAnswer::Yes)
            return path;
        proposed = path;
    }
}

QString ask_open_path(QWidget* parent, const SaveKind& kind) {
    QFileDialog dialog(parent, kind.title, documents_folder(), kind.filter);
    dialog.setObjectName(kind.dialog_name);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOptions(QFileDialog::DontUseNativeDialog);
    if (run_modal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

} // namespace kanvelo
