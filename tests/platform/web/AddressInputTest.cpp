#include "platform/web/AddressInput.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using ferrowen::urlFromAddress;

namespace {

class AddressInputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(base.path()).mkpath(QStringLiteral("html")));
        QFile start(base.filePath(QStringLiteral("html/index.html")));
        ASSERT_TRUE(start.open(QIODevice::WriteOnly));
    }

    QString url(const QString &address) { return urlFromAddress(address, base.path()).toString(); }
    QString fileUrl(const QString &relative) { return QUrl::fromLocalFile(base.filePath(relative)).toString(); }

    QTemporaryDir base;
};

TEST_F(AddressInputTest, addressesBecomeWhatTheyName)
{
    const struct
    {
        QString address;
        QString url;
    } cases[] = {
        {QStringLiteral("http://mail.example.com/ym/Compose?x=1"), QStringLiteral("http://mail.example.com/ym/Compose?x=1")},
        {QStringLiteral("  www.example.com "), QStringLiteral("http://www.example.com")},
        {QStringLiteral("about:blank"), QStringLiteral("about:blank")},
        {QStringLiteral("/var/tmp/page.html"), QStringLiteral("file:///var/tmp/page.html")},
        {QStringLiteral("html/index.html"), fileUrl(QStringLiteral("html/index.html"))},
        {QStringLiteral("html\\index.html"), fileUrl(QStringLiteral("html/index.html"))},
        {QStringLiteral("savedmgs\\sent\\absent.htm"), fileUrl(QStringLiteral("savedmgs/sent/absent.htm"))},
        {QString(), QString()},
        {QStringLiteral("   "), QString()},
        {QStringLiteral("not a url"), QString()},
        {QStringLiteral("http://"), QString()},
    };
    for (const auto &c : cases)
        EXPECT_EQ(url(c.address), c.url) << qPrintable(c.address);
}

} // namespace
