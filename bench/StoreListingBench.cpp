// Listing a saved-message folder of 100,000 messages in the real pane: the
// time until the list is filled, the time to sort it by date, the memory it
// takes and the longest the window's event loop stood still meanwhile;
// beside GNU ls reading and sorting the same folder, and ls -f (the bare
// directory read, the floor). Names are made by the program's own naming
// rules from varied senders, subjects, dates and recipients. Then the tab
// shown again with a message chosen: unchanged (the list kept, beside
// showing it alone), and after one message came on disk meanwhile (beside
// ls -f, the read of the names that finds it).
//
//   cmake --build <build> --target run_store_listing_bench
// FERROWEN_BENCH_MESSAGES sets the number of messages (default 100000).
#include "store/MessageFileName.h"
#include "store/SavedMessage.h"
#include "store/ui/SavedFoldersPane.h"
#include "store/ui/StoreHost.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileSystemWatcher>
#include <QFrame>
#include <QListWidget>
#include <QProcess>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <malloc.h>
#include <functional>
#include <random>
#include <unistd.h>

using namespace ferrowen;

namespace {

constexpr int Runs = 5;

// Varied messages: senders with and without names, subjects of one to
// eight words (some replies and forwards), dates in the three forms pages
// show, from 1970 to 2026.
QString generatedName(std::mt19937 &random)
{
    static const QStringList first = {QStringLiteral("Ann"), QStringLiteral("Bob"), QStringLiteral("Carla"),
        QStringLiteral("Dieter"), QStringLiteral("\u00c9mile"), QStringLiteral("Jos\u00e9"), QStringLiteral("Priya"),
        QStringLiteral("Oliver"), QStringLiteral("Sam"), QStringLiteral("Yuki"), QStringLiteral("Li Wei"),
        QStringLiteral("Fatima"), QStringLiteral("Olga"), QStringLiteral("J\u00fcrgen"), QStringLiteral("Mette"),
        QStringLiteral("Kofi"), QStringLiteral("Ana"), QStringLiteral("Tom\u00e1s"), QStringLiteral("Noah"), QStringLiteral("Zo\u00eb")};
    static const QStringList last = {QStringLiteral("Example"), QStringLiteral("Smith"), QStringLiteral("Reyes"),
        QStringLiteral("M\u00fcller"), QStringLiteral("Dubois"), QStringLiteral("Garc\u00eda"), QStringLiteral("Natarajan"),
        QStringLiteral("Grant"), QStringLiteral("Lee"), QStringLiteral("Tanaka"), QStringLiteral("Zhang"), QStringLiteral("Khan"),
        QStringLiteral("Ivanova"), QStringLiteral("Wei\u00df"), QStringLiteral("Hansen"), QStringLiteral("Mensah")};
    static const QStringList words = QStringLiteral("lunch meeting report budget invoice release notes plan trip photos "
                                                    "weekend update question offer order delivery schedule party review "
                                                    "draft contract").split(u' ');
    static const QStringList domains = {QStringLiteral("example.com"), QStringLiteral("mail.example.org"),
                                        QStringLiteral("work.example"), QStringLiteral("family.example")};
    static const QStringList recipients = {QStringLiteral("you@demo.example"), QStringLiteral("team@lists.work.example"),
                                           QStringLiteral("me@example.com")};
    static const char *const weekdays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    static const char *const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const auto pick = [&random](const QStringList &list) {
        return list[std::uniform_int_distribution<qsizetype>(0, list.size() - 1)(random)];
    };
    const auto between = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };

    SavedMessage message;
    const QString name = pick(first) + u' ' + pick(last);
    const QString address = name.section(u' ', 0, 0).toLower() + u'.' + name.section(u' ', -1).toLower() + u'@' + pick(domains);
    message.from = between(0, 4) ? name + QStringLiteral(" <") + address + u'>' : address;
    QStringList subject;
    for (int i = between(1, 8); i > 0; --i)
        subject << pick(words);
    message.subject = subject.join(u' ');
    message.subject[0] = message.subject[0].toUpper();
    if (const int kind = between(0, 19); kind < 4)
        message.subject.prepend(QStringLiteral("Re: "));
    else if (kind == 4)
        message.subject.prepend(QStringLiteral("Fwd: "));
    const int year = between(1970, 2026), month = between(1, 12), day = between(1, 28);
    const int hour = between(0, 23), minute = between(0, 59), second = between(0, 59);
    switch (between(0, 9)) {
    case 0:
        message.date = QString::asprintf("%04d-%02d-%02dT%02d:%02d:%02dZ", year, month, day, hour, minute, second);
        break;
    case 1: case 2: case 3: case 4:
        message.date = QString::asprintf("%s, %d %s %d %02d:%02d:%02d +0000", weekdays[between(0, 6)], day,
                                         months[month - 1], year, hour, minute, second);
        break;
    default:
        message.date = QString::asprintf("%d/%d/%d %d:%02d:%02d %s", month, day, year, hour % 12 ? hour % 12 : 12,
                                         minute, second, hour < 12 ? "AM" : "PM");
    }
    message.to = pick(recipients);
    return messageFileName(message);
}

