#pragma once

#include <QString>
#include <QStringView>

namespace ferrowen {

// Reads the records of comma-separated text one after another, each as its
// cells joined by TABs (a TAB inside a field becomes a space).
//
// A field that starts with a double quote may hold commas, line breaks and
// doubled quotes (each read as one quote) up to its closing quote. Text
// after the closing quote still belongs to the field, and a further quote
// opens quoting again; neither quote is kept. That is how books written
// before quotes were doubled have always read. In a field that does not
// start with a quote, a quote is an ordinary character.
//
// A quoted field still open when the text ends was a stray quote, not a
// field spanning lines: its record is read again with quoting ending at
// the line's end.
class CommaSeparatedRecords
{
public:
    explicit CommaSeparatedRecords(QStringView text);

    bool atEnd() const { return m_pos >= m_text.size(); }
    QString next();

private:
    bool scan(bool quotesSpanLines);
    // Copies the text from the current position up to `stop` into the
    // record and moves on to `stop`.
    void appendText(qsizetype stop);
    void skipLineBreak();

    QStringView m_text;
    qsizetype m_pos = 0;
    QString m_cells; // reused between records; each record is copied out at its exact size
};

} // namespace ferrowen
