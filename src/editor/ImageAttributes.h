#pragma once

#include "editor/SizeSetting.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace ferrowen {

// One choice of the image dialog's file type filter.
struct ImageFileType
{
    QString caption;
    QStringList patterns;
};

// The file type filter's choices. Only formats the editor's engine can
// show are offered.
QList<ImageFileType> imageFileTypes();
// The choice the file list starts with (GIF and JPEG).
int defaultImageFileType();

// The alignment list: "Default" (no ALIGN) and the values ALIGN takes.
QStringList imageAlignments();

// The attributes of an IMG tag as the dialog shows them.
struct ImageSettings
{
    // A plain path for a file on this computer, else the address as given.
    QString source;
    QString alternateText;
    QString border;
    QString hspace;
    QString vspace;
    // An item of imageAlignments(), or a value the list lacks.
    QString align = QStringLiteral("Default");
    SizeSetting width;
    SizeSetting height;
    // USEMAP: empty for a picture without a map.
    QString mapReference;
};

// The IMG tag a new picture starts from.
QString newImageTag();

// The text shown for an SRC value: a file address as a plain path, an
// empty one as "http://", any other address as it is.
QString shownImageSource(const QString &src);
// The SRC value for what the user typed or picked: a path on this
// computer becomes a file address, anything else stays as it is.
QString imageSourceAddress(const QString &shown);
// Nothing to insert: empty, or the "http://" the box starts with.
bool isEmptyImageSource(const QString &shown);

// The settings an IMG tag holds (the first tag of imgTag).
ImageSettings readImageTag(const QString &imgTag);

struct ImageTagResult
{
    enum class Invalid { Nothing, Width, Height };
    QString tag;
    // The setting that is not valid and the message for the user (the tag
    // is then empty).
    Invalid invalid = Invalid::Nothing;
    QString error;
};

// imgTag with the settings the user changed written into it (those left
// empty taken out). What the user left as the tag had it stays as it
// stands, even a size or alignment the dialog could not write ("50px",
// "33.5%"), and so does every attribute the dialog does not show.
ImageTagResult writeImageTag(const QString &imgTag, const ImageSettings &settings);

// The number a spacing box (BORDER, HSPACE, VSPACE) shows for a value:
// its leading digits ("3px" shows 3), 0 without any.
int spacingShown(const QString &value);
// What a spacing box gives back: the tag's own value while the box still
// shows it, else the box's number.
QString spacingChosen(int boxValue, const QString &loaded);

// The picture as a link: the IMG tag inside an A element to address.
QString linkedImageHtml(const QString &address, const QString &imgTag);

// The address of the link (A element) that holds position (0-based) of a
// document text; empty when position is not inside a link.
QString linkAddressAround(const QString &documentText, int position);

// The IMG tag that starts at or after position from (0-based) of a
// document text, up to its ">"; empty when there is none.
QString imageTagAfter(const QString &documentText, int from);

} // namespace ferrowen
