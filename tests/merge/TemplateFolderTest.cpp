// The templates folder: listing, reading and writing template files.
#include "merge/TemplateFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "TestFiles.h"

using namespace ferrowen;
using ferrowen::testing::fileBytes;
using ferrowen::testing::writeFile;

namespace {

class TemplateFolderTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString folder() const { return dir.filePath(QStringLiteral("main/templates")); }

    void put(const QString &name, const QByteArray &content) { writeFile(QDir(folder()).filePath(name), content); }
    QByteArray contentOf(const QString &name) { return fileBytes(QDir(folder()).filePath(name)); }
};

TEST_F(TemplateFolderTest, writingMakesTheMissingFolderAndReplacesAnExistingFileWhole)
{
    ASSERT_FALSE(QDir(folder()).exists());
    ASSERT_TRUE(writeTemplateFile(folder(), QStringLiteral("offer.txt"), {QStringLiteral("A"), QStringLiteral("long body")}));
    ASSERT_TRUE(writeTemplateFile(folder(), QStringLiteral("offer.txt"), {QStringLiteral("B"), QStringLiteral("x")}));
    EXPECT_EQ(contentOf(QStringLiteral("offer.txt")), QByteArray("B\r\nx"));
    // Nothing is left beside it.
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("offer.txt")});
}

TEST_F(TemplateFolderTest, namesThatLeaveTheFolderAreRefusedAndNothingIsWritten)
{
    for (const QString &name : {QStringLiteral("../escaped.txt"), QStringLiteral("sub/x.txt"), QStringLiteral("..")}) {
        const Status written = writeTemplateFile(folder(), name, {QStringLiteral("S"), QStringLiteral("B")});
        EXPECT_FALSE(written) << name.toStdString();
        EXPECT_TRUE(written.error().contains(name)) << written.error().toStdString();
        EXPECT_FALSE(readTemplateFile(folder(), name)) << name.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("main/escaped.txt"))));
    EXPECT_FALSE(QDir(folder()).exists(QStringLiteral("sub")));
}

TEST_F(TemplateFolderTest, aFileThatHasGoneGivesAClearMessage)
{
    const StatusOr<TemplateText> read = readTemplateFile(folder(), QStringLiteral("gone.txt"));
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error(), QStringLiteral("The email template \"gone.txt\" is no longer in the templates folder."));
}

TEST_F(TemplateFolderTest, readsWhatWasWrittenWithTheBodyEndingInALineEnd)
{
    ASSERT_TRUE(writeTemplateFile(folder(), QStringLiteral("offer.txt"), {QStringLiteral("S"), QStringLiteral("a\r\nb")}));
    const StatusOr<TemplateText> read = readTemplateFile(folder(), QStringLiteral("offer.txt"));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->subject, QStringLiteral("S"));
    EXPECT_EQ(read->body, QStringLiteral("a\r\nb\r\n"));
}

// Leftovers of killed writers are never listed; old ones are removed, a
// young one may be another writer's file at work and stays.
TEST_F(TemplateFolderTest, listsTheTemplateFilesInNameOrderWithoutLeftovers)
{
    EXPECT_TRUE(templateNamesInFolder(folder()).isEmpty()) << "a missing folder lists nothing";
    for (const char *name : {"zeta.txt", "Alpha.TXT", "beta.txt", "notes.txt.old", "readme.md", "image.png",
                             "greeting.txt.dEdTsI", "zeta.txt.Ab12cD"})
        put(QLatin1String(name), "S\r\nB");
    QFile old(QDir(folder()).filePath(QStringLiteral("greeting.txt.dEdTsI")));
    ASSERT_TRUE(old.open(QIODevice::ReadWrite));
    ASSERT_TRUE(old.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    old.close();
    ASSERT_TRUE(QDir(folder()).mkpath(QStringLiteral("folder.txt")));
    EXPECT_EQ(templateNamesInFolder(folder()), QStringList({QStringLiteral("Alpha.TXT"), QStringLiteral("beta.txt"),
                                                            QStringLiteral("notes.txt.old"), QStringLiteral("zeta.txt")}));
    EXPECT_FALSE(old.exists());
    EXPECT_TRUE(QFile::exists(QDir(folder()).filePath(QStringLiteral("zeta.txt.Ab12cD"))));
}

} // namespace
