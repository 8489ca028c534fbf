#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QPointer>
#include <QWebEnginePage>

#include <chrono>

namespace ferrowen {

// Runs the operations of a script library (page-access.js for the panes,
// editor-document.js for the editor) in the program's script world of a
// page and waits for the answer: the callers work synchronously, the
// engine does not. The wait lets pending events run, ends after a timeout
// and notices when the page is destroyed meanwhile.
class PageScriptRunner
{
public:
    // Whether the wait lets user input through. The panes' calls do: keys
    // typed meanwhile are not held back, and the window puts off the work a
    // user starts then (PageCallWaits). The editor's calls are short and
    // its toolbar acts on the same document, so they hold input back.
    enum class Input { LetThrough, HeldBack };

    // library: the library's source, installed again when a document lacks
    // it; global: the name it registers itself under on window.
    PageScriptRunner(QWebEnginePage *page, QString library, QString global, Input input);

    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
    std::chrono::milliseconds timeout() const { return m_timeout; }

    // Runs one operation: request holds "op" and its arguments. Returns the
    // operation's value; throws WebPageError when it fails.
    QJsonValue call(const QJsonObject &request);

private:
    QPointer<QWebEnginePage> m_page;
    QString m_library;
    QString m_global;
    Input m_input;
    std::chrono::milliseconds m_timeout{5000};
};

} // namespace ferrowen
