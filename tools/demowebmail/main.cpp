#include "demowebmail/DemoWebmailSite.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

// Serves the offline demo webmail site until the process is stopped.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ferrowen-demo-webmail"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Offline demo webmail site for trying Ferrowen without a network."));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Port on 127.0.0.1 to listen on (0 takes any free port)."),
                                        QStringLiteral("N"), QStringLiteral("8765"));
    parser.addOption(portOption);
    parser.process(app);

    bool isNumber = false;
    const uint port = parser.value(portOption).toUInt(&isNumber);
    if (!isNumber || port > 65535) {
        std::fprintf(stderr, "ferrowen-demo-webmail: \"%s\" is not a port number (0 to 65535).\n",
                     qPrintable(parser.value(portOption)));
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
