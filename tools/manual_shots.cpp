// Draws the user guide's screenshots from the real windows, on a sample
// household's year, offscreen: each window is shown, grabbed and saved as
// <its objectName>.png in the folder given. scripts/make_manual_shots.sh
// runs it; run it again whenever a window changes.
#include "assets/sisan_form.h"
#include "budget/yosan_form.h"
#include "charts/graph_form.h"
#include "diary/nikki_form.h"
#include "editing/saifu_form.h"
#include "editing/sakujo_form.h"
#include "editing/teisei_form.h"
#include "entry/kinyu_form.h"
#include "help/help_form.h"
#include "help/version_form.h"
#include "ledger/clock.h"
#include "ledger/line_file.h"
#include "ledger/month_file.h"
#include "ledger/settings_file.h"
#include "ledger/values.h"
#include "main_window/main_form.h"
#include "main_window/open_form.h"
#include "platform/grid.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/translations.h"
#include "reports/fileout2_form.h"
#include "reports/fileout_form.h"
#include "reports/print_himoku_form.h"
#include "reports/print_mainichi_form.h"
#include "search/kensaku_form.h"
#include "settings/option2_form.h"
#include "settings/option_form.h"
#include "settings/zei_form.h"
#include "yearly/nenkan_form.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <memory>

using namespace Qt::StringLiterals;
using namespace kanvelo;

namespace {

struct Sample {
    int day;
    int himoku;
    int kingaku;
    const char16_t* tekiyo;
    int saifu;
};

// A plain month of a household of two.
const Sample kMonth[] = {
    {1, 9, 72000, u"家賃", 1},
    {2, 12, 3480, u"スーパー", 0},
    {3, 15, 8200, u"電気代", 2},
    {5, 13, 2400, u"ランチ", 0},
    {6, 12, 2960, u"八百屋", 0},
    {8, 11, 1280, u"洗剤・ティッシュ", 0},
    {10, 17, 6400, u"携帯電話", 2},
    {12, 12, 4150, u"スーパー", 0},
    {14, 19, 5000, u"ガソリン", 0},
    {15, 30, 30000, u"口座から引き出し", 0},
    {15, 30, -30000, u"口座から引き出し", 1},
    {18, 21, 1800, u"歯医者", 0},
    {20, 12, 3890, u"スーパー", 0},
    {22, 23, 5000, u"お祝い", 0},
    {25, 2, 285000, u"給料", 1},
    {25, 25, 30000, u"積立て", 4},
    {27, 10, 6800, u"シャツ", 0},
    {28, 12, 2750, u"スーパー", 0},
};

void fill_month(Ledger& ledger, int year, int month, int shift) {
    ledger.nen = QString::number(year);
    ledger.tuki = u"%1"_s.arg(month, 2, 10, QChar(u'0'));
    ledger.ledger_reset_month();
    for (int c = 0; c < kHimokuCount; ++c)
        ledger.himoku[c].yosan_kingaku = number_form(0);
    ledger.himoku[11].yosan_kingaku = u"20,000"_s;
    ledger.himoku[12].yosan_kingaku = u"5,000"_s;
    ledger.himoku[14].yosan_kingaku = u"10,000"_s;
    for (const Sample& s : kMonth) {
        const int amount = s.himoku == 30 || s.himoku == 2 || s.himoku == 9
                               ? s.kingaku
                               : s.kingaku + (shift * 37 + s.day * 11) % 900;
        ledger.add_entry({ledger.nen + ledger.tuki + u"%1"_s.arg(s.day, 2, 10, QChar(u'0')),
                          QString::number(s.himoku), u"%L1"_s.arg(amount),
                          QString::fromUtf16(s.tekiyo), QString::number(s.saifu)});
    }
    ledger.budget_totals_recalc();
}

class Shots {
public:
    explicit Shots(QString folder) : folder_(std::move(folder)) {}

