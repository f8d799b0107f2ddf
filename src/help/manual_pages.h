#pragma once

#include <QString>
#include <vector>

// The user guide built into the program: HTML pages under the resource
// folder :/manual, one per window (named as the window's objectName) and one
// per task. A page lists itself in the contents with its <title> and a
// <meta name="order" content="..."> giving its place; so adding a page is
// adding its file to docs/manual.
namespace kanvelo {

inline const QString kManualFolder = QStringLiteral(":/manual/");
inline const QString kManualIndex = QStringLiteral("index.html");

struct ManualPage {
    QString file; // "Kinyu_form.html"
    QString title;
    int order = 0;
};

// Every page, by order then title; the index first.
std::vector<ManualPage> manual_pages(const QString& folder = kManualFolder);

// The page of a window: its own, or the one of the nearest window that has
// one among `names` (the window itself first, then its parents); the index
// when none has.
QString manual_page_for(const QStringList& names, const QString& folder = kManualFolder);

// <title> and the order of a page's HTML; order 1000 when it gives none.
ManualPage manual_page_info(const QString& file, const QString& html);

} // namespace kanvelo
