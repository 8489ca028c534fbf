#pragma once

#include "platform/WebPage.h"
#include "platform/web/PageScriptRunner.h"

#include <QPointer>
#include <QWebEnginePage>

#include <chrono>
#include <map>
#include <memory>

namespace ferrowen {

// The automation's view of the document loaded in a QWebEnginePage. Every
// operation runs in the automation's own script world, where the page's
// scripts can neither see nor change what it does, and answers
// synchronously or throws WebPageError.
class EngineWebPage : public WebPage
{
public:
    // Adds the page access library to the page's user scripts; the page
    // must outlive this object or be destroyed with it.
    explicit EngineWebPage(QWebEnginePage *page);

    // How long one operation may wait for the page (5 seconds by default).
    void setTimeout(std::chrono::milliseconds timeout) { m_runner.setTimeout(timeout); }

    QString location() override;
    QString bodyText() override;
    QList<WalkedElement> walk(const ElementWalk &walk) override;
    void clickEach(const QList<ElementRef> &elements) override;
    QVariant readProperty(const ElementRef &element, ElementProperty property) override;
    void writeProperty(const ElementRef &element, ElementProperty property, const QVariant &value) override;
    void clickElement(const ElementRef &element) override;
    void submitForm(const QString &form, const QString &actionSuffix) override;
    bool writeAll(const QList<PageWrite> &writes, TypedText typed) override;
    std::optional<bool> writeAllIfPresent(const QList<PageWrite> &writes, TypedText typed) override;
    QStringList typedFieldNames() override;
    QJsonValue runScript(const QString &script, const QString &operation, const QJsonObject &arguments) override;
    QString frameLocation(const QStringList &frames) override;
    FieldSelection selectedFieldText() override;
    void selectFieldText(const ElementRef &field, int start, int end) override;
    bool replaceFieldText(const ElementRef &field, int start, int end, const QString &expected,
                          const QString &replacement) override;

protected:
    ElementRef lookupById(const QString &idOrName) override;
    ElementRef lookupFormField(const QString &form, const QString &field) override;
    ElementRef lookupNamedFormField(const QString &form, const QString &field) override;
    int countFormElements(const QString &form) override;
    ElementRef lookupFrameFormField(const QStringList &frames, const QString &form, const QString &field) override;

private:
    QJsonValue call(const QString &operation, QJsonObject arguments = {});
    ElementRef elementCall(const QString &operation, QJsonObject arguments);
    int countCall(const QString &operation, QJsonObject arguments = {});

    QPointer<QWebEnginePage> m_page;
    PageScriptRunner m_runner;
    // The providers' page scripts, installed in a document when first asked for.
    std::map<QString, std::unique_ptr<PageScriptRunner>> m_scripts;
};

} // namespace ferrowen
