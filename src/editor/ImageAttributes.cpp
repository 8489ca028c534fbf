#include "editor/ImageAttributes.h"

#include "editor/TagValue.h"

#include <QDir>
#include <QRegularExpression>
#include <QUrl>

#include <optional>

namespace ferrowen {

namespace {

const QString startAddress = QStringLiteral("http://");

QString read(const QString &tag, const QString &name)
{
    return TagValue(tag, 1, name, {}, TagValueMode::Read).text;
}

void write(QString &tag, const QString &name, const QString &value)
{
    tag = TagValue(tag, 1, name, value, TagValueMode::SetValue).text;
}

SizeSetting readSize(const QString &tag, const QString &name)
{
    SizeSetting size;
    QString value = read(tag, name);
    if (value.isEmpty())
        return size;
    size.set = true;
    size.percent = value.contains(QLatin1Char('%'));
    size.value = value.remove(QLatin1Char('%'));
    return size;
}

// The attribute value for a size: empty to take it out, nothing when the
// number is not valid.
std::optional<QString> sizeValue(const SizeSetting &size)
{
    if (!size.set)
        return QString();
    static const QRegularExpression wholeNumber(QStringLiteral("^\\d+$"));
    const QString value = size.value.trimmed();
    if (!wholeNumber.match(value).hasMatch())
        return std::nullopt;
    if (!size.percent)
        return value;
    return (value.size() > 3 || value.toInt() > 100 ? QStringLiteral("100") : QString::number(value.toInt()))
           + QLatin1Char('%');
}

// A number for BORDER, HSPACE, VSPACE: digits only, else taken out.
QString spacingValue(const QString &text)
{
    static const QRegularExpression wholeNumber(QStringLiteral("^\\d+$"));
    return wholeNumber.match(text.trimmed()).hasMatch() ? text.trimmed() : QString();
}

QString escapedAttribute(QString value)
{
    return value.replace(QLatin1Char('&'), QLatin1String("&amp;")).replace(QLatin1Char('"'), QLatin1String("&quot;"));
}

} // namespace

QList<ImageFileType> imageFileTypes()
{
    // Windows metafiles are not offered: the engine cannot show them.
    return {
        {QStringLiteral("All Files (*.*)"), {QStringLiteral("*")}},
        {QStringLiteral("GIF and JPEG (*.gif, *jpg, *.jpeg)"),
         {QStringLiteral("*.gif"), QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")}},
        {QStringLiteral("Windows Bitmaps (*.bmp)"), {QStringLiteral("*.bmp")}},
        {QStringLiteral("PNG Files (*.png)"), {QStringLiteral("*.png")}},
    };
}

int defaultImageFileType()
{
    return 1;
}

QStringList imageAlignments()
{
    return {QStringLiteral("Default"), QStringLiteral("left"), QStringLiteral("right"), QStringLiteral("top"),
            QStringLiteral("texttop"), QStringLiteral("middle"), QStringLiteral("absmiddle"),
            QStringLiteral("baseline"), QStringLiteral("bottom"), QStringLiteral("absbottom"),
            QStringLiteral("center")};
}

QString newImageTag()
{
    return QStringLiteral("<IMG SRC=X>");
}

QString shownImageSource(const QString &src)
{
    const QString trimmed = src.trimmed();
    if (trimmed.isEmpty())
        return startAddress;
    const QUrl url(trimmed);
    if (url.isLocalFile())
        return QDir::toNativeSeparators(url.toLocalFile());
    return trimmed;
}

QString imageSourceAddress(const QString &shown)
{
    const QString trimmed = shown.trimmed();
    if (QDir::isAbsolutePath(trimmed) && !trimmed.contains(QLatin1String("://")))
        return QUrl::fromLocalFile(QDir::cleanPath(QDir::fromNativeSeparators(trimmed))).toString(QUrl::FullyEncoded);
    return trimmed;
}

bool isEmptyImageSource(const QString &shown)
{
    const QString trimmed = shown.trimmed();
    return trimmed.isEmpty() || trimmed.compare(startAddress, Qt::CaseInsensitive) == 0;
}

ImageSettings readImageTag(const QString &imgTag)
{
    ImageSettings settings;
    settings.source = shownImageSource(read(imgTag, QStringLiteral("SRC")));
    settings.alternateText = read(imgTag, QStringLiteral("ALT"));
    settings.border = read(imgTag, QStringLiteral("BORDER"));
    settings.hspace = read(imgTag, QStringLiteral("HSPACE"));
    settings.vspace = read(imgTag, QStringLiteral("VSPACE"));
    const QString align = read(imgTag, QStringLiteral("ALIGN"));
    for (const QString &item : imageAlignments()) {
        if (item.compare(align, Qt::CaseInsensitive) == 0)
            settings.align = item;
    }
    settings.width = readSize(imgTag, QStringLiteral("WIDTH"));
    settings.height = readSize(imgTag, QStringLiteral("HEIGHT"));
    settings.mapReference = read(imgTag, QStringLiteral("USEMAP"));
    return settings;
}

ImageTagResult writeImageTag(const QString &imgTag, const ImageSettings &settings)
{
    const auto width = sizeValue(settings.width);
    if (!width)
        return {{}, ImageTagResult::Invalid::Width, QStringLiteral("You must specify a valid width for the image.")};
    const auto height = sizeValue(settings.height);
    if (!height)
        return {{}, ImageTagResult::Invalid::Height, QStringLiteral("You must specify a valid height for the image.")};

    QString tag = imgTag;
    write(tag, QStringLiteral("SRC"), imageSourceAddress(settings.source));
    write(tag, QStringLiteral("ALT"), settings.alternateText);
    write(tag, QStringLiteral("BORDER"), spacingValue(settings.border));
    write(tag, QStringLiteral("HSPACE"), spacingValue(settings.hspace));
    write(tag, QStringLiteral("VSPACE"), spacingValue(settings.vspace));
    const bool defaultAlign = settings.align.isEmpty() || settings.align == imageAlignments().constFirst();
    write(tag, QStringLiteral("ALIGN"), defaultAlign ? QString() : settings.align);
    write(tag, QStringLiteral("WIDTH"), *width);
    write(tag, QStringLiteral("HEIGHT"), *height);
    write(tag, QStringLiteral("USEMAP"), settings.mapReference);
    return {tag, ImageTagResult::Invalid::Nothing, {}};
}

QString linkedImageHtml(const QString &address, const QString &imgTag)
{
    return QStringLiteral("<A href =\"") + escapedAttribute(address.trimmed()) + QStringLiteral("\">") + imgTag
           + QStringLiteral("</A>");
}

QString linkAddressAround(const QString &documentText, int position)
{
    static const QRegularExpression linkStart(QStringLiteral("<a(?=[\\s>])"), QRegularExpression::CaseInsensitiveOption);
    const QString before = documentText.left(position);
    const int start = int(before.lastIndexOf(linkStart));
    if (start < 0 || before.indexOf(QLatin1String("</a"), start, Qt::CaseInsensitive) >= 0)
        return {};
    return TagValue(documentText, start + 1, QStringLiteral("HREF"), {}, TagValueMode::Read).text;
}

QString imageTagAfter(const QString &documentText, int from)
{
    static const QRegularExpression imgTag(QStringLiteral("<img(?=[\\s>/])"), QRegularExpression::CaseInsensitiveOption);
    const auto match = imgTag.match(documentText, qMax(from, 0));
    if (!match.hasMatch())
        return {};
    const int start = int(match.capturedStart());
    const int end = TagEnd(documentText, start);
    return end < 0 ? QString() : documentText.mid(start, end + 1 - start);
}

} // namespace ferrowen