    void take(QWidget& window) {
        window.show();
        QApplication::processEvents();
        const QString path = folder_ + window.objectName() + u".png"_s;
        if (!window.grab().save(path, "PNG")) {
            QTextStream(stderr) << "cannot write " << path << '\n';
            failed_ = true;
        }
        window.hide();
    }
    bool failed() const { return failed_; }

private:
    QString folder_;
    bool failed_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: manual_shots OUTPUT_FOLDER\n";
        return 2;
    }
    load_qt_translations();
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + u'/';
    QDir().mkpath(out);
    QTemporaryDir data;
    clock_set_today_for_tests(QDate(2026, 4, 28));

    auto ledger = std::make_unique<Ledger>();
    ledger->app_path = data.path() + u'/';
    set_default_categories(*ledger);
    set_default_wallets(*ledger);
    ledger->ini_header = kSignature;
    ledger->dat_header = kSignature;
    // Thirteen months, so that the budget window has the same month last year.
    for (int m = 0; m < 13; ++m) {
        const int month = 4 + m; // 2025/04 .. 2026/04
        fill_month(*ledger, month > 12 ? 2026 : 2025, (month - 1) % 12 + 1, m);
        write_line_file(ledger->month_file_path(), month_file_lines(*ledger));
    }
    settings_write(*ledger);

    // Nothing may wait for an answer: a notice or message a window shows on
    // opening is answered at once.
    ModalDriver modals;
    MessageRecorder messages;
    Shots shots(out);
    Main_Form main_form(*ledger);
    main_form.set_splash_enabled(false);
    main_form.startup();
    main_form.resize(1000, 640);
    shots.take(main_form);
    const Grid* grid1 = main_form.findChild<Grid*>(u"Main_Grid1"_s);
    const Grid* grid2 = main_form.findChild<Grid*>(u"Main_Grid2"_s);

    KinyuForm kinyu(*ledger, ledger->kensu + 1);
    shots.take(kinyu);
    TeiseiForm teisei(*ledger, 2);
    shots.take(teisei);
    SakujoForm sakujo(*ledger, 2);
    shots.take(sakujo);
    SaifuForm saifu(*ledger);
    shots.take(saifu);
    OptionForm option(*ledger);
    shots.take(option);
    Option2Form option2(*ledger);
    shots.take(option2);
    ZeiForm zei(*ledger);
    shots.take(zei);
    YosanForm yosan(*ledger);
    shots.take(yosan);
    PrintMainichiForm mainichi(*ledger, *grid1);
    shots.take(mainichi);
    PrintHimokuForm himoku(*ledger, *grid2);
    shots.take(himoku);
    FileoutForm fileout(*ledger);
    shots.take(fileout);
    Fileout2Form fileout2(*ledger);
    shots.take(fileout2);
    NikkiForm nikki(*ledger);
    shots.take(nikki);
    AssetList assets;
    assets.sisan = {{u"普通預金"_s, u"1250000"_s, u"2026/04/25"_s, 0},
                    {u"定期預金"_s, u"3000000"_s, u"2026/01/10"_s, 0},
                    {u"自動車"_s, u"800000"_s, u"2025/11/03"_s, 0}};
    SisanForm sisan(ledger->app_path, assets);
    shots.take(sisan);
    GraphForm graph(*ledger);
    graph.resize(1100, 640);
    shots.take(graph);
    KensakuForm kensaku(*ledger);
    kensaku.findChild<QLineEdit*>(u"kensaku_moji"_s)->setText(u"スーパー"_s);
    kensaku.search();
    shots.take(kensaku);
    NenkanForm nenkan(*ledger);
    shots.take(nenkan);
    OpenForm open(*ledger);
    shots.take(open);
    VersionForm version(false);
    shots.take(version);
    HelpForm help(u"Nenkan_form.html"_s);
    shots.take(help);
    clock_set_today_for_tests(QDate());
    return shots.failed() ? 1 : 0;
}
