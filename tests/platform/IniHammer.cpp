// ini_hammer FILE SECTION MIN_MILLISECONDS MIN_WRITES
// Writes key_<n % 20> = n into SECTION of FILE for n = 0, 1, ... until both
// minimums are reached, then prints the last n. Exits 1 on a failed write.

#include "platform/ProfileFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

using namespace ferrowen;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (arguments.size() != 5) {
        err << "usage: ini_hammer FILE SECTION MIN_MILLISECONDS MIN_WRITES\n";
        return 2;
    }

    ProfileFile file(arguments.at(1));
    const QString section = arguments.at(2);
    const qint64 minMilliseconds = arguments.at(3).toLongLong();
    const int minWrites = arguments.at(4).toInt();

    QElapsedTimer timer;
    timer.start();
    int n = 0;
    for (;; ++n) {
        const Status status = file.writeString(section, QStringLiteral("key_%1").arg(n % 20), QString::number(n));
        if (!status) {
            err << "write " << n << " failed: " << status.error() << '\n';
            return 1;
        }
        if (n + 1 >= minWrites && timer.elapsed() >= minMilliseconds)
            break;
    }
    out << n << '\n';
    return 0;
}
