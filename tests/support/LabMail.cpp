#include "LabMail.h"

#include <QDateTime>
#include <QDir>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTcpSocket>
#include <QUuid>

namespace ferrowen::testing {

namespace {

// --- Writing -----------------------------------------------------------------

QByteArray encodedWord(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0x7e || c.unicode() < 0x20)
            return "=?UTF-8?B?" + text.toUtf8().toBase64() + "?=";
    }
    return text.toUtf8();
}

QByteArray quotedPrintable(const QString &text)
{
    QByteArray out;
    int column = 0;
    const QByteArray bytes = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).toUtf8();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == '\n') {
            out += "\r\n";
            column = 0;
            continue;
        }
        const bool lineEnds = i + 1 == bytes.size() || bytes[i + 1] == '\n';
        QByteArray encoded;
        if ((byte >= 33 && byte <= 126 && byte != '=') || ((byte == ' ' || byte == '\t') && !lineEnds))
            encoded = QByteArray(1, char(byte));
        else
            encoded = '=' + QByteArray::number(byte, 16).toUpper().rightJustified(2, '0');
        // A soft break keeps lines within 76 characters.
        if (column + encoded.size() > 75) {
            out += "=\r\n";
            column = 0;
        }
        out += encoded;
        column += int(encoded.size());
    }
    return out;
}

QByteArray base64Lines(const QString &text)
{
    const QByteArray encoded = text.toUtf8().toBase64();
    QByteArray out;
    for (qsizetype i = 0; i < encoded.size(); i += 76)
        out += encoded.mid(i, 76) + "\r\n";
    return out;
}

QByteArray textPart(const QString &subtype, const QString &body)
{
    const bool plain = subtype == QLatin1String("plain");
    return "Content-Type: text/" + subtype.toLatin1() + "; charset=UTF-8\r\n"
        + "Content-Transfer-Encoding: " + (plain ? "quoted-printable" : "base64") + "\r\n\r\n"
        + (plain ? quotedPrintable(body) + "\r\n" : base64Lines(body));
}

// --- SMTP ----------------------------------------------------------------------

class SmtpSession
{
public:
    explicit SmtpSession(int port) { m_socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(port)); }

    bool connected() { return m_socket.waitForConnected(10000); }

    // The server's reply (its last line), after sending a command if any.
    QByteArray exchange(const QByteArray &command = {})
    {
        if (!command.isEmpty()) {
            m_socket.write(command + "\r\n");
            m_socket.waitForBytesWritten(10000);
        }
        for (;;) {
            while (!m_socket.canReadLine()) {
                if (!m_socket.waitForReadyRead(10000))
                    return "no answer from the SMTP server";
            }
            const QByteArray line = m_socket.readLine().trimmed();
            // "250-..." continues a reply, "250 ..." ends it.
            if (line.size() < 4 || line[3] != '-')
                return line;
        }
    }

private:
    QTcpSocket m_socket;
};

bool positive(const QByteArray &reply) { return reply.startsWith('2') || reply.startsWith('3'); }

QString refusal(const QByteArray &command, const QByteArray &reply)
{
    return QString::fromUtf8(command + " → " + reply);
}

// --- Reading -----------------------------------------------------------------

struct Part
{
    QList<QPair<QString, QString>> headers;
    QByteArray body;
};

