#include "sorvik2/MailtoWaitQueue.h"
#include "sorvik2/ProcessIdentity.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "TestFiles.h"

using namespace ferrowen;

namespace {

// A process that has come and gone.
ProcessIdentity endedProcess()
{
    QProcess process;
    process.start(QStringLiteral("true"), {});
    EXPECT_TRUE(process.waitForStarted(10000));
    const ProcessIdentity identity = ProcessIdentity::of(process.processId());
    EXPECT_TRUE(process.waitForFinished(10000));
    return identity;
}

TEST(ProcessIdentityTest, tellsARunningProcessFromAnEndedOneAndFromALaterOneWithItsPid)
{
    const ProcessIdentity self = ProcessIdentity::current();
    ASSERT_GT(self.startTime, 0u) << "/proc gives the start time";
    EXPECT_TRUE(self.isRunning());
    EXPECT_FALSE((ProcessIdentity{self.pid, self.startTime + 1}.isRunning())) << "the pid now belongs to another process";
    EXPECT_FALSE(endedProcess().isRunning());
    EXPECT_FALSE(ProcessIdentity{}.isRunning());
}

TEST(ProcessIdentityTest, readsBackWhatItWritesAndNothingElse)
{
    const ProcessIdentity identity{4242, 987654};
    EXPECT_EQ(ProcessIdentity::parse(identity.toString()), identity);
    EXPECT_EQ(ProcessIdentity::parse(u" 17 0 "), (ProcessIdentity{17, 0}));
    for (const char16_t *text : {u"", u"17", u"17 x", u"-3 5", u"0 5", u"1 2 3"})
        EXPECT_FALSE(ProcessIdentity::parse(text)) << QString::fromUtf16(text).toStdString();
}

TEST(MailtoWaitQueueTest, firstComeFirstServedSkippingWaitersThatHaveEnded)
{
    QTemporaryDir dir;
    const QString path = MailtoWaitQueue::pathFor(dir.filePath(QStringLiteral("plinthmere.ini")));
    const ProcessIdentity self = ProcessIdentity::current();
    const ProcessIdentity gone = endedProcess();
    const ProcessIdentity reusedPid{self.pid, self.startTime + 1};

    StatusOr<MailtoWaitQueue> empty = MailtoWaitQueue::read(path);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->isTurnOf(self)) << "no one waits";

    ferrowen::testing::writeFile(path, gone.toString().toLatin1() + "\nnot a waiter\n" + reusedPid.toString().toLatin1() + '\n');
    StatusOr<MailtoWaitQueue> queue = MailtoWaitQueue::read(path);
    ASSERT_TRUE(queue);
    EXPECT_EQ(queue->waiters(), (std::vector<ProcessIdentity>{gone, reusedPid}));
    EXPECT_TRUE(queue->isTurnOf(self)) << "only ended waiters are ahead";

    MailtoWaitQueue &waiting = queue.value();
    waiting.add(self);
    waiting.add(self);
    waiting.dropEnded();
    EXPECT_EQ(waiting.waiters(), std::vector<ProcessIdentity>{self});
    ASSERT_TRUE(waiting.isChanged());
    ASSERT_TRUE(waiting.save());
    const StatusOr<MailtoWaitQueue> saved = MailtoWaitQueue::read(path);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->waiters(), std::vector<ProcessIdentity>{self});
    EXPECT_FALSE(saved->isTurnOf(ProcessIdentity{self.pid + 1, 0})) << "a running waiter is ahead";

    waiting.remove(self);
    ASSERT_TRUE(waiting.save());
    EXPECT_FALSE(QFile::exists(path)) << "an empty queue leaves no file";
}

} // namespace
