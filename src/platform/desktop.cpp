#include "platform/desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QUrl>

namespace kanvelo {

using namespace Qt::StringLiterals;

namespace {

constexpr int kShellFailed = 2;
constexpr int kShellOpened = 42;

std::function<int(const QString&)>& shell_hook() {
    static std::function<int(const QString&)> hook;
    return hook;
}

int& beeps() {
    static int count = 0;
    return count;
}

// A scheme has two characters at least, so that "C:/..." stays a path.
QString scheme_of(const QString& target) {
    static const QRegularExpression scheme(u"^([A-Za-z][A-Za-z0-9+.\\-]+):"_s);
    const QRegularExpressionMatch match = scheme.match(target);
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

} // namespace

BusyPointer::BusyPointer() {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyPointer::~BusyPointer() {
    QGuiApplication::restoreOverrideCursor();
}

void beep() {
    ++beeps();
    QApplication::beep();
}

int beep_count_for_tests() {
    return beeps();
}

int shell_open(const QString& target) {
    if (shell_hook())
        return shell_hook()(target);

    const QString scheme = scheme_of(target);
    QUrl url;
    if (scheme.isEmpty() || scheme == u"file"_s) {
        const QString path = scheme.isEmpty() ? target : QUrl(target).toLocalFile();
        const QFileInfo info(path);
        if (path.isEmpty() || !info.exists())
            return kShellFailed;
        url = QUrl::fromLocalFile(info.absoluteFilePath());
    } else {
        url = QUrl(target);
    }
    if (!url.isValid())
        return kShellFailed;
    return QDesktopServices::openUrl(url) ? kShellOpened : kShellFailed;
}

void set_shell_open_for_tests(std::function<int(const QString&)> handler) {
    shell_hook() = std::move(handler);
}

} // namespace kanvelo