QString decodeCharset(const QByteArray &bytes, const QString &charset)
{
    QStringDecoder decoder(charset.isEmpty() ? "us-ascii" : charset.toLatin1().constData());
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QByteArray fromQuotedPrintable(const QByteArray &text, bool underscoreIsSpace)
{
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '_' && underscoreIsSpace) {
            out += ' ';
            continue;
        }
        if (c != '=') {
            out += c;
            continue;
        }
        // "=" at the end of a line is a soft break: the line goes on.
        if (text.mid(i + 1, 2) == "\r\n") {
            i += 2;
            continue;
        }
        if (text.mid(i + 1, 1) == "\n") {
            i += 1;
            continue;
        }
        bool ok = false;
        const int byte = text.mid(i + 1, 2).toInt(&ok, 16);
        if (ok && i + 2 < text.size()) {
            out += char(byte);
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

// RFC 2047: =?charset?B|Q?text?=, with the blanks between two words dropped.
QString decodeHeader(const QByteArray &raw)
{
    static const QRegularExpression word(QStringLiteral("=\\?([^?]+)\\?([BbQq])\\?([^?]*)\\?=(\\s+(?==\\?))?"));
    const QString text = QString::fromLatin1(raw);
    QString out;
    qsizetype from = 0;
    for (auto match = word.globalMatch(text); match.hasNext();) {
        const auto m = match.next();
        out += text.mid(from, m.capturedStart() - from);
        const QByteArray payload = m.captured(3).toLatin1();
        const QByteArray bytes = m.captured(2).compare(QLatin1String("B"), Qt::CaseInsensitive) == 0
            ? QByteArray::fromBase64(payload)
            : fromQuotedPrintable(payload, true);
        out += decodeCharset(bytes, m.captured(1));
        from = m.capturedEnd();
    }
    return out + text.mid(from);
}

Part splitPart(const QByteArray &raw)
{
    Part part;
    qsizetype end = raw.indexOf("\r\n\r\n");
    qsizetype bodyStart = end + 4;
    const qsizetype lfEnd = raw.indexOf("\n\n");
    if (end < 0 || (lfEnd >= 0 && lfEnd < end)) {
        end = lfEnd;
        bodyStart = end + 2;
    }
    const QByteArray head = end < 0 ? raw : raw.left(end);
    part.body = end < 0 ? QByteArray() : raw.mid(bodyStart);
    QByteArray current;
    auto flush = [&] {
        const qsizetype colon = current.indexOf(':');
        if (colon > 0)
            part.headers.append({QString::fromLatin1(current.left(colon)).trimmed(), decodeHeader(current.mid(colon + 1).trimmed())});
        current.clear();
    };
    for (QByteArray line : head.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty() && (line[0] == ' ' || line[0] == '\t')) {
            current += ' ' + line.trimmed(); // a folded line continues the header
        } else {
            flush();
            current = line;
        }
    }
    flush();
    return part;
}

QString headerOf(const QList<QPair<QString, QString>> &headers, const QString &name)
{
    for (const auto &[key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

// A parameter of a Content-Type value, quoted or not.
QString parameter(const QString &value, const QString &name)
{
    const QRegularExpression pattern(QStringLiteral(";\\s*%1=(\"([^\"]*)\"|[^;\\s]+)").arg(name),
                                     QRegularExpression::CaseInsensitiveOption);
    const auto m = pattern.match(value);
    if (!m.hasMatch())
        return {};
    return m.captured(2).isNull() ? m.captured(1) : m.captured(2);
}

void collectBodies(const Part &part, MaildirMessage &message)
{
    const QString type = headerOf(part.headers, QStringLiteral("Content-Type"));
    const QString mime = type.isEmpty() ? QStringLiteral("text/plain") : type.section(QLatin1Char(';'), 0, 0).trimmed().toLower();
    if (mime.startsWith(QLatin1String("multipart/"))) {
        const QByteArray delimiter = "--" + parameter(type, QStringLiteral("boundary")).toLatin1();
        const QList<QByteArray> pieces = part.body.split('\n');
        QByteArray current;
        bool inside = false;
        for (const QByteArray &line : pieces) {
            const QByteArray bare = line.endsWith('\r') ? line.chopped(1) : line;
            if (bare == delimiter || bare == delimiter + "--") {
                // The line end before a delimiter belongs to the delimiter.
                if (current.endsWith('\n'))
                    current.chop(current.endsWith("\r\n") ? 2 : 1);
                if (inside)
                    collectBodies(splitPart(current), message);
                inside = bare == delimiter;
                current.clear();
            } else if (inside) {
                current += line + '\n';
            }
        }
        return;
    }
    if (!mime.startsWith(QLatin1String("text/")))
        return;
    const QString encoding = headerOf(part.headers, QStringLiteral("Content-Transfer-Encoding")).trimmed().toLower();
    QByteArray bytes = part.body;
    if (encoding == QLatin1String("base64"))
        bytes = QByteArray::fromBase64(bytes);
    else if (encoding == QLatin1String("quoted-printable"))
        bytes = fromQuotedPrintable(bytes, false);
    QString text = decodeCharset(bytes, parameter(type, QStringLiteral("charset")));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QString &target = mime == QLatin1String("text/html") ? message.htmlBody : message.plainBody;
    if (target.isEmpty())
        target = text;
}

} // namespace

QByteArray mimeMessage(const LabMessage &message)
{
    QByteArray head = "From: " + message.from.toUtf8() + "\r\n" + "To: " + message.to.join(QStringLiteral(", ")).toUtf8() + "\r\n";
    if (!message.cc.isEmpty())
        head += "Cc: " + message.cc.join(QStringLiteral(", ")).toUtf8() + "\r\n";
    head += "Subject: " + encodedWord(message.subject) + "\r\n"
        + "Date: " + QDateTime::currentDateTime().toString(Qt::RFC2822Date).toLatin1() + "\r\n"
        + "Message-ID: <" + QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1() + "@lab.test>\r\n"
        + "MIME-Version: 1.0\r\n";
    const bool plain = !message.plainBody.isEmpty() || message.htmlBody.isEmpty();
    const bool html = !message.htmlBody.isEmpty();
    if (plain && !html)
        return head + textPart(QStringLiteral("plain"), message.plainBody);
    if (html && !plain)
        return head + textPart(QStringLiteral("html"), message.htmlBody);
    const QByteArray boundary = "=_" + QUuid::createUuid().toString(QUuid::Id128).toLatin1();
    return head + "Content-Type: multipart/alternative; boundary=\"" + boundary + "\"\r\n\r\n"
        + "--" + boundary + "\r\n" + textPart(QStringLiteral("plain"), message.plainBody)
        + "--" + boundary + "\r\n" + textPart(QStringLiteral("html"), message.htmlBody)
        + "--" + boundary + "--\r\n";
}

QString deliverMail(int port, const LabMessage &message)
{
    SmtpSession smtp(port);
    if (!smtp.connected())
        return QStringLiteral("no SMTP server on 127.0.0.1:%1").arg(port);
    QByteArray reply = smtp.exchange();
    if (!reply.startsWith("220"))
        return refusal("(greeting)", reply);
    // Only the address of a "Name <address>" sender goes into the envelope.
    static const QRegularExpression angle(QStringLiteral("<([^>]*)>"));
    const auto bracketed = angle.match(message.from);
    const QString sender = bracketed.hasMatch() ? bracketed.captured(1) : message.from;
    QList<QByteArray> commands{"EHLO lab.test", "MAIL FROM:<" + sender.toUtf8() + ">"};
    for (const QString &recipient : message.to + message.cc)
        commands.append("RCPT TO:<" + recipient.toUtf8() + ">");
    commands.append("DATA");
    for (const QByteArray &command : commands) {
        reply = smtp.exchange(command);
        if (!positive(reply))
            return refusal(command, reply);
    }
    QByteArray data = mimeMessage(message);
    // Dot-stuffing: a line that starts with a dot gets another.
    data.replace("\r\n.", "\r\n..");
    if (data.startsWith('.'))
        data.prepend('.');
    reply = smtp.exchange(data + ".");
    if (!positive(reply))
        return refusal("(message)", reply);
    smtp.exchange("QUIT");
    return {};
}

QString MaildirMessage::header(const QString &name) const
{
    return headerOf(headers, name);
}

MaildirMessage parseMessage(const QByteArray &raw)
{
    const Part part = splitPart(raw);
    MaildirMessage message;
    message.headers = part.headers;
    collectBodies(part, message);
    return message;
}

QList<MaildirMessage> readMaildir(const QString &maildir)
{
    QFileInfoList files;
    for (const char *folder : {"new", "cur"})
        files += QDir(maildir + QLatin1Char('/') + QLatin1String(folder)).entryInfoList(QDir::Files);
    // A Maildir name starts with the second it arrived, then its order.
    std::sort(files.begin(), files.end(), [](const QFileInfo &a, const QFileInfo &b) {
        const auto key = [](const QFileInfo &f) { return std::make_pair(f.fileName().section(QLatin1Char('.'), 0, 0).toLongLong(), f.fileName()); };
        return key(a) < key(b);
    });
    QList<MaildirMessage> messages;
    for (const QFileInfo &file : files) {
        QFile reading(file.filePath());
        if (!reading.open(QIODevice::ReadOnly))
            continue;
        MaildirMessage message = parseMessage(reading.readAll());
        message.fileName = file.fileName();
        messages.append(message);
    }
    return messages;
}

} // namespace ferrowen::testing
