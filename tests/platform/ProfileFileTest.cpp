#include "platform/FileLock.h"
#include "platform/ProfileFile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

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

const QString defaultValue = QStringLiteral("<default>");

class ProfileFileTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString path() const { return dir.filePath(QStringLiteral("plinthmere.ini")); }

    // Opens the settings file after giving it `content`.
    ProfileFile fileWith(const QByteArray &content) const
    {
        QFile file(path());
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        return ProfileFile(path());
    }

    QTemporaryDir dir;
};

// ---- Reading -------------------------------------------------------------

TEST_F(ProfileFileTest, readString_followsTheIniRules)
{
    const QString value299(299, u'x');
    const struct { QByteArray content; const char *section; const char *key; QString expected; } rows[] = {
        {raw("[SETTINGS]\r\nLeft=10\r\n"), "settings", "LEFT", QStringLiteral("10")},
        {raw("[S]\r\nk = \t value \t\r\n"), "S", "k", QStringLiteral("value")},
        {raw("  [ S ]  \r\n  main dir  =C:\\App\\\r\n"), "S", "main dir", QStringLiteral("C:\\App\\")},
        {raw("[S]\r\nk=\" quoted \"\r\n"), "S", "k", QStringLiteral(" quoted ")},
        {raw("[S]\r\nk='x'\r\n"), "S", "k", QStringLiteral("x")},
        {raw("[S]\r\nk=\"x'\r\n"), "S", "k", QStringLiteral("\"x'")}, // unmatched quotes stay
        {raw("[S]\r\nk=\r\n"), "S", "k", QString()},                  // empty is not missing
        {raw("[S]\r\nk=ab\0cd\r\n"), "S", "k", QStringLiteral("ab")},
        {"[S]\r\nk=" + value299.toUtf8() + "\r\n", "S", "k", value299.left(298)},
        {raw("[A]\r\nk=1\r\n"), "B", "k", defaultValue},
        {raw("[A]\r\nk=1\r\n[B]\r\nj=2\r\n"), "B", "k", defaultValue},
        {raw("[S]\nk=1\nj=2\n"), "S", "j", QStringLiteral("2")},
        {raw("[S]\r\nk=1"), "S", "k", QStringLiteral("1")},
        {raw("[S]\r\nk=1\r\nk=2\r\n"), "S", "k", QStringLiteral("1")},                 // first duplicate wins
        {raw("[S]\r\n[T]\r\nk=1\r\n[S]\r\nk=2\r\n"), "S", "k", QStringLiteral("2")},   // repeated section searched
        {raw("[S]\r\n;k=1\r\nk=2\r\n"), "S", "k", QStringLiteral("2")},
        {raw("[S]\r\nk\r\nk=3\r\n"), "S", "k", QStringLiteral("3")},
        {raw("k=1\r\n[S]\r\n"), "S", "k", defaultValue},
        {raw("\xEF\xBB\xBF[S]\r\nk=1\r\n"), "S", "k", QStringLiteral("1")},
        {raw("[S]\rk=1\rj=2\r"), "S", "j", QStringLiteral("2")},                       // bare CR ends a line
        {raw("[S]\r\nk=1\rj=2\r\n"), "S", "k", QStringLiteral("1")},
        {raw("[S]\r\r\nk=1\r\r\n"), "S", "k", QStringLiteral("1")},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(fileWith(row.content).readString(QString::fromUtf8(row.section), QString::fromUtf8(row.key), defaultValue),
                  row.expected)
            << row.content.left(40).toStdString();
    }

    const ProfileFile missing(dir.filePath(QStringLiteral("absent/plinthmere.ini")));
    EXPECT_EQ(missing.readString(QStringLiteral("S"), QStringLiteral("k"), defaultValue), defaultValue);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("absent"))));
}

// ---- Writing -------------------------------------------------------------

