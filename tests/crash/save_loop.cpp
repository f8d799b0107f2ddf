// Saves a month of 1000 entries over and over, alternating two contents, until
// it is killed. The crash test kills it at random moments and checks the file.
// With --lock it holds the folder's lock first, as the program does.
#include "crash/loop_months.h"
#include "ledger/folder_lock.h"
#include "ledger/month_file.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>

using namespace kanvelo;

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: save_loop FOLDER/ [--lock]\n");
        return 2;
    }
    // The lock names the program, so that a lock whose process number was
    // reused by another program counts as left behind.
    QCoreApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    FolderLock lock(folder);
    if (argc == 3 && !lock.take()) {
        std::fprintf(stderr, "the folder is held by another program\n");
        return 3;
    }
    auto a = std::make_unique<Ledger>();
    auto b = std::make_unique<Ledger>();
    testing::fill_loop_month(*a, folder, 'A');
    testing::fill_loop_month(*b, folder, 'B');
    for (;;) {
        for (const Ledger* l : {a.get(), b.get()}) {
            if (auto e = month_file_write(*l)) {
                std::fprintf(stderr, "%s\n", qPrintable(e->message()));
                return 1;
            }
        }
    }
}
