#include "platform/FileLock.h"

#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace ferrowen;
using namespace std::chrono_literals;

namespace {

using Mode = FileLock::Mode;

TEST(FileLockTest, readersShareTheLockAndAWriterExcludesEveryone)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString lockPath = dir.filePath(QStringLiteral("settings.ini.lock"));
    {
        const FileLock reader(lockPath, Mode::Shared, 0ms);
        const FileLock secondReader(lockPath, Mode::Shared, 0ms);
        EXPECT_TRUE(reader.status() && secondReader.status());
        EXPECT_FALSE(FileLock(lockPath, Mode::Exclusive, 50ms).status());
    }
    const FileLock writer(lockPath, Mode::Exclusive, 0ms);
    ASSERT_TRUE(writer.status()) << writer.status().error().toStdString();
    EXPECT_FALSE(FileLock(lockPath, Mode::Shared, 50ms).status());
    const FileLock secondWriter(lockPath, Mode::Exclusive, 50ms);
    EXPECT_FALSE(secondWriter.status());
    EXPECT_TRUE(secondWriter.status().error().contains(QStringLiteral("timed out")));
}

// The interface thread waits for a held lock with its events running: here
// the holder lets go from a timer of that thread.
TEST(FileLockTest, waitingOnTheApplicationThreadLetsItsEventsRun)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString lockPath = dir.filePath(QStringLiteral("settings.ini.lock"));
    auto holder = std::make_unique<FileLock>(lockPath, Mode::Exclusive, 0ms);
    ASSERT_TRUE(holder->status());
    QTimer::singleShot(20ms, [&holder] { holder.reset(); });
    const FileLock waiter(lockPath, Mode::Exclusive, 10s);
    EXPECT_TRUE(waiter.status()) << waiter.status().error().toStdString();
    EXPECT_EQ(holder, nullptr);
}

} // namespace
