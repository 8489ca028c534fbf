#pragma once

#include "FakeWebPage.h"
#include "ScriptedMessageBoxes.h"
#include "merge/MergeRunHost.h"

#include <gtest/gtest.h>

#include <QHash>

#include <functional>

namespace ferrowen::testing {

// A compose pane and the site behind it, as a merge run sees them: the
// compose page at one address, a submit that the site answers on another
// address (or never), and pages that load at once unless the test holds
// the pane busy.
class FakeMergeSite : public MergeComposePage, public MergeAddressSource, public MergeSession
{
public:
    MergeRunHost runHost() { return {*this, *this, *this}; }

    struct Sent
    {
        QString to;
        QString subject;
        QString body;
        QString actionSuffix;
    };

    class ComposePage : public FakeWebPage
    {
    public:
        std::function<void(const QString &form, const QString &suffix)> onSubmit;
        // Runs after each field written, with the field's name.
        std::function<void(const QString &field)> afterWrite;
        void submitForm(const QString &form, const QString &actionSuffix) override { onSubmit(form, actionSuffix); }
        void writeProperty(const ElementRef &element, ElementProperty property, const QVariant &value) override
        {
            FakeWebPage::writeProperty(element, property, value);
            if (afterWrite)
                afterWrite(elements.at(element.index).name);
        }
    };

    const QString composeAddress = QStringLiteral("https://mail.yahoo.example/compose");
    QString location;
    bool busy = false;
    ComposePage page;
    bool siteAnswers = true;
    // The answer to a send to this address: an error page ("HTTP 403"), or
    // the compose form again (""); any other address is taken.
    QHash<QString, QString> refusals;
    QString loadError;
    // The compose page's address shows at once, its form only when the test
    // loads it (the answer page's document stays until then).
    bool composeFormComesLate = false;
    QList<Sent> sent;
    // Runs right after each submit, as the user or the site would meanwhile.
    std::function<void()> afterSubmit;
    MergeAddresses addresses;
    bool askedForSelection = false;
    bool merging = false;
    int tabSelections = 0;
    ScriptedMessageBoxes boxes;

    FakeMergeSite()
    {
        loadComposePage(QStringLiteral("Hello <<First>>"), QStringLiteral("Dear <<first>>,\r\nhi."));
        page.onSubmit = [this](const QString &form, const QString &suffix) {
            const QString to = composeValue("To");
            if (refusals.contains(to)) {
                loadError = refusals.value(to);
                location = composeAddress + QStringLiteral("?SEND");
                if (!loadError.isEmpty())
                    page.clear();
            } else {
                sent.append({to, composeValue("Subj"), composeValue("Body"), suffix});
                if (siteAnswers) {
                    location = QStringLiteral("https://mail.yahoo.example/sent?confirm=%1").arg(sent.size());
                    page.clear();
                }
            }
            Q_UNUSED(form);
            if (afterSubmit)
                afterSubmit();
        };
        addresses.columnNames = {QStringLiteral("First"), QStringLiteral("Email"), QString()};
        addresses.emailColumn = 1;
        addresses.bookPath = QStringLiteral("/books/friends.csv");
    }

    void loadComposePage(const QString &subject = QString(), const QString &body = QString())
    {
        location = composeAddress;
        loadError.clear();
        page.clear();
        page.addField(QStringLiteral("Compose"), QStringLiteral("To"));
        page.addField(QStringLiteral("Compose"), QStringLiteral("Subj"), subject);
        page.addField(QStringLiteral("Compose"), QStringLiteral("Body"), body);
    }
    QString composeValue(const char *field) { return page.fieldValue("Compose", field); }
    QStringList sentTo() const
    {
        QStringList to;
        for (const Sent &message : sent)
            to << message.to;
        return to;
    }
    // The page asks before it sends a message without a body.
    bool bodyRequired = false;
    void addRow(const QString &first, const QString &email) { addresses.rows.append({first, email, QString()}); }

    void selectComposeTab() override { ++tabSelections; }
    WebPage &composePage() override { return page; }
    QString composeLocation() override { return location; }
    bool composeBusy() override { return busy; }
    void navigateCompose(const QString &address) override
    {
        if (address == composeAddress && !composeFormComesLate)
            loadComposePage();
        else
            location = address;
    }
    QString composeLoadError() override { return loadError; }
    MergeFormNames composeFormNames(const QString &address) override
    {
        EXPECT_EQ(address, composeAddress);
        MergeFormNames names{QStringLiteral("Compose"), QStringLiteral("To"), QStringLiteral("Subj"),
                             QStringLiteral("Body"), QStringLiteral("&SEND"), QString(), QString()};
        names.bodyRequired = bodyRequired;
        return names;
    }
    MergeAddresses addressesToMerge(bool selectedOnly) override
    {
        askedForSelection = selectedOnly;
        return addresses;
    }
    bool mergeInProgress() const override { return merging; }
    void setMergeInProgress(bool inProgress) override { merging = inProgress; }
    MessageBoxes &messageBoxes() override { return boxes; }
};

} // namespace ferrowen::testing
