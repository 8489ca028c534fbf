#include "demowebmail/DemoWebmailSite.h"
#include "platform/CommandLine.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

// Serves the offline demo webmail site until the process is stopped.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ferrowen-demo-webmail"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    ferrowen::CommandLine commandLine(QStringLiteral("ferrowen-demo-webmail"),
                                      QStringLiteral("Offline demo webmail site for trying Ferrowen without a network."));
    commandLine.addOption({{QStringLiteral("port")},
                           QStringLiteral("Port on 127.0.0.1 to listen on (default 8765; 0 takes any free port)."),
                           QStringLiteral("N")});
    if (const std::optional<int> exitCode = commandLine.parse(QCoreApplication::arguments(), out, err))
        return *exitCode;

    const QString portText =
        commandLine.isSet(QStringLiteral("port")) ? commandLine.value(QStringLiteral("port")) : QStringLiteral("8765");
    bool isNumber = false;
    const uint port = portText.toUInt(&isNumber);
    if (!isNumber || port > 65535) {
        std::fprintf(stderr, "ferrowen-demo-webmail: \"%s\" is not a port number (0 to 65535).\n", qPrintable(portText));
        return 2;
    }

    ferrowen::DemoWebmailSite site;
    if (const ferrowen::Status listening = site.listen(static_cast<quint16>(port)); !listening) {
        std::fprintf(stderr, "ferrowen-demo-webmail: cannot listen on 127.0.0.1:%u: %s\n", port,
                     qPrintable(listening.error()));
        return 1;
    }
    QObject::connect(&site, &ferrowen::DemoWebmailSite::messageSent, [](const ferrowen::SentMessage &message) {
        std::fprintf(stderr, "sent from %s to %s: %s\n", qPrintable(message.mailbox), qPrintable(message.to),
                     qPrintable(message.subject));
    });

    std::printf("%s\n", qPrintable(site.baseUrl().toString()));
    std::fflush(stdout);
    return app.exec();
}
