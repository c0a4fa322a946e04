// Renders the toolkit's widgets into PNG files under the folder given as the only argument.
#include "ShotRegistry.h"

#include <QApplication>
#include <QDir>

#include <algorithm>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "cannot make %s\n", argv[1]);
        return 1;
    }
    auto entries = shots::registry();
    std::sort(entries.begin(), entries.end(), [](const shots::Entry& a, const shots::Entry& b) {
        return qstrcmp(a.name, b.name) < 0;
    });
    for (const shots::Entry& entry : entries) {
        std::printf("rendering %s\n", entry.name);
        entry.render(outDir);
    }
    return 0;
}
