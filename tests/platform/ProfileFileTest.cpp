#include "platform/FileLock.h"
#include "platform/ProfileFile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ferrowen;
using namespace std::chrono_literals;

namespace {

// A byte string that may hold NUL bytes.
template <size_t N>
QByteArray raw(const char (&text)[N])
{
    return QByteArray(text, qsizetype(N - 1));
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(content), content.size());
}

class ProfileFileTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString path() const { return dir.filePath(QStringLiteral("plinthmere.ini")); }

    QTemporaryDir dir;
};

// ---- Reading -------------------------------------------------------------

struct ReadCase
{
    const char *name;
    QByteArray content;
    const char *section;
    const char *key;
    QString expected; // the default is "<default>"
};

const QString defaultValue = QStringLiteral("<default>");

class ProfileFileReadTest : public ProfileFileTest, public ::testing::WithParamInterface<ReadCase>
{
};

TEST_P(ProfileFileReadTest, readString)
{
    const ReadCase &row = GetParam();
    writeBytes(path(), row.content);
    const ProfileFile file(path());
    EXPECT_EQ(file.readString(QString::fromUtf8(row.section), QString::fromUtf8(row.key), defaultValue),
              row.expected);
}

const QString longValue = QString(400, u'x');

INSTANTIATE_TEST_SUITE_P(Rules, ProfileFileReadTest, ::testing::Values(
    ReadCase{"plain", raw("[Settings]\r\nleft=10\r\n"), "Settings", "left", QStringLiteral("10")},
    ReadCase{"namesIgnoreCase", raw("[SETTINGS]\r\nLeft=10\r\n"), "settings", "LEFT", QStringLiteral("10")},
    ReadCase{"blanksAroundValueDropped", raw("[S]\r\nk = \t value \t\r\n"), "S", "k", QStringLiteral("value")},
    ReadCase{"blanksAroundNamesIgnored", raw("  [ S ]  \r\n  main dir  =C:\\App\\\r\n"), "S", "main dir", QStringLiteral("C:\\App\\")},
    ReadCase{"doubleQuotesRemoved", raw("[S]\r\nk=\" quoted \"\r\n"), "S", "k", QStringLiteral(" quoted ")},
    ReadCase{"singleQuotesRemoved", raw("[S]\r\nk='x'\r\n"), "S", "k", QStringLiteral("x")},
    ReadCase{"unmatchedQuotesKept", raw("[S]\r\nk=\"x'\r\n"), "S", "k", QStringLiteral("\"x'")},
    ReadCase{"emptyValueIsNotMissing", raw("[S]\r\nk=\r\n"), "S", "k", QString()},
    ReadCase{"cutAtNul", raw("[S]\r\nk=ab\0cd\r\n"), "S", "k", QStringLiteral("ab")},
    ReadCase{"longValueCutTo298", "[S]\r\nk=" + longValue.toUtf8() + "\r\n", "S", "k", longValue.left(298)},
    ReadCase{"value299Cut", "[S]\r\nk=" + longValue.left(299).toUtf8() + "\r\n", "S", "k", longValue.left(298)},
    ReadCase{"missingSection", raw("[A]\r\nk=1\r\n"), "B", "k", defaultValue},
    ReadCase{"missingKey", raw("[S]\r\nj=1\r\n"), "S", "k", defaultValue},
    ReadCase{"keyOfAnotherSection", raw("[A]\r\nk=1\r\n[B]\r\nj=2\r\n"), "B", "k", defaultValue},
    ReadCase{"lfLineEnds", raw("[S]\nk=1\nj=2\n"), "S", "j", QStringLiteral("2")},
    ReadCase{"lastLineWithoutEnd", raw("[S]\r\nk=1"), "S", "k", QStringLiteral("1")},
    ReadCase{"firstDuplicateKeyWins", raw("[S]\r\nk=1\r\nk=2\r\n"), "S", "k", QStringLiteral("1")},
    ReadCase{"repeatedSectionSearched", raw("[S]\r\n[T]\r\nk=1\r\n[S]\r\nk=2\r\n"), "S", "k", QStringLiteral("2")},
    ReadCase{"commentIsNotAKey", raw("[S]\r\n;k=1\r\nk=2\r\n"), "S", "k", QStringLiteral("2")},
    ReadCase{"lineWithoutEqualsIgnored", raw("[S]\r\nk\r\nk=3\r\n"), "S", "k", QStringLiteral("3")},
    ReadCase{"keyBeforeFirstSectionIgnored", raw("k=1\r\n[S]\r\n"), "S", "k", defaultValue},
    ReadCase{"byteOrderMarkSkipped", raw("\xEF\xBB\xBF[S]\r\nk=1\r\n"), "S", "k", QStringLiteral("1")}),
    [](const ::testing::TestParamInfo<ReadCase> &info) { return std::string(info.param.name); });

