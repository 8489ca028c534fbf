#pragma once

#include "settings/SettingsFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ferrowen::testing {

// A settings file of its own in a temporary folder, with short ways to set
// and read keys of the "Settings" section and to see the file's bytes.
class SettingsFileFixture : public ::testing::Test
{
protected:
    explicit SettingsFileFixture(const char *relativePath = "plinthmere.ini")
        : settings(dir.filePath(QString::fromLatin1(relativePath)))
    {
    }

    void set(const char *key, const char *value)
    {
        ASSERT_TRUE(settings.SetIni(QStringLiteral("Settings"), QString::fromLatin1(key), QString::fromLatin1(value)).ok());
    }
    // "<none>" when the key is missing.
    QString get(const char *key)
    {
        return settings.GetIni(QStringLiteral("Settings"), QString::fromLatin1(key), QStringLiteral("<none>"));
    }
    QByteArray fileText()
    {
        QFile f(settings.path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    SettingsFile settings;
};

} // namespace ferrowen::testing
