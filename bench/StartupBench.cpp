// Time from process start to the main window shown, for Ferrowen and for a
// bare web engine window (the engine's own floor). Run without arguments:
// it starts itself as a child several times per kind and prints medians.
#include "app/MainController.h"
#include "app/MainForm.h"
#include "app/settings/SettingsFile.h"

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
// the window is first exposed, then quits.
class ExposeWatcher : public QObject
{
public:
    explicit ExposeWatcher(QWidget &window) : m_window(window) { window.winId(); window.windowHandle()->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && m_window.windowHandle()->isExposed() && !m_done) {
            m_done = true;
            const qint64 launched = qEnvironmentVariable(LaunchVariable).toLongLong();
            std::printf("%.1f\n", double(nowNs() - launched) / 1e6);
            std::fflush(stdout);
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
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

std::optional<double> launchOnce(const QString &program, const QString &kind)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(LaunchVariable), QString::number(nowNs()));
    child.setProcessEnvironment(env);
    child.start(program, {kind});
    if (!child.waitForFinished(60000))
        return std::nullopt;
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
    const QString self = QCoreApplication::applicationFilePath();
    QList<double> floor, ferrowen;
    for (int i = 0; i < Runs; ++i) {
        // Interleaved so that a busy moment of the machine hits both kinds.
        if (auto ms = launchOnce(self, QStringLiteral("floor")))
            floor << *ms;
        if (auto ms = launchOnce(self, QStringLiteral("ferrowen")))
            ferrowen << *ms;
    }
    const double floorMs = median(floor), ferrowenMs = median(ferrowen);
    out << "bare web engine window: median " << floorMs << " ms over " << floor.size() << " runs\n";
    out << "Ferrowen main window:   median " << ferrowenMs << " ms over " << ferrowen.size() << " runs\n";
    if (floorMs > 0)
        out << "ratio: " << QString::number(ferrowenMs / floorMs, 'f', 2) << "x (target 1.5x)\n";
    return (floor.isEmpty() || ferrowen.isEmpty()) ? 1 : 0;
}