TEST_F(ProfileFileTest, writeString_changesOnlyItsLineInCrLfAndReadsBack)
{
    const QByteArray handWritten = raw("; written by hand\r\n\r\n[Locations]\r\nmain dir=C:\\App\\\r\n\r\n"
                                       "[Settings]\r\nLeft = 5\r\n  top=7\r\n; note\r\n\r\n[Other]\r\nleft=1\r\n");
    // No `before`: neither folder nor file exists yet.
    const struct { std::optional<QByteArray> before; const char *section, *key, *value; QByteArray after; } rows[] = {
        {handWritten, "settings", "left", "1200", QByteArray(handWritten).replace("Left = 5\r\n", "Left=1200\r\n")},
        {raw("[S]\nk=1\nj=2\n"), "S", "k", "9", raw("[S]\nk=9\r\nj=2\n")},
        {raw("[S]\r\nk=1\r\nk=2\r\n"), "S", "k", "9", raw("[S]\r\nk=9\r\nk=2\r\n")},
        {raw("[A]\r\nx=1\r\n; last\r\n\r\n\r\n[B]\r\ny=2\r\n"), "a", "z", "3", raw("[A]\r\nx=1\r\n; last\r\nz=3\r\n\r\n\r\n[B]\r\ny=2\r\n")},
        {raw("[A]\nx=1"), "A", "y", "2", raw("[A]\nx=1\r\ny=2\r\n")},
        {std::nullopt, "Settings", "mailto", "mailto:a@b.example", raw("[Settings]\r\nmailto=mailto:a@b.example\r\n")},
        {raw("[S]\r\n"), "S", "text", "Grüße, 日本", raw("[S]\r\ntext=Grüße, 日本\r\n")},
        // A last line ending in a bare CR keeps it, and the new line starts after it.
        {raw("[Settings]\r\nbug=1\r"), "Settings", "mailto", "X", raw("[Settings]\r\nbug=1\rmailto=X\r\n")},
        // What a reader would change goes in quotes, which it takes off again.
        {raw("[S]\r\n"), "S", "k", "\"Buy now\"", raw("[S]\r\nk=\"\"Buy now\"\"\r\n")},
        {raw("[S]\r\n"), "S", "k", "  two blanks before", raw("[S]\r\nk=\"  two blanks before\"\r\n")},
        {raw("[S]\r\n"), "S", "k", "after\t", raw("[S]\r\nk=\"after\t\"\r\n")},
        {raw("[S]\r\n"), "S", "k", "'single'", raw("[S]\r\nk=\"'single'\"\r\n")},
        {raw("[S]\r\n"), "S", "k", "\"half", raw("[S]\r\nk=\"half\r\n")},
        {raw("[S]\r\n"), "S", "k", "in \"the\" middle", raw("[S]\r\nk=in \"the\" middle\r\n")},
    };
    for (const auto &row : rows) {
        ProfileFile file = row.before ? fileWith(*row.before) : ProfileFile(dir.filePath(QStringLiteral("new/folder/x.ini")));
        const QString section = QString::fromUtf8(row.section);
        const QString key = QString::fromUtf8(row.key);
        ASSERT_TRUE(file.writeString(section, key, QString::fromUtf8(row.value)));
        EXPECT_EQ(readBytes(file.path()), row.after);
        EXPECT_EQ(file.readString(section, key, defaultValue), QString::fromUtf8(row.value));
    }
}

TEST_F(ProfileFileTest, writeString_refusesBrokenNamesAndValuesAndWritesNothing)
{
    const QString settings = QStringLiteral("Settings");
    const QString key = QStringLiteral("key");
    const QString value = QStringLiteral("v");
    const std::tuple<QString, QString, QString> refused[] = {
        {settings, key, QStringLiteral("a\nx=injected")},
        {settings, key, QStringLiteral("a\r[Other]")},
        {settings, key, QStringLiteral("a") + QChar(0) + QStringLiteral("b")},
        {settings, key, QStringLiteral("lone ") + QChar(0xD800)},
        {settings, QStringLiteral("a=b"), value},
        {settings, QStringLiteral("a]b"), value},
        {settings, QStringLiteral("[x"), value},
        {settings, QStringLiteral(" "), value},
        {QStringLiteral("a]b"), key, value},
        {QStringLiteral("a\rb"), key, value},
    };
    const QByteArray original = raw("[Settings]\r\nkey=old\r\n");
    ProfileFile file = fileWith(original);
    ProfileFile absent(dir.filePath(QStringLiteral("new/plinthmere.ini")));
    for (const auto &[section, keyName, text] : refused) {
        const Status status = file.writeString(section, keyName, text);
        EXPECT_TRUE(!status.ok() && !status.error().isEmpty()) << section.toStdString() << "/" << keyName.toStdString();
        EXPECT_FALSE(absent.writeString(section, keyName, text).ok());
    }
    EXPECT_EQ(readBytes(path()), original);
    EXPECT_FALSE(QFile::exists(absent.path()));
}

