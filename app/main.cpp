#include "help/version_art.h"
#include "ledger/ledger.h"
#include "main_window/main_form.h"
#include "platform/translations.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <memory>

using namespace kanvelo;

namespace {

// The folder beside the executable when it holds kanvelo.ini (a portable copy),
// otherwise the per-user data folder.
QString data_folder() {
    const QString beside = QCoreApplication::applicationDirPath();
    if (QFileInfo::exists(beside + QStringLiteral("/kanvelo.ini")))
        return beside;
    const QString user = QDir::homePath() + QStringLiteral("/.local/share/kanvelo");
    QDir().mkpath(user);
    return user;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kanvelo"));
    QApplication::setWindowIcon(app_icon());
    load_qt_translations();
    auto ledger = std::make_unique<Ledger>();
    ledger->app_path = QDir(data_folder()).absolutePath() + u'/';
    Main_Form form(*ledger);
    form.startup();
    form.show();
    return app.exec();
}
