#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <thread>

class QWidget;

// How long keys typed while the program works wait before the program
// takes them: a thread types a key into a widget every few milliseconds
// through the X server (as a keyboard would, so the program's waits that
// hold back user input hold these keys back too), each key stamped with
// the moment it was typed; the widget notes how late each one arrives.
// Needs the xcb platform (a private Xvfb server will do).
class TypedKeyDelay : public QObject
{
public:
    // Types into `target`, which must be shown, from start() to stop().
    explicit TypedKeyDelay(QWidget &target, int intervalMs = 4);
    ~TypedKeyDelay() override;

    // False, with why(), when the X server cannot be reached.
    bool start();
    void stop();
    QString why() const { return m_why; }

    // The latest key since the last reset, in milliseconds, and how many
    // keys arrived.
    void reset();
    double longestMs() const { return m_longestMs; }
    int keys() const { return m_keys; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void type(unsigned long window);

    QWidget &m_target;
    int m_intervalMs;
    std::atomic_bool m_typing{false};
    std::thread m_thread;
    QString m_why;
    double m_longestMs = 0;
    int m_keys = 0;
};

// Milliseconds of a steady clock, as the keys carry them (wrapping at 2^32).
std::uint32_t steadyMs();
