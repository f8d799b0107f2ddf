#include "help/help_form.h"
#include "help/help_key.h"
#include "help/manual_pages.h"
#include "support/gui_keys.h"
#include "support/gui_month_view.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

QString read_text(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(f.readAll());
}

// Window objectNames in the sources: set in a constructor, a notice's, a print window's + "_form".
QStringList window_names() {
    const QRegularExpression patterns[] = {
        QRegularExpression(uR"re(^\s*setObjectName\(u"(\w+)"_s\);)re"_s,
                           QRegularExpression::MultilineOption),
        QRegularExpression(uR"re(\{\s*u"(\w+)"_s,\s*u"[^"]*"_s,\s*\{\{)re"_s),
        QRegularExpression(uR"re(\{u"(\w+)"_s,\s*u"[^"]*"_s,\s*&print_\w+)re"_s),
    };
    QStringList names;
    QDirIterator it(QStringLiteral(KANVELO_SOURCE_DIR) + u"/src"_s, {u"*.cpp"_s}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = read_text(it.next());
        for (int p = 0; p < 3; ++p) {
            auto m = patterns[p].globalMatch(source);
            while (m.hasNext())
                names << m.next().captured(1) + (p == 2 ? u"_form"_s : QString());
        }
    }
    return names;
}

struct PageRefs {
    QStringList links;
    QStringList images;
};

PageRefs refs_of(const QString& html) {
    PageRefs refs;
    QTextDocument doc;
    doc.setHtml(html);
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto f = b.begin(); !f.atEnd(); ++f) {
            const QTextCharFormat format = f.fragment().charFormat();
            if (format.isImageFormat())
                refs.images << format.toImageFormat().name();
            else if (format.isAnchor() && !format.anchorHref().isEmpty())
                refs.links << format.anchorHref();
        }
    }
    refs.links.removeDuplicates();
    return refs;
}

} // namespace

TEST(Manual, EveryWindowHasItsPageBuiltIntoTheProgram) {
    const QStringList names = window_names();
    // The scan finds the windows of every kind, not only some.
    for (const char16_t* known :
         {u"Main_Form", u"Kinyu_form", u"print_himoku_form", u"osimai_form", u"Nenkan_form"})
        EXPECT_TRUE(names.contains(QString::fromUtf16(known)))
            << QString::fromUtf16(known).toStdString();
    for (const QString& name : names)
        EXPECT_TRUE(QFile::exists(kManualFolder + name + u".html"_s))
            << "no page docs/manual/" << name.toStdString() << ".html";
}

TEST(Manual, EveryLinkAndPictureResolvesAndEveryPageIsReachableFromTheIndex) {
    const std::vector<ManualPage> pages = manual_pages();
    ASSERT_GT(pages.size(), 30u);
    EXPECT_EQ(pages.front().file, kManualIndex);
    QSet<QString> titles;
    for (const ManualPage& p : pages) {
        EXPECT_FALSE(p.title.isEmpty()) << p.file.toStdString();
        EXPECT_NE(p.order, 1000) << p.file.toStdString() << " has no order";
        titles.insert(p.title);
    }
    EXPECT_EQ(titles.size(), qsizetype(pages.size())) << "two pages share a title";

    QStringList queue{kManualIndex};
    QSet<QString> seen{kManualIndex};
    QSet<QString> shown; // every screenshot on disk must be shown somewhere
    while (!queue.isEmpty()) {
        const QString page = queue.takeFirst();
        const PageRefs refs = refs_of(read_text(kManualFolder + page));
        for (const QString& image : refs.images) {
            EXPECT_TRUE(QFile::exists(kManualFolder + image))
                << page.toStdString() << ": no picture " << image.toStdString();
            shown.insert(image);
        }
        for (const QString& link : refs.links) {
            const QUrl url(link);
            if (url.scheme() == u"https"_s)
                continue;
            const QString target = url.path();
            ASSERT_TRUE(url.scheme().isEmpty() && QFile::exists(kManualFolder + target))
                << page.toStdString() << ": link to " << link.toStdString();
            if (!seen.contains(target)) {
                seen.insert(target);
                queue << target;
            }
        }
    }
    for (const ManualPage& p : pages)
        EXPECT_TRUE(seen.contains(p.file)) << p.file.toStdString() << " is linked from nowhere";
    for (const QString& png : QDir(kManualFolder + u"images"_s).entryList({u"*.png"_s}))
        EXPECT_TRUE(shown.contains(u"images/"_s + png)) << png.toStdString();
}

TEST(Manual, PageInfoAndLookUpFallBackInOrder) {
    struct Case {
        const char16_t* html;
        const char16_t* title;
        int order;
    } cases[] = {
        {u"<title> 年間\n収支表 </title><meta name=\"order\" content=\"217\">", u"年間 収支表",
         217},
        {u"<TITLE>a</TITLE>", u"a", 1000},
        {u"<p>no head</p>", u"x_form", 1000},
    };
    for (const Case& c : cases) {
        const ManualPage p = manual_page_info(u"x_form.html"_s, QString::fromUtf16(c.html));
        EXPECT_EQ(p.title, QString::fromUtf16(c.title));
        EXPECT_EQ(p.order, c.order);
    }
    EXPECT_EQ(manual_page_for({u"calculator"_s, u"Kinyu_form"_s}), u"calculator.html"_s);
    EXPECT_EQ(manual_page_for({u"kinyu_kingaku"_s, u"Kinyu_form"_s}), u"Kinyu_form.html"_s);
    EXPECT_EQ(manual_page_for({u"nothing"_s, QString()}), kManualIndex);
    EXPECT_EQ(manual_page_for({u"../index"_s}), kManualIndex);
}

struct HelpKeyTest : MonthViewTest {};

TEST_F(HelpKeyTest, F1OpensThePageOfTheWindowItIsPressedInAndTheGuideFollowsLinks) {
    start({});
    QStringList pages;
    auto expect_help = [&](std::function<void(HelpForm&)> then = {}) {
        modals.next([&pages, then](QDialog& d) {
            auto& help = static_cast<HelpForm&>(d);
            pages << help.current_page();
            if (then)
                then(help);
            d.accept();
        });
    };
    open_with("MenuKensaku", [&](QDialog& d) {
        expect_help([](HelpForm& help) {
            auto* contents = help.findChild<QListWidget*>(u"help_contents"_s);
            EXPECT_EQ(contents->currentItem()->text(), u"検索"_s);
            auto* browser = help.findChild<QTextBrowser*>(u"help_browser"_s);
            browser->setSource(QUrl(u"Nenkan_form.html"_s));
            EXPECT_EQ(help.current_page(), u"Nenkan_form.html"_s);
            EXPECT_EQ(contents->currentItem()->text(), u"年間収支表"_s);
            click(help, "help_back");
            EXPECT_EQ(help.current_page(), u"Kensaku_form.html"_s);
            EXPECT_EQ(contents->currentItem()->text(), u"検索"_s);
            click_list_row(contents, 0);
            EXPECT_EQ(help.current_page(), kManualIndex);
        });
        auto* box = child<QLineEdit>(d, "kensaku_moji");
        QTest::keyClick(box, Qt::Key_F1);
        QTest::keyClick(box, Qt::Key_F1, Qt::ControlModifier); // not the guide's
        click(d, "kensaku_tojiru");
    });
    expect_help(); // in the main window: the guide on its contents
    make_active(*main);
    QTest::keyClick(main.get(), Qt::Key_F1);
    EXPECT_EQ(pages, (QStringList{u"Kensaku_form.html"_s, kManualIndex}));
    EXPECT_EQ(modals.unexpected(), 0);
}
