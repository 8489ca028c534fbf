#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QSocketNotifier;

namespace ferrowen {

// Turns SIGTERM and SIGINT into a close of the main window, so a desktop
// logout or a Ctrl+C goes through the normal shutdown and loses no settings.
class UnixSignalCloser : public QObject
{
    Q_OBJECT

public:
    explicit UnixSignalCloser(QWidget *window, QObject *parent = nullptr);
    ~UnixSignalCloser() override;

private:
    void onSignal();

    QPointer<QWidget> m_window;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace ferrowen
