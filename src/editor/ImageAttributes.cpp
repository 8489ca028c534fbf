#include "editor/ImageAttributes.h"

#include "editor/TagValue.h"

#include <QDir>
#include <QRegularExpression>
#include <QUrl>

#include <functional>
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

// Writes chosen (as written) only when the user changed it from loaded.
void writeChanged(QString &tag, const QString &name, const QString &chosen, const QString &loaded,
                  const std::function<QString(const QString &)> &written = {})
{
    if (chosen != loaded)
        write(tag, name, written ? written(chosen) : chosen);
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
    // A value the list lacks shows as it is, to be left alone.
    const QString align = read(imgTag, QStringLiteral("ALIGN")).trimmed();
    if (!align.isEmpty())
        settings.align = align;
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
    const ImageSettings loaded = readImageTag(imgTag);
    const SizeChange width = sizeChange(settings.width, loaded.width);
    if (width.refused)
        return {{}, ImageTagResult::Invalid::Width, QStringLiteral("You must specify a valid width for the image.")};
    const SizeChange height = sizeChange(settings.height, loaded.height);
    if (height.refused)
        return {{}, ImageTagResult::Invalid::Height, QStringLiteral("You must specify a valid height for the image.")};

    QString tag = imgTag;
    if (settings.source != loaded.source)
        write(tag, QStringLiteral("SRC"), imageSourceAddress(settings.source));
    writeChanged(tag, QStringLiteral("ALT"), settings.alternateText, loaded.alternateText);
    writeChanged(tag, QStringLiteral("BORDER"), settings.border, loaded.border, spacingValue);
    writeChanged(tag, QStringLiteral("HSPACE"), settings.hspace, loaded.hspace, spacingValue);
    writeChanged(tag, QStringLiteral("VSPACE"), settings.vspace, loaded.vspace, spacingValue);
    if (settings.align != loaded.align) {
        const bool defaultAlign = settings.align.isEmpty() || settings.align == imageAlignments().constFirst();
        write(tag, QStringLiteral("ALIGN"), defaultAlign ? QString() : settings.align);
    }
    if (width.value)
        write(tag, QStringLiteral("WIDTH"), *width.value);
    if (height.value)
        write(tag, QStringLiteral("HEIGHT"), *height.value);
    writeChanged(tag, QStringLiteral("USEMAP"), settings.mapReference, loaded.mapReference);
    return {tag, ImageTagResult::Invalid::Nothing, {}};
}

int spacingShown(const QString &value)
{
    static const QRegularExpression leadingDigits(QStringLiteral("\\A\\s*(\\d{1,9})"));
    const auto match = leadingDigits.match(value);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QString spacingChosen(int boxValue, const QString &loaded)
{
    if (!loaded.isEmpty() && boxValue == spacingShown(loaded))
        return loaded;
    return QString::number(boxValue);
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
