// user_file_writer KIND MAIN_DIR
// Writes generations of one kind of user file ("message", "book",
// "template", "settings"; see UserFileGenerations.h) into MAIN_DIR with the
// program's own writer code, one after the other, until it is killed. The
// first generation follows the one the file holds. Prints "ready" once a
// generation is written; exits 1 when a write fails.
#include "UserFileGenerations.h"

#include <QCoreApplication>

#include <cstdio>

using namespace ferrowen::testing::generations;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: user_file_writer KIND MAIN_DIR\n");
        return 2;
    }
    const QString kind = arguments.at(1);
    const QString mainDir = arguments.at(2);
    QDir().mkpath(messageFolder(mainDir));
    QDir().mkpath(mainDir + QStringLiteral("/addrbooks"));

    bool told = false;
    for (int generation = wholeGeneration(kind, mainDir).value_or(0) + 1;; ++generation) {
        if (const ferrowen::Status written = write(kind, mainDir, generation); !written) {
            std::fprintf(stderr, "generation %d: %s\n", generation, qPrintable(written.error()));
            return 1;
        }
        if (!told) {
            std::printf("ready\n");
            std::fflush(stdout);
            told = true;
        }
    }
}
