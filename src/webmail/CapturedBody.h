#pragma once

#include <QString>

namespace ferrowen {

// The rules every captured body goes through, whatever the provider.

// A body whose first 20 characters hold the To label starts with header
// markup: it loses everything up to the first ">" from its fifth character
// on, when that ">" lies within its first 100 characters.
QString withoutHeaderHead(const QString &body, const QString &toLabel);

// A body with no "<p>", "</" or "<div" after its first two characters is
// plain text: four line breaks in a row become two, then three become two,
// then every line break gets a "<br>" in front. Line breaks are CR LF; a
// lone LF (as a browser engine gives them) counts as one.
QString withPlainTextBreaks(const QString &body);

} // namespace ferrowen