TEST_F(ProfileFileTest, missingFile_givesDefaultAndCreatesNothing)
{
    const ProfileFile file(dir.filePath(QStringLiteral("absent/plinthmere.ini")));
    EXPECT_EQ(file.readString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("absent"))));
}

// ---- Writing -------------------------------------------------------------

TEST_F(ProfileFileTest, rewritingAKey_keepsEveryOtherLineByteForByte)
{
    writeBytes(path(), raw("; written by hand\r\n"
                           "\r\n"
                           "[Locations]\r\n"
                           "main dir=C:\\App\\\r\n"
                           "\r\n"
                           "[Settings]\r\n"
                           "Left = 5\r\n"
                           "  top=7\r\n"
                           "; note\r\n"
                           "\r\n"
                           "[Other]\r\n"
                           "left=1\r\n"));
    ProfileFile file(path());
    ASSERT_TRUE(file.writeString(QStringLiteral("settings"), QStringLiteral("left"), QStringLiteral("1200")));
    EXPECT_EQ(readBytes(path()), raw("; written by hand\r\n"
                                     "\r\n"
                                     "[Locations]\r\n"
                                     "main dir=C:\\App\\\r\n"
                                     "\r\n"
                                     "[Settings]\r\n"
                                     "Left=1200\r\n"
                                     "  top=7\r\n"
                                     "; note\r\n"
                                     "\r\n"
                                     "[Other]\r\n"
                                     "left=1\r\n"));
}

TEST_F(ProfileFileTest, rewritingInAnLfFile_keepsOtherLineEndsAndWritesCrLf)
{
    writeBytes(path(), raw("[S]\nk=1\nj=2\n"));
    ProfileFile file(path());
    ASSERT_TRUE(file.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("9")));
    EXPECT_EQ(readBytes(path()), raw("[S]\nk=9\r\nj=2\n"));
}

TEST_F(ProfileFileTest, rewritingADuplicatedKey_changesOnlyTheFirst)
{
    writeBytes(path(), raw("[S]\r\nk=1\r\nk=2\r\n"));
    ProfileFile file(path());
    ASSERT_TRUE(file.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("9")));
    EXPECT_EQ(readBytes(path()), raw("[S]\r\nk=9\r\nk=2\r\n"));
}

TEST_F(ProfileFileTest, newKey_goesAtTheEndOfItsSectionBeforeBlankLines)
{
    writeBytes(path(), raw("[A]\r\nx=1\r\n; last\r\n\r\n\r\n[B]\r\ny=2\r\n"));
    ProfileFile file(path());
    ASSERT_TRUE(file.writeString(QStringLiteral("a"), QStringLiteral("z"), QStringLiteral("3")));
    EXPECT_EQ(readBytes(path()), raw("[A]\r\nx=1\r\n; last\r\nz=3\r\n\r\n\r\n[B]\r\ny=2\r\n"));
}

TEST_F(ProfileFileTest, unterminatedLastLine_getsALineEndBeforeAnythingIsAdded)
{
    writeBytes(path(), raw("[A]\nx=1"));
    ProfileFile file(path());
    ASSERT_TRUE(file.writeString(QStringLiteral("A"), QStringLiteral("y"), QStringLiteral("2")));
    ASSERT_TRUE(file.writeString(QStringLiteral("B"), QStringLiteral("z"), QStringLiteral("3")));
    EXPECT_EQ(readBytes(path()), raw("[A]\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n"));
}