// Whatever ends the lines, a write adds or changes its key and every key
// reads back afterwards.
TEST_F(ProfileFileTest, writeAfterEveryLineEndShape_readsBackEveryKey)
{
    const struct { const char *shape; QByteArray content; } rows[] = {
        {"LF", raw("[Settings]\nbug=1\n[Other]\nk=2\n")},
        {"CR LF", raw("[Settings]\r\nbug=1\r\n[Other]\r\nk=2\r\n")},
        {"bare CR", raw("[Settings]\rbug=1\r[Other]\rk=2\r")},
        {"none at the end", raw("[Settings]\r\nbug=1\r\n[Other]\r\nk=2")},
        {"mixed", raw("[Settings]\nbug=1\r[Other]\r\nk=2\r")},
    };
    const QString settings = QStringLiteral("Settings");
    for (const auto &row : rows) {
        ProfileFile file = fileWith(row.content);
        ASSERT_TRUE(file.writeString(settings, QStringLiteral("mailto"), QStringLiteral("mailto:a@b.example")));
        ASSERT_TRUE(file.writeString(settings, QStringLiteral("bug"), QStringLiteral("7777")));
        ASSERT_TRUE(file.writeString(QStringLiteral("Other"), QStringLiteral("new"), QStringLiteral("3")));
        EXPECT_EQ(file.readString(settings, QStringLiteral("mailto"), defaultValue), QStringLiteral("mailto:a@b.example")) << row.shape;
        EXPECT_EQ(file.readString(settings, QStringLiteral("bug"), defaultValue), QStringLiteral("7777")) << row.shape;
        EXPECT_EQ(file.readString(QStringLiteral("Other"), QStringLiteral("k"), defaultValue), QStringLiteral("2")) << row.shape;
        EXPECT_EQ(file.readString(QStringLiteral("Other"), QStringLiteral("new"), defaultValue), QStringLiteral("3")) << row.shape;
    }
}

TEST_F(ProfileFileTest, writeStrings_writesAllInOrderInOneUpdateOrNone)
{
    const QByteArray original = raw("[Settings]\r\na=1\r\n");
    ProfileFile file = fileWith(original);
    const QString settings = QStringLiteral("Settings");

    EXPECT_FALSE(file.writeStrings({{settings, QStringLiteral("b"), QStringLiteral("2")},
                                    {settings, QStringLiteral("c"), QStringLiteral("bad\nvalue")}}));
    EXPECT_EQ(readBytes(path()), original);

    ASSERT_TRUE(file.writeStrings({{settings, QStringLiteral("b"), QStringLiteral("2")},
                                   {QStringLiteral("Other"), QStringLiteral("c"), QStringLiteral("3")},
                                   {settings, QStringLiteral("a"), QStringLiteral("9")}}));
    EXPECT_EQ(readBytes(path()), raw("[Settings]\r\na=9\r\nb=2\r\n[Other]\r\nc=3\r\n"));
}

TEST_F(ProfileFileTest, longValue_isCutByReadStringOnlyAndReachesUpdateWhole)
{
    const QString link = QStringLiteral("mailto:a@b.example?body=") + QString(4096, u'x');
    ProfileFile file(path());
    ASSERT_TRUE(file.writeString(QStringLiteral("S"), QStringLiteral("k"), link));
    EXPECT_EQ(file.readString(QStringLiteral("S"), QStringLiteral("k"), defaultValue), link.left(ProfileFile::readLimit));
    EXPECT_EQ(file.readWholeString(QStringLiteral("S"), QStringLiteral("k"), defaultValue), link);

    std::optional<QString> seen;
    ASSERT_TRUE(file.update(QStringLiteral("S"), QStringLiteral("k"), [&seen](const std::optional<QString> &current) {
        seen = current;
        return std::nullopt;
    }));
    EXPECT_EQ(seen, link);
}

