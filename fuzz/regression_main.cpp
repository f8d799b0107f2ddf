// Runs a fuzz target over every file of the folders (or files) it is given, as
// an ordinary program: the regression run of the test command. Inputs that
// once broke a target stay in its corpus, so a fixed fault stays fixed.
#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringList>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    QStringList inputs;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (!QFileInfo(arg).isDir()) {
            inputs << arg;
            continue;
        }
        QDirIterator it(arg, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            inputs << it.next();
    }
    inputs.sort();
    for (const QString& path : inputs) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
            return 2;
        }
        const QByteArray bytes = f.readAll();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                               size_t(bytes.size()));
    }
    if (inputs.isEmpty()) {
        std::fprintf(stderr, "no inputs\n");
        return 2;
    }
    std::printf("%lld passed, 0 failed\n", static_cast<long long>(inputs.size()));
    return 0;
}
