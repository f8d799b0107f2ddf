#include "help/manual_pages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

constexpr int kNoOrder = 1000;

} // namespace

ManualPage manual_page_info(const QString& file, const QString& html) {
    static const QRegularExpression title(u"<title>(.*?)</title>"_s,
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression order(
        uR"re(<meta\s+name\s*=\s*"order"\s+content\s*=\s*"(\d+)")re"_s,
        QRegularExpression::CaseInsensitiveOption);
    ManualPage page{file, QFileInfo(file).completeBaseName(), kNoOrder};
    if (const auto m = title.match(html); m.hasMatch())
        page.title = m.captured(1).simplified();
    if (const auto m = order.match(html); m.hasMatch())
        page.order = m.captured(1).toInt();
    return page;
}

std::vector<ManualPage> manual_pages(const QString& folder) {
    std::vector<ManualPage> pages;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({u"*.html"_s}, QDir::Files)) {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        pages.push_back(manual_page_info(name, QString::fromUtf8(f.readAll())));
    }
    std::sort(pages.begin(), pages.end(), [](const ManualPage& a, const ManualPage& b) {
        const bool a_index = a.file == kManualIndex;
        const bool b_index = b.file == kManualIndex;
        if (a_index != b_index)
            return a_index;
        if (a.order != b.order)
            return a.order < b.order;
        return a.title < b.title;
    });
    return pages;
}

QString manual_page_for(const QStringList& names, const QString& folder) {
    for (const QString& name : names) {
        const QString file = name + u".html"_s;
        if (!name.isEmpty() && QFileInfo(folder + file).isFile())
            return file;
    }
    return kManualIndex;
}

} // namespace kanvelo
