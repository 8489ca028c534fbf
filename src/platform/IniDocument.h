#pragma once

#include "platform/Status.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace ferrowen {

// The text of an INI file held line by line, so that changing one key leaves
// every other byte of the file as it was.
//
// Lines end with CR LF, LF or a bare CR, as readers of such files take
// them; the last line may have no end.
//
// Reading rules: a line whose first non-blank character is "[" opens a
// section; ";" starts a comment; any other line holding "=" is a key, the
// name before the first "=" and the value after it. Section and key names
// match without regard to case, blanks (spaces and tabs) around names and
// values are dropped, a value in matching double or single quotes loses
// them, and the first occurrence of a key wins, also across sections of
// the same name. Lines before the first section and lines without "="
// belong to no key.
//
// Writing keeps to these rules: a value that a reader would take
// differently as it stands (outer blanks, a pair of outer quotes) is
// written in double quotes, which the reader takes off again.
class IniDocument
{
public:
    // How a value is laid out after the "=".
    enum class ValueLayout {
        Plain,
        // A decimal number with a blank where a minus sign would stand
        // ("ed_top= 950"); the reader drops the blank.
        SignPosition,
    };

    explicit IniDocument(const QByteArray &content = QByteArray());

    // The value of section/key, or nothing when either is missing.
    std::optional<QString> value(const QString &section, const QString &key) const;

    // Rewrites the first line of the key in place, or adds the key after the
    // last non-blank line of the first matching section, or adds the section
    // at the end. Lines written by this call end with CR LF. Names or a value
    // that cannot be stored (see below) change nothing and fail: what is
    // written always reads back as the value given.
    Status setValue(const QString &section, const QString &key, const QString &value,
                    ValueLayout layout = ValueLayout::Plain);

    QByteArray toBytes() const;

    // Whether a section and key name can be stored: neither empty nor
    // holding "]", "=", line breaks or NUL; a key not starting with "[" or
    // ";".
    static Status checkNames(const QString &section, const QString &key);
    // Whether a value can be stored so that it reads back the same: no line
    // breaks, no NUL, nothing that UTF-8 cannot carry (a lone surrogate).
    static Status checkValue(const QString &value);

private:
    struct Line
    {
        QByteArray text; // without its line end
        QByteArray end;  // "\r\n", "\n", "\r", or empty for a last line without one
    };

    int findKeyLine(const QString &section, const QString &key) const;
    int findSectionEnd(const QString &section) const;

    std::vector<Line> m_lines;
};

} // namespace ferrowen
