#include "platform/web/SubmissionTracker.h"

#include <gtest/gtest.h>

using ferrowen::SubmissionTracker;

namespace {

const QUrl action(QStringLiteral("http://mail.example.com/compose?box=1"));

QString report(const char *method, const QString &actionUrl, const char *data)
{
    return QStringLiteral(R"({"action":"%1","method":"%2","data":"%3"})")
        .arg(actionUrl, QLatin1String(method), QLatin1String(data));
}

TEST(SubmissionTrackerTest, anAcceptedPostSubmissionTakesTheLatestReportOnce)
{
    SubmissionTracker tracker;
    ASSERT_TRUE(tracker.report(report("post", action.toString(), "To=old")));
    ASSERT_TRUE(tracker.report(report("post", action.toString(), "To=old")));
    EXPECT_EQ(tracker.takePost(action, true).charset, QStringLiteral("UTF-8")) << "unless it says otherwise";
    ASSERT_TRUE(tracker.report(report("post", action.toString(), "To=old")));
    ASSERT_TRUE(tracker.report(report("post", action.toString() + QStringLiteral("#top"), "To=new")
                                   .replace(u'}', QStringLiteral(R"(,"charset":"windows-1252"})"))));
    const SubmissionTracker::Post post = tracker.takePost(action, true);
    EXPECT_EQ(post.data, QByteArrayLiteral("To=new"));
    EXPECT_EQ(post.charset, QStringLiteral("windows-1252"));
    EXPECT_EQ(tracker.takePost(action, true).data, QByteArray());
}

TEST(SubmissionTrackerTest, otherNavigationsGetNothingAndEndThePendingReport)
{
    const struct
    {
        const char *method;
        QUrl navigation;
        bool isFormSubmission;
    } cases[] = {
        {"post", action, false},                                                  // a link after a cancelled submit
        {"get", action, true},                                                    // nothing is posted
        {"post", QUrl(QStringLiteral("http://mail.example.com/other")), true},    // another form's submission
        {"post", QUrl(QStringLiteral("http://mail.example.com/compose?box=1&SEND")), true},
    };
    for (const auto &c : cases) {
        SubmissionTracker tracker;
        ASSERT_TRUE(tracker.report(report(c.method, action.toString(), "To=a")));
        EXPECT_EQ(tracker.takePost(c.navigation, c.isFormSubmission).data, QByteArray()) << c.method;
        EXPECT_FALSE(tracker.hasPending());
    }
}

TEST(SubmissionTrackerTest, malformedReportsAreIgnored)
{
    SubmissionTracker tracker;
    EXPECT_FALSE(tracker.report(QStringLiteral("not json")));
    EXPECT_FALSE(tracker.report(QStringLiteral(R"({"action":"x","method":"post"})")));
    EXPECT_FALSE(tracker.report(QStringLiteral(R"({"action":"x","method":"post","data":"","charset":1})")));
    EXPECT_FALSE(tracker.hasPending());
}

} // namespace
