#include "tests/support/fixture_web.h"
#include "tests/support/searx_instance.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <cstring>

// Serves the fixture web on loopback until interrupted, so a person can run a research offline.
// With --searx-settings FILE it first writes there the settings of a searx that asks this fixture
// web alone (its port 8888 to be replaced), for tests that start searx their own way.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    FixtureWeb web;
    if (argc == 3 && std::strcmp(argv[1], "--searx-settings") == 0) {
        QFile settings(QString::fromLocal8Bit(argv[2]));
        const std::string text = fixture_searx_settings(8888, web.host());
        if (!settings.open(QIODevice::WriteOnly) || settings.write(text.data(), static_cast<qint64>(text.size())) < 0) {
            std::fprintf(stderr, "cannot write %s\n", argv[2]);
            return 1;
        }
    }
    std::printf("Fixture web on %s: set \"Search host\" to it and press \"Start Search\".\n", web.host().c_str());
    std::fflush(stdout);
    return app.exec();
}
