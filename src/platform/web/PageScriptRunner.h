#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QPointer>
#include <QWebEnginePage>

#include <chrono>

namespace ferrowen {

// Runs the operations of the page access library (page-access.js) in the
// automation's script world of a page and waits for the answer: the
// automation works synchronously, the engine does not. The wait lets
// pending events run except user input, ends after a timeout and notices
// when the page is destroyed meanwhile.
class PageScriptRunner
{
public:
    explicit PageScriptRunner(QWebEnginePage *page);

    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
    std::chrono::milliseconds timeout() const { return m_timeout; }

    // Runs one operation: request holds "op" and its arguments. Returns the
    // operation's value; throws WebPageError when it fails.
    QJsonValue call(const QJsonObject &request);

private:
    QPointer<QWebEnginePage> m_page;
    std::chrono::milliseconds m_timeout{5000};
};

} // namespace ferrowen
