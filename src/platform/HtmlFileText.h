#pragma once

#include <QByteArray>
#include <QString>

namespace ferrowen {

// The text of an HTML file: decoded by its byte order mark or its meta
// charset; without either as UTF-8, or as windows-1252 when the bytes are
// not UTF-8 (files from older editors).
QString decodeHtmlFile(const QByteArray &bytes);

// The document in UTF-8, its meta charset saying so: an existing charset
// declaration is changed to utf-8, otherwise one is added at the start of
// the head.
QByteArray encodeHtmlFile(const QString &html);

// The document's text with every charset declaration naming utf-8, or
// with one added (what encodeHtmlFile writes).
QString withUtf8Charset(const QString &html);

// More than half of the text is server-side script (<% ... %> or
// <?php ... ?>): a page for a server, not a document to edit.
bool isMostlyServerScript(const QString &html);

} // namespace ferrowen
