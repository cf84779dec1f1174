#include "tests/support/fixture_web.h"

#include <QCoreApplication>

#include <cstdio>

// Serves the fixture web on loopback until interrupted, so a person can run a research offline.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    FixtureWeb web;
    std::printf("Fixture web on %s: set \"Search host\" to it and press \"Start Search\".\n", web.host().c_str());
    std::fflush(stdout);
    return app.exec();
}
