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

// A form posted into a hidden frame: the frame's load to the reported
// address takes the data; the frame's other loads leave it pending.
TEST(SubmissionTrackerTest, aFramesLoadToTheReportedAddressTakesThePost)
{
    const QUrl framed(QStringLiteral("http://mail.example.com/?_task=mail&_unlock=loading1&_framed=1"));
    SubmissionTracker tracker;
    ASSERT_TRUE(tracker.report(report("post", framed.toString(), "_to=a&_draft=")));
    EXPECT_EQ(tracker.takeFramePost(QUrl(QStringLiteral("http://mail.example.com/skins/watermark.html"))).data, QByteArray());
    EXPECT_TRUE(tracker.hasPending());
    EXPECT_EQ(tracker.takeFramePost(framed).data, QByteArrayLiteral("_to=a&_draft="));
    EXPECT_FALSE(tracker.hasPending());
    EXPECT_EQ(tracker.takeFramePost(framed).data, QByteArray()) << "once";

    ASSERT_TRUE(tracker.report(report("get", framed.toString(), "q=x")));
    EXPECT_EQ(tracker.takeFramePost(framed).data, QByteArray()) << "nothing is posted";
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