void makeFolder(const QString &folder, int messages)
{
    QDir().mkpath(folder);
    std::mt19937 random(7);
    QSet<QString> made;
    while (made.size() < messages) {
        const QString name = generatedName(random);
        if (made.contains(name))
            continue;
        made.insert(name);
        const int fd = ::open(QFile::encodeName(QDir(folder).filePath(name)).constData(), O_CREAT | O_WRONLY, 0644);
        if (fd >= 0)
            ::close(fd);
    }
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double processMs(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    process.waitForFinished(-1);
    return double(timer.nsecsElapsed()) / 1e6;
}

long statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Heap memory in use, over every allocation arena (the listing thread
// allocates the rows in an arena of its own).
double heapInUseMb()
{
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

class BenchStoreHost : public StoreHost
{
public:
    QString store;
    int progressShown = 0;
    int previews = 0;
    void runSavedMessageAction(SavedMessageAction) override {}
    bool isStarting() const override { return false; }
    MessageBoxes &messageBoxes() override { std::abort(); }
    QString savedMessagesFolder() const override { return store; }
    QString blankMessagePage() const override { return QString(); }
    void showPreview(const QString &) override { ++previews; }
    void showFolderChoices(const QStringList &, int) override {}
    void openInFileManager(const QString &) override {}
    void showProgress(int, int) override { ++progressShown; }
    void hideProgress() override {}
};

// The longest time between two turns of the event loop while it runs.
class FreezeWatch
{
public:
    FreezeWatch()
    {
        m_tick.setInterval(2);
        QObject::connect(&m_tick, &QTimer::timeout, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_longest = std::max(m_longest, now - m_last);
            m_last = now;
        });
    }
    void start()
    {
        m_longest = 0;
        m_clock.start();
        m_last = 0;
        m_tick.start();
    }
    double stopMs()
    {
        m_tick.stop();
        m_longest = std::max(m_longest, m_clock.nsecsElapsed() - m_last);
        return double(m_longest) / 1e6;
    }

private:
    QTimer m_tick;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int messages = qEnvironmentVariableIntValue("FERROWEN_BENCH_MESSAGES") > 0
        ? qEnvironmentVariableIntValue("FERROWEN_BENCH_MESSAGES")
        : 100000;
    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("savedmgs"));
    const QString folder = QDir(store).filePath(QStringLiteral("Saved"));
    std::printf("making %d messages in %s ...\n", messages, qPrintable(folder));
    std::fflush(stdout);
    makeFolder(folder, messages);
    processMs(QStringLiteral("ls"), {QStringLiteral("-f"), folder}); // warm the cache

    BenchStoreHost host;
    host.store = store;
    QFrame window;
    SavedFoldersPane pane(host);
    for (QWidget *part : {static_cast<QWidget *>(pane.parts().folders), static_cast<QWidget *>(pane.parts().list)})
        part->setParent(&window);
    pane.parts().list->setGeometry(0, 0, 900, 600);
    window.resize(1000, 700);
    window.show();
    pane.RefreshFolderLists(QString());
    auto *folders = window.findChild<QListWidget *>(QStringLiteral("ComboFolders2"));
    QTreeView *list = pane.parts().list;

    const double heapBefore = heapInUseMb();
    std::vector<double> lsSorted, lsBare, listing, freezes, sortUp, sortDown;
    FreezeWatch freeze;
    for (int run = 0; run < Runs; ++run) {
        lsBare.push_back(processMs(QStringLiteral("ls"), {QStringLiteral("-f"), folder}));
        lsSorted.push_back(processMs(QStringLiteral("ls"), {folder}));

        // Another folder first, so the listing starts from an empty list.
        folders->setCurrentRow(-1);
        QSignalSpy listed(&pane, &SavedFoldersPane::folderListed);
        freeze.start();
        QElapsedTimer timer;
        timer.start();
        folders->setCurrentRow(0);
        if (!listed.wait(60000) || list->model()->rowCount() != messages) {
            std::printf("listing failed: %lld rows\n", qlonglong(list->model()->rowCount()));
            return 1;
        }
        // Filled means painted: let the list lay out and paint its rows.
        list->viewport()->repaint();
        listing.push_back(double(timer.nsecsElapsed()) / 1e6);
        freezes.push_back(freeze.stopMs());

        // Two clicks on the date title: up, then down. (The runs after the
        // first list sorted by date, as the pane keeps the order chosen.)
        timer.restart();
        pane.sortByColumn(4);
        list->viewport()->repaint();
        sortUp.push_back(double(timer.nsecsElapsed()) / 1e6);
        timer.restart();
        pane.sortByColumn(4);
        list->viewport()->repaint();
        sortDown.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    const double heapAfter = heapInUseMb();

    // The tab shown again, a message chosen. Floor: the list shown alone.
    const int chosen = messages / 2;
    list->selectionModel()->setCurrentIndex(list->model()->index(chosen, 0),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    const QString chosenText = list->currentIndex().data().toString();
    const int previewsBefore = host.previews;
    QSignalSpy listedAgain(&pane, &SavedFoldersPane::folderListed);
    QSignalSpy updated(&pane, &SavedFoldersPane::folderUpdated);
    QFileSystemWatcher watcher({folder});
    QSignalSpy watched(&watcher, &QFileSystemWatcher::directoryChanged);
    std::vector<double> shownAgain, shownAlone, changedShown, changedFloor;
    const auto keptChoice = [&] {
        return list->currentIndex().row() >= 0 && list->currentIndex().data().toString() == chosenText
            && host.previews == previewsBefore && listedAgain.isEmpty();
    };
    for (int run = 0; run < Runs; ++run) {
        list->hide();
        QElapsedTimer timer;
        timer.start();
        list->show();
        pane.showListAgain();
        list->viewport()->repaint();
        shownAgain.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (!keptChoice() || list->model()->rowCount() != messages + run) {
            std::printf("showing again lost the list or its choice\n");
            return 1;
        }
        list->hide();
        timer.restart();
        list->show();
        list->viewport()->repaint();
        shownAlone.push_back(double(timer.nsecsElapsed()) / 1e6);

        // One message came while another tab showed.
        list->hide();
        watched.clear();
        const int fd = ::open(QFile::encodeName(QDir(folder).filePath(QStringLiteral("new %1&&s&&d&&t.htm").arg(run))).constData(),
                              O_CREAT | O_WRONLY, 0644);
        if (fd >= 0)
            ::close(fd);
        // The pane's watcher tells of it as this one does.
        if (!watched.wait(5000))
            std::printf("no watcher told of the change\n");
        QCoreApplication::processEvents();
        updated.clear();
        timer.restart();
        list->show();
        pane.showListAgain();
        if (!updated.wait(60000)) {
            std::printf("the change never came in\n");
            return 1;
        }
        list->viewport()->repaint();
        changedShown.push_back(double(timer.nsecsElapsed()) / 1e6);
        changedFloor.push_back(processMs(QStringLiteral("ls"), {QStringLiteral("-f"), folder}));
        if (!keptChoice() || list->model()->rowCount() != messages + run + 1) {
            std::printf("the change lost the list or its choice\n");
            return 1;
        }
    }

    std::printf("\n%d saved messages, medians of %d runs (ms):\n", messages, Runs);
    std::printf("  ls -f (bare directory read)        %8.1f\n", median(lsBare));
    std::printf("  ls (read and sort)                 %8.1f\n", median(lsSorted));
    std::printf("  ListMsg filled (read, sort, show)  %8.1f   (target: within 2 x ls = %.1f)\n", median(listing),
                2 * median(lsSorted));
    std::printf("  longest event-loop stall listing   %8.1f   (target: 100; progress shown %d times)\n",
                *std::max_element(freezes.begin(), freezes.end()), host.progressShown);
    std::printf("  sort by date, up                   %8.1f   (target: 300)\n", median(sortUp));
    std::printf("  sort by date, down                 %8.1f   (target: 300)\n", median(sortDown));
    std::printf("  memory of the filled list (heap)   %8.1f MB (%.0f bytes a message; peak RSS of the process %.1f MB)\n",
                heapAfter - heapBefore, (heapAfter - heapBefore) * 1024 * 1024 / messages,
                double(statusKb("VmHWM:")) / 1024.0);
    std::printf("  tab shown again, folder unchanged  %8.1f   (target: 30; the list shown alone %.1f; choice and preview kept)\n",
                median(shownAgain), median(shownAlone));
    std::printf("  tab shown again, a message came    %8.1f   (floor: ls -f %.1f, ratio %.1fx; choice and preview kept)\n",
                median(changedShown), median(changedFloor), median(changedShown) / median(changedFloor));
    return 0;
}
