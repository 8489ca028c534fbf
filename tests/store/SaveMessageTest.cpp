#include "store/FolderListing.h"
#include "store/MessageFileContent.h"
#include "store/MessageFileName.h"
#include "store/MessageSaveHost.h"
#include "store/SaveMessage.h"
#include "store/SavedMessage.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

#include "ScriptedMessageBoxes.h"
#include "TestFiles.h"

using namespace ferrowen;
using ferrowen::testing::fileBytes;

namespace {

class RecordingSaveHost : public MessageSaveHost
{
public:
    QString store;
    QString chosen;
    bool labelShown = false;
    QString statusPanel2;
    ferrowen::testing::ScriptedMessageBoxes boxes;

    QString savedMessagesFolder() const override { return store; }
    QString chosenFolder() const override { return chosen; }
    void showMessageSavedLabel(bool shown) override { labelShown = shown; }
    void setStatusText(int panel, const QString &text) override
    {
        if (panel == 2)
            statusPanel2 = text;
    }
    MessageBoxes &messageBoxes() override { return boxes; }
};

const SavedMessage Lunch{QStringLiteral("Ann <ann>"), QStringLiteral("Re: Lunch?"), QStringLiteral("12/5/2026 7:50:16 PM"),
                         QStringLiteral("bob"), {}, {}, QStringLiteral("<p>See you</p>"), false};

SavedMessage sentCopy()
{
    SavedMessage copy = Lunch;
    copy.from = QStringLiteral("Sent Message");
    copy.isSent = true;
    return copy;
}

// Every file below the folder, as paths relative to it.
QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

struct SaveCase
{
    const char *what;
    const char *folders; // made before saving, separated by "|"
    const char *chosen;
    bool sent;
    const char *written; // the folder the file lands in; nullptr: none
    const char *box;     // nullptr: none
};

class SaveMessageTest : public ::testing::TestWithParam<SaveCase>
{
protected:
    QTemporaryDir dir;
    RecordingSaveHost host;

    void SetUp() override
    {
        host.store = dir.filePath(QStringLiteral("savedmgs"));
        for (const QString &folder : QString::fromUtf8(GetParam().folders).split(u'|', Qt::SkipEmptyParts))
            ASSERT_TRUE(QDir(host.store).mkpath(folder));
        host.chosen = QString::fromUtf8(GetParam().chosen);
    }
};

TEST_P(SaveMessageTest, writesIntoTheRightFolderOrSaysWhyNot)
{
    const SaveCase &c = GetParam();
    SaveMessage(host, c.sent ? sentCopy() : Lunch);

    const QStringList expected = c.written ? QStringList{QString::fromUtf8(c.written) + u'/' + messageFileName(c.sent ? sentCopy() : Lunch)}
                                           : QStringList{};
    EXPECT_EQ(filesBelow(dir.path()), expected);
    EXPECT_EQ(host.boxes.texts(), c.box ? QStringList{QString::fromUtf8(c.box)} : QStringList{});
    const bool confirmed = c.written && !c.sent;
    EXPECT_EQ(host.labelShown, confirmed);
    EXPECT_EQ(host.statusPanel2, confirmed ? QStringLiteral("Msg Saved") : QString());
}

const char *const SentRefused = "You cannot save incoming messages to the Sent Messages Folder.";

INSTANTIATE_TEST_SUITE_P(Folders, SaveMessageTest, ::testing::Values(
    SaveCase{"incoming, into the chosen folder", "Saved|sent", "Saved", false, "savedmgs/Saved", nullptr},
    SaveCase{"incoming, into the sent folder in any case", "Saved|SENT", "SENT", false, nullptr, SentRefused},
    SaveCase{"incoming, into a folder that is gone", "Saved", "Work", false, nullptr,
             "Unable to save message: the folder \"Work\" is not there any more."},
    SaveCase{"incoming, into a name that leaves the store", "Saved", "../outside", false, nullptr,
             "Unable to save message: \"../outside\" cannot be the name of a folder."},
    SaveCase{"incoming, with no folder chosen", "Saved", "", false, nullptr, "Unable to save message: no folder is chosen."},
    SaveCase{"a sent copy, whatever is chosen", "Saved|sent", "Saved", true, "savedmgs/sent", nullptr},
    SaveCase{"a sent copy, into the sent folder as it is spelt", "Saved|Sent", "Saved", true, "savedmgs/Sent", nullptr},
    SaveCase{"a sent copy, into a sent folder made for it", "Saved", "Saved", true, "savedmgs/sent", nullptr}));

// Also for names near the file system's limit, which a replace must leave
// room beside for its temporary file.
TEST(SaveMessageFile, theSameMessageAgainReplacesItsFile_anotherWhoseNameCutsAlikeDoesNot)
{
    const QString senders[] = {
        QStringLiteral("Ann <ann>"),
        QString(200, u'x'),                        // the name of 249 bytes and more
        QStringLiteral("\u4e2d").repeated(90),     // 270 bytes of sender alone
    };
    for (const QString &sender : senders) {
        SCOPED_TRACE(sender.toStdString());
        QTemporaryDir dir;
        SavedMessage message = Lunch;
        message.from = sender;
        ASSERT_TRUE(writeSavedMessage(dir.path(), message));
        message.body = QStringLiteral("second");
        const StatusOr<QString> written = writeSavedMessage(dir.path(), message);
        ASSERT_TRUE(written) << written.error().toStdString();
        EXPECT_EQ(fileBytes(*written), messageFileContent(message));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);

        SavedMessage other = message;
        other.from = sender + QStringLiteral(" and a different tail");
        ASSERT_TRUE(writeSavedMessage(dir.path(), other));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
    }
}

