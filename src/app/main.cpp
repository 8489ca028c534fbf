#include "app/MainController.h"
#include "app/settings/ProgramTitle.h"
#include "app/settings/SettingsFile.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // The browser panes share GL contexts with the window; this must be set
    // before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("ferrowen"));
    QCoreApplication::setApplicationName(QStringLiteral("ferrowen"));
    QGuiApplication::setApplicationDisplayName(ferrowen::ProgramTitle.toString());

    ferrowen::SettingsFile settings;
    ferrowen::MainController controller(settings, {});
    controller.start();
    return QApplication::exec();
}