TEST_F(ProfileFileTest, missingFolderAndFile_areCreated)
{
    const QString nested = dir.filePath(QStringLiteral("config/ferrowen/plinthmere.ini"));
    ProfileFile file(nested);
    ASSERT_TRUE(file.writeString(QStringLiteral("Settings"), QStringLiteral("mailto"), QStringLiteral("mailto:a@b.example")));
    EXPECT_EQ(readBytes(nested), raw("[Settings]\r\nmailto=mailto:a@b.example\r\n"));
}

TEST_F(ProfileFileTest, writtenValues_readBackAsTheyAreRead)
{
    ProfileFile file(path());
    const QString utf8 = QStringLiteral("Grüße, 日本");
    ASSERT_TRUE(file.writeString(QStringLiteral("S"), QStringLiteral("text"), utf8));
    ASSERT_TRUE(file.writeString(QStringLiteral("S"), QStringLiteral("padded"), QStringLiteral(" 950")));
    ASSERT_TRUE(file.writeString(QStringLiteral("S"), QStringLiteral("empty"), QString()));
    EXPECT_EQ(file.readString(QStringLiteral("s"), QStringLiteral("TEXT"), defaultValue), utf8);
    EXPECT_EQ(file.readString(QStringLiteral("S"), QStringLiteral("padded"), defaultValue), QStringLiteral("950"));
    EXPECT_EQ(file.readString(QStringLiteral("S"), QStringLiteral("empty"), defaultValue), QString());
    EXPECT_TRUE(readBytes(path()).contains(raw("padded= 950\r\n")));
}

// ---- Refused names and values --------------------------------------------

struct RefusedCase
{
    const char *name;
    QString section;
    QString key;
    QString value;
};

class ProfileFileRefusalTest : public ProfileFileTest, public ::testing::WithParamInterface<RefusedCase>
{
};

TEST_P(ProfileFileRefusalTest, writesNothing)
{
    const RefusedCase &row = GetParam();
    const QByteArray original = raw("[Settings]\r\nkey=old\r\n");
    writeBytes(path(), original);
    ProfileFile file(path());

    const Status status = file.writeString(row.section, row.key, row.value);

    EXPECT_FALSE(status.ok());
    EXPECT_FALSE(status.error().isEmpty());
    EXPECT_EQ(readBytes(path()), original);

    ProfileFile absent(dir.filePath(QStringLiteral("new/plinthmere.ini")));
    EXPECT_FALSE(absent.writeString(row.section, row.key, row.value).ok());
    EXPECT_FALSE(QFile::exists(absent.path()));
}

const QString settings = QStringLiteral("Settings");
const QString key = QStringLiteral("key");
const QString value = QStringLiteral("v");

INSTANTIATE_TEST_SUITE_P(Names, ProfileFileRefusalTest, ::testing::Values(
    RefusedCase{"valueWithLf", settings, key, QStringLiteral("a\nx=injected")},
    RefusedCase{"valueWithCrLf", settings, key, QStringLiteral("a\r\n[Other]")},
    RefusedCase{"valueWithNul", settings, key, QStringLiteral("a") + QChar(0) + QStringLiteral("b")},
    RefusedCase{"keyWithEquals", settings, QStringLiteral("a=b"), value},
    RefusedCase{"keyWithBracket", settings, QStringLiteral("a]b"), value},
    RefusedCase{"keyOpeningSection", settings, QStringLiteral("[x"), value},
    RefusedCase{"emptyKey", settings, QStringLiteral(" "), value},
    RefusedCase{"sectionWithBracket", QStringLiteral("a]b"), key, value},
    RefusedCase{"sectionWithCr", QStringLiteral("a\rb"), key, value}),
    [](const ::testing::TestParamInfo<RefusedCase> &info) { return std::string(info.param.name); });

// ---- Locked read-modify-write --------------------------------------------