// The file size limit of the process, lowered for one scope: writing more
// fails as a full disk would (also for root, whom permissions do not stop).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_saved;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_previousHandler);
    }

private:
    rlimit m_saved{};
    void (*m_previousHandler)(int);
};

TEST(SaveMessageFile, aWriteThatFailsLeavesTheEarlierFileAsItWasAndNoHalfMessage)
{
    QTemporaryDir dir;
    const StatusOr<QString> earlier = writeSavedMessage(dir.path(), Lunch);
    ASSERT_TRUE(earlier);
    const QByteArray earlierContent = messageFileContent(Lunch);

    SavedMessage bigger = Lunch;
    bigger.body = QString(64 * 1024, u'x');
    {
        const FileSizeLimit limit(4096);
        EXPECT_FALSE(writeSavedMessage(dir.path(), bigger));
    }
    EXPECT_EQ(fileBytes(*earlier), earlierContent);
    EXPECT_EQ(filesBelow(dir.path()), QStringList{QDir(dir.path()).relativeFilePath(*earlier)});
}

TEST(SaveMessageFile, aLongNonLatinMessageIsSavedAndListedWithItsSubject)
{
    QTemporaryDir dir;
    RecordingSaveHost host;
    host.store = dir.path();
    host.chosen = QStringLiteral("Saved");
    ASSERT_TRUE(QDir(dir.path()).mkdir(host.chosen));
    const QString subject = QStringLiteral("\u041f\u0440\u0438\u0432\u0435\u0442 \u043c\u0438\u0440 ").repeated(10); // 110 characters
    SavedMessage message{QStringLiteral("\u7530\u4e2d\u592a\u90ce").repeated(20) + QStringLiteral(" <tanaka@example.jp>"),
                         subject, QStringLiteral("Sat, 5 Dec 2026 19:50:16 -0800"), QStringLiteral("\u0623\u062d\u0645\u062f"),
                         {}, {}, QStringLiteral("\u4f60\u597d"), false};
    SaveMessage(host, message);
    EXPECT_TRUE(host.boxes.texts().isEmpty()) << host.boxes.texts().join(u' ').toStdString();

    const std::vector<ListedMessage> listed = listFolderMessages(dir.filePath(host.chosen));
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].columnText(ListedMessage::Subject), subject.left(60) + QStringLiteral("..."));
    EXPECT_EQ(listed[0].columnText(ListedMessage::Fourth), message.to);
    EXPECT_EQ(listed[0].columnText(ListedMessage::Date), QStringLiteral("Sat, 5 Dec 2026"));
    EXPECT_EQ(listed[0].columnText(ListedMessage::DateKey), QStringLiteral("28097"));
    // The sender is cut, the cut marked: "~" and eight hexadecimal digits.
    const QString first = listed[0].columnText(ListedMessage::First);
    EXPECT_TRUE(first.contains(QRegularExpression(QStringLiteral("~[0-9a-f]{8}$")))) << first.toStdString();
    EXPECT_TRUE(message.from.startsWith(first.chopped(9))) << first.toStdString();
}

} // namespace
