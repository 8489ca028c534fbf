#pragma once

#include "editor/ImageMapShapes.h"

#include <QString>
#include <QStringList>

namespace ferrowen {

// The name the image dialog hands to the map editor for a picture without
// a map: the editor then names the map after the picture's file.
inline constexpr char UseFileMapName[] = "USEFILE";

// The name of the map to edit: requested itself, or for "USEFILE" (or
// nothing) the picture file's base name made into a map name (letters,
// digits, "-" and "_"; "map" when nothing is left).
QString mapNameFor(const QString &requested, const QString &pictureFile);

// base, or base_2, base_3 ... whichever is not among taken.
QString unusedMapName(const QString &base, const QStringList &taken);

// A name the user may give a map: not empty, no blanks (a USEMAP
// reference could not reach it otherwise).
bool isValidMapName(const QString &name);

// What USEMAP holds to refer to the map named name.
QString mapReference(const QString &name);
// The map name a USEMAP value refers to ("#name" or a bare name).
QString mapNameOfReference(const QString &reference);

// The MAP element for the areas, one AREA each in their order. Areas
// without enough points for their shape are left out; rectangles are
// written corner to opposite corner, top left first; a circle as its
// centre and radius.
QString MapHtml(const QString &name, const imagemap::MapPointsSets &areas);

struct ParsedMap
{
    QString name;
    imagemap::MapPointsSets areas;
};

// The name and areas of a MAP element as MapHtml writes it, or as the
// engine writes one back (any case, quoted or not). AREA elements of
// shapes the editor cannot draw ("default") are left out.
ParsedMap parseMapHtml(const QString &mapHtml);

} // namespace ferrowen
