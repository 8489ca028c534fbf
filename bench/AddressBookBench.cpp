// An address book of 100,000 rows and 8 columns through the address pane,
// side by side with Python's csv module reading the same file:
//  - floor: the file read line by line, nothing built;
//  - open: Open_CSV into the grid (median of 3, a fresh pane each time),
//    against Python's csv.reader into lists;
//  - memory added by the open book (resident set size after minus before,
//    freed heap handed back first), against the same for Python;
//  - save (SaveAddressBook), sort by a column (a header click), and one
//    keystroke in the find dialog searching to the last row.
#include "addressbook/ui/AddressBookHost.h"
#include "addressbook/ui/AddressGrid.h"
#include "addressbook/ui/AddressGridModel.h"
#include "addressbook/ui/AddressPane.h"
#include "platform/FileDialogs.h"
#include "webmail/ComposeState.h"
#include "webmail/ProviderProfile.h"
#include "platform/MessageBoxes.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <vector>

#include <malloc.h>
#include <unistd.h>

using namespace ferrowen;

namespace {

constexpr int Rows = 100000;
constexpr int Runs = 3;

class BenchHost : public AddressBookHost, public MessageBoxes, public FileDialogs
{
public:
    QString path;
    QStringList messages;

    void insertIntoComposeForm(InsertField) override {}
    QString mainDir() const override { return QString(); }
    MessageBoxes &messageBoxes() override { return *this; }
    FileDialogs &fileDialogs() override { return *this; }
    Answer show(const QString &text, Buttons, Icon, const QString &) override
    {
        messages << text;
        return Answer::Yes;
    }
    QString openFileName(const QString &, const QString &, const QString &) override { return path; }
    // The bench never reads a displayed message's sender.
    void showWebmailTab() override {}
    QString webmailPageText() override { return QString(); }
    const ProviderProfile &detectProvider() override { return profileForKey(YahooKey); }
    QString webmailSenderThroughScript(const ProviderProfile &) override { return QString(); }
    ComposeState &webmailState() override { return state; }
    void setStatusText(int, const QString &) override {}

private:
    ComposeState state;
};

// The resident set size once the heap has handed back what it no longer
// uses, so that freed buffers of earlier steps do not count.
qint64 residentBytes()
{
    malloc_trim(0);
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

double mib(qint64 bytes)
{
    return bytes / (1024.0 * 1024.0);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Eight columns of the usual kinds, every field quoted, with the end field
// this program writes; the last row's last name is found only there.
QString writeBook(const QString &path)
{
    static const char *firsts[] = {"Ann", "Bob", "Chloé", "Dmitri", "Eve", "Farouk", "Grace", "Hiro", "Ines", "Jonas"};
    static const char *lasts[] = {"Lee", "Smith", "Müller", "Okafor", "Nguyen", "García", "Kowalski", "Brown"};
    static const char *cities[] = {"Leeds", "Lyon", "Porto", "Kraków", "Osaka", "Austin", "Cork"};
    QByteArray text = "\"First Name\",\"Last Name\",\"Email\",\"Phone\",\"Company\",\"City\",\"Street\",\"Notes\",\"\"\r\n";
    text.reserve(Rows * 130);
    for (int i = 0; i < Rows; ++i) {
        const QByteArray first = firsts[i % 10];
        const QByteArray last = i == Rows - 1 ? QByteArray("Zzyzx") : QByteArray(lasts[(i / 10) % 8]);
        text += '"' + first + "\",\"" + last + "\",\"" + first.toLower() + '.' + QByteArray::number(i)
            + "@example.com\",\"+44 20 " + QByteArray::number(7000000 + i) + "\",\"Company " + QByteArray::number(i % 977)
            + "\",\"" + cities[i % 7] + "\",\"" + QByteArray::number(i % 300 + 1) + " High Street\",\""
            + (i == Rows - 1 ? QByteArray("zzyzx last") : "Met in " + QByteArray::number(1990 + i % 30)) + "\",\"\"\r\n";
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        qFatal("cannot write the benchmark book");
    return path;
}

double lineByLineSeconds(const QString &path)
{
    std::vector<double> runs;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read the benchmark book");
        char line[4096];
        qint64 lines = 0;
        while (file.readLine(line, sizeof line) > 0)
            ++lines;
        runs.push_back(timer.nsecsElapsed() / 1e9);
        if (lines != Rows + 1)
            qFatal("read %lld lines", lines);
    }
    return median(runs);
}

struct PythonResult
{
    double seconds = 0;
    qint64 bytes = 0;
    double floorSeconds = 0;
};

// Median time of three reads into lists; the memory of the first.
PythonResult pythonCsv(const QString &path)
{
    const QString script = QStringLiteral(R"(
import csv, os, sys, time
def rss():
    with open('/proc/self/statm') as f:
        return int(f.read().split()[1]) * os.sysconf('SC_PAGE_SIZE')
path = sys.argv[1]
t = time.perf_counter()
with open(path, encoding='utf-8') as f:
    for line in f:
        pass
floor = time.perf_counter() - t
times = []
for run in range(3):
    before = rss()
    t = time.perf_counter()
    with open(path, newline='', encoding='utf-8') as f:
        rows = list(csv.reader(f))
    times.append(time.perf_counter() - t)
    if run == 0:
        added = rss() - before
    del rows
times.sort()
print(times[1], added, floor)
)");
    QProcess python;
    python.start(QStringLiteral("python3"), {QStringLiteral("-c"), script, path});
    if (!python.waitForFinished(120000) || python.exitCode() != 0)
        return {};
    const QList<QByteArray> fields = python.readAllStandardOutput().trimmed().split(' ');
    return {fields.value(0).toDouble(), fields.value(1).toLongLong(), fields.value(2).toDouble()};
}

// The pane's parts in a window of their own, as the main window holds them.
struct PaneWindow
{
    explicit PaneWindow(BenchHost &host)
        : pane(host)
    {
        auto *column = new QVBoxLayout(&window);
        const AddressPane::Parts parts = pane.parts();
        for (QWidget *part : {static_cast<QWidget *>(parts.toolbar), static_cast<QWidget *>(parts.bookName),
                              static_cast<QWidget *>(parts.cellLabel), static_cast<QWidget *>(parts.cellEditor),
                              static_cast<QWidget *>(parts.grid)})
            column->addWidget(part);
        window.resize(1000, 700);
        window.show();
        QCoreApplication::processEvents();
    }

    QWidget window;
    AddressPane pane;
};

template<typename Action>
double secondsOf(Action action)
{
    QElapsedTimer timer;
    timer.start();
    action();
    QCoreApplication::processEvents(); // the view catches up before the clock stops
    return timer.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    BenchHost host;
    host.path = writeBook(dir.filePath(QStringLiteral("big.csv")));
    out << "Address book: " << Rows << " rows x 8 columns, " << QFile(host.path).size() / 1024 << " KiB\n\n";

    const double floor = lineByLineSeconds(host.path);
    const PythonResult python = pythonCsv(host.path);

    std::vector<double> opens;
    qint64 openBytes = 0;
    for (int run = 0; run < Runs; ++run) {
        auto view = std::make_unique<PaneWindow>(host);
        const qint64 before = residentBytes();
        opens.push_back(secondsOf([&] { view->pane.Open_CSV(); }));
        if (run == 0)
            openBytes = residentBytes() - before;
        if (view->pane.parts().grid->Rows() != Rows + 1)
            qFatal("the book did not open");
    }

    PaneWindow view(host);
    view.pane.Open_CSV();
    AddressGrid &grid = *view.pane.parts().grid;

    std::vector<double> saves;
    for (int run = 0; run < Runs; ++run)
        saves.push_back(secondsOf([&] {
            if (!view.pane.SaveAddressBook())
                qFatal("save failed");
        }));

    std::vector<double> sorts;
    for (int column : {1, 1, 4})
        sorts.push_back(secondsOf([&] { grid.addressModel().sortByHeaderClick(column); }));

    // Typing "zzyzx" into the find dialog, searching the Notes column: every
    // keystroke runs through the book to its last row.
    view.pane.parts().toolbar->actions().at(5)->trigger(); // "find"
    auto *find = view.window.findChild<QDialog *>(QStringLiteral("DialogFind"));
    auto *text = find->findChild<QLineEdit *>(QStringLiteral("Text1"));
    auto *columns = find->findChild<QWidget *>(QStringLiteral("Combo1"));
    QMetaObject::invokeMethod(columns, "setCurrentIndex", Q_ARG(int, 7));
    QMetaObject::invokeMethod(columns, "activated", Q_ARG(int, 7));
    std::vector<double> keystrokes;
    for (const QString &typed : {QStringLiteral("z"), QStringLiteral("zz"), QStringLiteral("zzy"), QStringLiteral("zzyz"),
                                 QStringLiteral("zzyzx")})
        keystrokes.push_back(secondsOf([&] { text->setText(typed); }));
    if (grid.TextMatrix(grid.Row(), 7) != QStringLiteral("zzyzx last"))
        qFatal("find did not reach the last row");

    out.setRealNumberNotation(QTextStream::FixedNotation);
    out.setRealNumberPrecision(3);
    out << "| Measure | Ferrowen | Python csv | Target |\n|---|---|---|---|\n";
    out << "| floor: read line by line, nothing built | " << floor << " s | " << python.floorSeconds << " s | |\n";
    out << "| open (median of " << Runs << ") | " << median(opens) << " s | " << python.seconds
        << " s | no slower than Python |\n";
    out.setRealNumberPrecision(1);
    out << "| memory added by the open book | " << mib(openBytes) << " MiB | " << mib(python.bytes)
        << " MiB | no more than Python |\n";
    out.setRealNumberPrecision(3);
    out << "| save (median) | " << median(saves) << " s | | 0.5 s |\n";
    out << "| sort by a column (slowest of 3) | " << *std::max_element(sorts.begin(), sorts.end()) << " s | | 0.5 s |\n";
    out.setRealNumberPrecision(1);
    out << "| one find keystroke (slowest of 5) | " << 1000 * *std::max_element(keystrokes.begin(), keystrokes.end())
        << " ms | | 50 ms |\n";
    return 0;
}
