// Saves a month of 1000 entries over and over, alternating two contents, until
// it is killed. The crash test kills it at random moments and checks the file.
#include "crash/loop_months.h"
#include "ledger/month_file.h"

#include <cstdio>
#include <memory>

using namespace kanvelo;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: save_loop FOLDER/\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
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