// Files beside the settings file named like QSaveFile's temporary files are
// left by writers killed mid-write; a writer holding the lock removes them
// and nothing else.
TEST_F(ProfileFileTest, write_removesLeftoversOfKilledWritersAndNothingElse)
{
    const QStringList leftovers{QStringLiteral("plinthmere.ini.AbCdEf"), QStringLiteral("plinthmere.ini.ab12CD")};
    const QStringList kept{QStringLiteral("plinthmere.ini.lock"),   QStringLiteral("plinthmere.ini.mailto-queue"),
                           QStringLiteral("plinthmere.ini.AbCdE"),  QStringLiteral("plinthmere.ini.AbCdEfG"),
                           QStringLiteral("plinthmere.ini.Ab-dEf"), QStringLiteral("other.ini.AbCdEf"),
                           QStringLiteral("plinthmere.iniAbCdEf")};
    for (const QString &name : leftovers + kept) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ProfileFile file = fileWith(raw("[S]\r\nk=1\r\n"));
    EXPECT_EQ(file.readString(QStringLiteral("S"), QStringLiteral("k"), defaultValue), QStringLiteral("1"));
    EXPECT_TRUE(QFile::exists(dir.filePath(leftovers.first()))) << "a reader takes no lock and removes nothing";

    ASSERT_TRUE(file.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("2")));
    for (const QString &name : leftovers)
        EXPECT_FALSE(QFile::exists(dir.filePath(name))) << name.toStdString();
    for (const QString &name : kept)
        EXPECT_TRUE(QFile::exists(dir.filePath(name))) << name.toStdString();
}

// ---- Locked read-modify-write --------------------------------------------

TEST_F(ProfileFileTest, writeWhileAnotherHoldsTheLock_failsAfterItsTimeoutAndWritesNothing)
{
    ProfileFile file = fileWith(raw("[S]\r\nk=1\r\n"));
    file.setLockTimeout(100ms);
    {
        const FileLock other(file.lockFilePath(), FileLock::Mode::Exclusive, 0ms);
        ASSERT_TRUE(other.status());
        EXPECT_FALSE(file.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("2")).ok());
        EXPECT_EQ(readBytes(path()), raw("[S]\r\nk=1\r\n"));
    }
    EXPECT_TRUE(file.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("2")));
    EXPECT_EQ(readBytes(path()), raw("[S]\r\nk=2\r\n"));
}

// Two ini_hammer processes each write key_<n % 20> = n into their own
// section; a lost update leaves some key behind the hammer's last number.
TEST_F(ProfileFileTest, twoProcessesWritingAtOnce_loseNoUpdate)
{
    const QStringList sections{QStringLiteral("hammer_a"), QStringLiteral("hammer_b")};
    std::vector<std::unique_ptr<QProcess>> hammers;
    for (const QString &section : sections) {
        hammers.push_back(std::make_unique<QProcess>());
        hammers.back()->start(QStringLiteral(INI_HAMMER_PATH), {path(), section, QStringLiteral("1000"), QStringLiteral("40")});
    }

    const ProfileFile file(path());
    for (size_t h = 0; h < hammers.size(); ++h) {
        QProcess &process = *hammers[h];
        ASSERT_TRUE(process.waitForFinished(60000));
        ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        bool ok = false;
        const int last = process.readAllStandardOutput().trimmed().toInt(&ok);
        ASSERT_TRUE(ok && last >= 39);
        for (int slot = 0; slot < 20; ++slot) {
            const QString keyName = QStringLiteral("key_%1").arg(slot);
            EXPECT_EQ(file.readString(sections[h], keyName, defaultValue), QString::number(last - ((last - slot) % 20)))
                << sections[h].toStdString() << "/" << keyName.toStdString();
        }
    }
}

} // namespace
