// Time from process start to the main window shown, for Ferrowen and for a
// bare web engine window (the engine's own floor), on the offscreen platform
// and on X11 (a private Xvfb server). Run without arguments: it starts itself
// as a child several times per kind and platform and prints medians.
#include "app/MainController.h"
#include "app/MainForm.h"
#include "settings/SettingsFile.h"

#include "XvfbServer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWebEngineView>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>

namespace {

constexpr int Runs = 7;
const char *const LaunchVariable = "FERROWEN_BENCH_LAUNCH_NS";

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch()).count();
}

// Prints the milliseconds since the parent launched this process as soon as
// the window is first exposed, then quits. It listens on the whole
// application, not on the window's handle: on X11 Qt destroys the top-level
// window's first handle and makes a new one once the web views start
// rendering into the window, and a filter on the first handle never hears
// of the new one (so the children never reported under Xvfb).
class ExposeWatcher : public QObject
{
public:
    explicit ExposeWatcher(QWidget &window) : m_window(window) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Expose || m_done)
            return false;
        const QWindow *handle = m_window.windowHandle();
        if (watched != handle || !handle->isExposed())
            return false;
        m_done = true;
        const qint64 launched = qEnvironmentVariable(LaunchVariable).toLongLong();
        std::printf("%.1f\n", double(nowNs() - launched) / 1e6);
        std::fflush(stdout);
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        return false;
    }

private:
    QWidget &m_window;
    bool m_done = false;
};

int runChild(int argc, char **argv, const QString &kind)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (kind == QLatin1String("floor")) {
        QWebEngineView view;
        view.resize(1200, 800);
        view.load(QUrl(QStringLiteral("about:blank")));
        ExposeWatcher watcher(view);
        view.show();
        return app.exec();
    }
    ferrowen::SettingsFile settings(dir.filePath(QStringLiteral("plinthmere.ini")));
    ferrowen::MainController controller(settings, {false, false});
    ExposeWatcher watcher(controller.window());
    controller.start();
    return app.exec();
}

// One windowing platform the children run on, with what was measured there.
struct Platform
{
    QString name;
    QProcessEnvironment environment;
    QList<double> floor;
    QList<double> ferrowen;
};

Platform platform(const QString &name, const QString &qpa, const QString &display = QString())
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), qpa);
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    if (display.isEmpty())
        env.remove(QStringLiteral("DISPLAY"));
    else
        env.insert(QStringLiteral("DISPLAY"), display);
    return {name, env, {}, {}};
}

std::optional<double> launchOnce(const QString &program, const QString &kind, QProcessEnvironment env)
{
    QProcess child;
    child.setStandardErrorFile(QProcess::nullDevice());
    env.insert(QString::fromLatin1(LaunchVariable), QString::number(nowNs()));
    child.setProcessEnvironment(env);
    child.start(program, {kind});
    if (!child.waitForFinished(60000)) {
        child.kill();
        child.waitForFinished(5000);
        return std::nullopt;
    }
    bool ok = false;
    const double ms = QString::fromUtf8(child.readAllStandardOutput()).trimmed().toDouble(&ok);
    return ok ? std::optional<double>(ms) : std::nullopt;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1)
        return runChild(argc, argv, QString::fromLocal8Bit(argv[1]));

    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    XvfbServer xvfb;
    if (!xvfb.start()) {
        out << "cannot measure on X11: " << xvfb.errorString() << '\n';
        return 1;
    }
    QList<Platform> platforms{platform(QStringLiteral("offscreen"), QStringLiteral("offscreen")),
                              platform(QStringLiteral("xcb (Xvfb ") + xvfb.display() + u')', QStringLiteral("xcb"),
                                       xvfb.display())};

    const QString self = QCoreApplication::applicationFilePath();
    for (int i = 0; i < Runs; ++i) {
        // Interleaved so that a busy moment of the machine hits every kind.
        for (Platform &p : platforms) {
            if (auto ms = launchOnce(self, QStringLiteral("floor"), p.environment))
                p.floor << *ms;
            if (auto ms = launchOnce(self, QStringLiteral("ferrowen"), p.environment))
                p.ferrowen << *ms;
        }
    }

    out << "Time to the main window shown, median of " << Runs << " interleaved runs (target: 1.5x the floor or better)\n";
    out << QStringLiteral("%1 %2 %3 %4\n")
               .arg(QStringLiteral("platform"), -20)
               .arg(QStringLiteral("bare engine window"), 20)
               .arg(QStringLiteral("Ferrowen window"), 20)
               .arg(QStringLiteral("ratio"), 8);
    bool complete = true;
    for (const Platform &p : platforms) {
        const double floorMs = median(p.floor), ferrowenMs = median(p.ferrowen);
        const auto cell = [](double ms, qsizetype runs) {
            return QStringLiteral("%1 ms (%2 runs)").arg(ms, 0, 'f', 1).arg(runs);
        };
        out << QStringLiteral("%1 %2 %3 %4\n")
                   .arg(p.name, -20)
                   .arg(cell(floorMs, p.floor.size()), 20)
                   .arg(cell(ferrowenMs, p.ferrowen.size()), 20)
                   .arg(floorMs > 0 ? QString::number(ferrowenMs / floorMs, 'f', 2) + u'x' : QStringLiteral("-"), 8);
        complete = complete && p.floor.size() == Runs && p.ferrowen.size() == Runs;
    }
    return complete ? 0 : 1;
}
