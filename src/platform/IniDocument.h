#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace ferrowen {

// The text of an INI file held line by line, so that changing one key leaves
// every other byte of the file as it was.
//
// Reading rules: a line whose first non-blank character is "[" opens a
// section; ";" starts a comment; any other line holding "=" is a key, the
// name before the first "=" and the value after it. Section and key names
// match without regard to case, blanks (spaces and tabs) around names and
// values are dropped, a value in matching double or single quotes loses
// them, and the first occurrence of a key wins, also across sections of
// the same name. Lines before the first section and lines without "="
// belong to no key.
class IniDocument
{
public:
    explicit IniDocument(const QByteArray &content = QByteArray());

    // The value of section/key, or nothing when either is missing.
    std::optional<QString> value(const QString &section, const QString &key) const;

    // Rewrites the first line of the key in place, or adds the key after the
    // last non-blank line of the first matching section, or adds the section
    // at the end. Lines written by this call end with CR LF. Names and value
    // must have passed the checks below.
    void setValue(const QString &section, const QString &key, const QString &value);

    QByteArray toBytes() const;

    // Why a name or value cannot be stored in the file; empty when it can.
    static QString sectionNameError(const QString &section);
    static QString keyNameError(const QString &key);
    static QString valueError(const QString &value);

private:
    struct Line
    {
        QByteArray text; // without its line end
        QByteArray end;  // "\r\n", "\n", or empty for a last line without one
    };

    int findKeyLine(const QString &section, const QString &key) const;
    int findSectionEnd(const QString &section) const;

    std::vector<Line> m_lines;
};

} // namespace ferrowen
