#include "platform/FileLock.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ferrowen;
using namespace std::chrono_literals;

namespace {

class FileLockTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString lockPath() const { return dir.filePath(QStringLiteral("settings.ini.lock")); }
};

TEST_F(FileLockTest, exclusiveLock_keepsOutOtherLockersUntilReleased)
{
    ASSERT_TRUE(dir.isValid());
    {
        const FileLock holder(lockPath(), FileLock::Mode::Exclusive, 0ms);
        ASSERT_TRUE(holder.isLocked()) << holder.error().toStdString();

        const FileLock exclusive(lockPath(), FileLock::Mode::Exclusive, 50ms);
        EXPECT_FALSE(exclusive.isLocked());
        EXPECT_TRUE(exclusive.error().contains(QStringLiteral("timed out")));

        const FileLock shared(lockPath(), FileLock::Mode::Shared, 50ms);
        EXPECT_FALSE(shared.isLocked());
    }
    const FileLock afterRelease(lockPath(), FileLock::Mode::Exclusive, 0ms);
    EXPECT_TRUE(afterRelease.isLocked()) << afterRelease.error().toStdString();
}

TEST_F(FileLockTest, sharedLocks_coexistButKeepOutAWriter)
{
    ASSERT_TRUE(dir.isValid());
    const FileLock first(lockPath(), FileLock::Mode::Shared, 0ms);
    const FileLock second(lockPath(), FileLock::Mode::Shared, 0ms);
    EXPECT_TRUE(first.isLocked());
    EXPECT_TRUE(second.isLocked());

    const FileLock writer(lockPath(), FileLock::Mode::Exclusive, 50ms);
    EXPECT_FALSE(writer.isLocked());
}

} // namespace
