#pragma once

#include <QString>

namespace ferrowen {

// What TagValue does with the attribute it is given.
enum class TagValueMode {
    Read = 0,    // return the attribute's value
    SetValue = 1, // set (or, with an empty value, remove) a valued attribute
    SetFlag = 2, // set (value "1") or remove a flag attribute such as NOWRAP
};

struct TagValueResult
{
    // Read: the value (empty when the attribute is missing, "<ON>" for a
    // flag attribute). Set: the whole text with the tag changed.
    QString text;
    // The value found stood in quotes.
    bool valueWasQuoted = false;
};

// Reads or changes one attribute of the tag that starts at position start
// (1-based, normally the tag's "<") of a document text. Attribute names
// are compared whole and without regard to case, outside quoted values; an
// attribute has a value only when "=" follows its name, and an empty one
// when blanks and the next name with its "=" follow ("WIDTH= ALIGN=5"). A
// written value is put in double quotes only when it is not a plain token
// (letters, digits and # % + - . / : ? _), so colours, sizes and simple
// addresses are written bare; a blank keeps it apart from a "/" or a name
// right after it. The tag ends at the first ">" outside a quoted value; a
// text without one gives an empty result.
TagValueResult TagValue(const QString &text, int start, const QString &name, const QString &value, TagValueMode mode);

// The position of the ">" that ends the tag whose "<" is at from (0-based),
// outside quoted values; -1 when the text ends first.
int TagEnd(const QString &text, int from);

} // namespace ferrowen
