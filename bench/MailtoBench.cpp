// Time from a mail link written into the settings file to the demo site's
// compose form holding it, through the running program. The program polls
// the settings file once a second, so this includes up to a second of wait.
#include "app/MainController.h"
#include "app/MainForm.h"
#include "app/settings/SettingsFile.h"
#include "demowebmail/DemoWebmailSite.h"
#include "platform/web/BrowserPane.h"
#include "WaitFor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <algorithm>

using namespace ferrowen;

namespace {

constexpr int Runs = 7;

QString composeTo(MainForm &form)
{
    try {
        return form.browser(3).document().formField(QStringLiteral("compose"), QStringLiteral("To")).value();
    } catch (const WebPageError &) {
        return QString();
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QTextStream out(stdout);

    QTemporaryDir dir;
    SettingsFile settings(dir.filePath(QStringLiteral("plinthmere.ini")));
    DemoWebmailSite site;
    if (!site.listen(0)) {
        out << "cannot start the demo site\n";
        return 1;
    }
    MainController controller(settings, {false, false});
    controller.start();
    MainForm &form = controller.window();
    QSignalSpy loaded(&form.browser(1), &BrowserPane::documentComplete);
    form.browser(1).navigate(site.baseUrl().resolved(QUrl(QStringLiteral("/yahoo/inbox"))).toString());
    loaded.wait(10000);

    QList<double> fillMs;
    for (int run = 0; run < Runs; ++run) {
        // Away from the compose page, so each run opens it afresh.
        form.selectTab(1);
        form.browser(3).navigate(QStringLiteral("about:blank"));
        QTest::qWait(300);
        const QString address = QStringLiteral("run%1@example.com").arg(run);
        QElapsedTimer timer;
        timer.start();
        settings.SetIni(QStringLiteral("Settings"), QStringLiteral("mailto"), QStringLiteral("mailto:") + address);
        if (!ferrowen::testing::waitFor([&] { return composeTo(form) == address; }, 20000)) {
            out << "run " << run << " never filled the form\n";
            return 1;
        }
        fillMs << double(timer.elapsed());
    }
    std::sort(fillMs.begin(), fillMs.end());
    out << "mail link written -> compose form filled: median " << fillMs.at(fillMs.size() / 2) << " ms, min "
        << fillMs.first() << " ms, max " << fillMs.last() << " ms over " << Runs << " runs\n";
    form.close();
    return 0;
}
