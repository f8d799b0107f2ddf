#include "help/version_art.h"
#include "ledger/backup.h"
#include "ledger/ledger.h"
#include "ledger/line_file.h"
#include "ledger/stray_files.h"
#include "main_window/folder_guard.h"
#include "main_window/main_form.h"
#include "platform/translations.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <memory>

using namespace Qt::StringLiterals;

using namespace kanvelo;

namespace {

// The folder beside the executable when it holds kanvelo.ini (a portable copy),
// otherwise the per-user data folder.
QString data_folder() {
    const QString beside = QCoreApplication::applicationDirPath();
    if (QFileInfo::exists(beside + u"/kanvelo.ini"_s))
        return beside;
    const QString user = QDir::homePath() + u"/.local/share/kanvelo"_s;
    // Private, as the XDG base directory rules ask of a data folder.
    make_path_synced(user);
    return user;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"kanvelo"_s);
    QApplication::setWindowIcon(app_icon());
    // Lets the desktop match the windows to the installed menu entry and icon.
    QGuiApplication::setDesktopFileName(u"org.kanvelo.Kanvelo"_s);
    load_qt_translations();
    const QString folder = QDir(data_folder()).absolutePath();
    FolderGuard guard(folder);
    if (!guard.open(nullptr))
        return 0;
    set_private_folder(folder);
    // Saves cut short by a crash or a power cut in an earlier run may have
    // left their temporary files behind; no save of this run has begun yet.
    const QDateTime started = QDateTime::currentDateTime();
    // Only the holder of the folder may: another program's save may be
    // writing them.
    if (!guard.read_only()) {
        remove_stray_temporaries(folder, started);
        remove_stray_temporaries(folder + u"/資産"_s, started);
        for (const QString& day : backup_days(folder + u'/'))
            remove_stray_temporaries(folder + u'/' + kBackupFolder + u'/' + day, started);
    }
    auto ledger = std::make_unique<Ledger>();
    ledger->app_path = folder + u'/';
    Main_Form form(*ledger);
    form.set_folder_guard(&guard);
    form.startup();
    form.show();
    return app.exec();
}