TEST_F(ProfileFileTest, update_seesTheValueAsReadAndCanLeaveTheFileAlone)
{
    writeBytes(path(), raw("[S]\r\nk=  \"quoted\"  \r\n"));
    ProfileFile file(path());
    std::vector<std::optional<QString>> seen;
    const auto record = [&seen](const std::optional<QString> &current) -> std::optional<QString> {
        seen.push_back(current);
        return std::nullopt;
    };

    ASSERT_TRUE(file.update(QStringLiteral("S"), QStringLiteral("k"), record));
    ASSERT_TRUE(file.update(QStringLiteral("S"), QStringLiteral("missing"), record));

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], std::optional<QString>(QStringLiteral("quoted")));
    EXPECT_EQ(seen[1], std::nullopt);
    EXPECT_EQ(readBytes(path()), raw("[S]\r\nk=  \"quoted\"  \r\n"));
}

TEST_F(ProfileFileTest, writeStringIfEmpty_writesOnlyIntoAnEmptyOrMissingKey)
{
    writeBytes(path(), raw("[Settings]\r\nfull=mailto:first\r\nblank=  \r\n"));
    ProfileFile file(path());
    bool written = true;

    ASSERT_TRUE(file.writeStringIfEmpty(settings, QStringLiteral("full"), QStringLiteral("second"), written));
    EXPECT_FALSE(written);
    ASSERT_TRUE(file.writeStringIfEmpty(settings, QStringLiteral("blank"), QStringLiteral("b"), written));
    EXPECT_TRUE(written);
    ASSERT_TRUE(file.writeStringIfEmpty(settings, QStringLiteral("missing"), QStringLiteral("m"), written));
    EXPECT_TRUE(written);

    EXPECT_EQ(readBytes(path()), raw("[Settings]\r\nfull=mailto:first\r\nblank=b\r\nmissing=m\r\n"));
}

TEST_F(ProfileFileTest, writeWhileAnotherHoldsTheLock_failsAfterItsTimeoutAndWritesNothing)
{
    writeBytes(path(), raw("[S]\r\nk=1\r\n"));
    ProfileFile file(path());
    file.setLockTimeout(100ms);
    {
        const FileLock other(file.lockFilePath(), FileLock::Mode::Exclusive, 0ms);
        ASSERT_TRUE(other.isLocked());
        const Status status = file.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("2"));
        EXPECT_FALSE(status.ok());
        EXPECT_EQ(readBytes(path()), raw("[S]\r\nk=1\r\n"));
    }
    EXPECT_TRUE(file.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("2")));
    EXPECT_EQ(readBytes(path()), raw("[S]\r\nk=2\r\n"));
}

TEST_F(ProfileFileTest, lockFile_isASidecarInTheSameFolder)
{
    ProfileFile file(path());
    ASSERT_TRUE(file.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("1")));
    EXPECT_EQ(file.lockFilePath(), dir.filePath(QStringLiteral("plinthmere.ini.lock")));
    EXPECT_TRUE(QFile::exists(file.lockFilePath()));
}

// The key a hammer with last written number `last` must have left in key_<slot>.
QString expectedHammerValue(int last, int slot)
{
    return QString::number(last - ((last - slot) % 20));
}

TEST_F(ProfileFileTest, twoProcessesWritingAtOnce_loseNoUpdate)
{
    const QStringList sections{QStringLiteral("hammer_a"), QStringLiteral("hammer_b")};
    std::vector<std::unique_ptr<QProcess>> hammers;
    for (const QString &section : sections) {
        auto process = std::make_unique<QProcess>();
        process->start(QStringLiteral(INI_HAMMER_PATH),
                       {path(), section, QStringLiteral("1000"), QStringLiteral("40")});
        hammers.push_back(std::move(process));
    }

    std::vector<int> lastWritten;
    for (auto &process : hammers) {
        ASSERT_TRUE(process->waitForFinished(60000));
        ASSERT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
        bool ok = false;
        lastWritten.push_back(process->readAllStandardOutput().trimmed().toInt(&ok));
        ASSERT_TRUE(ok);
        ASSERT_GE(lastWritten.back(), 39);
    }

    const ProfileFile file(path());
    for (size_t h = 0; h < hammers.size(); ++h) {
        for (int slot = 0; slot < 20; ++slot) {
            const QString keyName = QStringLiteral("key_%1").arg(slot);
            EXPECT_EQ(file.readString(sections[h], keyName, defaultValue), expectedHammerValue(lastWritten[h], slot))
                << sections[h].toStdString() << "/" << keyName.toStdString();
        }
    }
}

} // namespace
