#include "platform/DocumentFileError.h"
#include "platform/HtmlFileText.h"

#include <cerrno>
#include <cstring>

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

TEST(HtmlFileText, savedTextSaysUtf8WhereverTheDocumentNamedItsCharset)
{
    const struct
    {
        const char *html;
        const char *expected;
    } cases[] = {
        {"<html><head><meta charset=\"windows-1252\"></head><body>x</body></html>",
         "<html><head><meta charset=\"utf-8\"></head><body>x</body></html>"},
        {"<HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=iso-8859-1\"></HEAD>",
         "<HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\"></HEAD>"},
        {"<html><head><title>t</title></head><body>x</body></html>",
         "<html><head><meta charset=\"utf-8\"><title>t</title></head><body>x</body></html>"},
        {"<html lang=\"en\"><body>x</body></html>", "<html lang=\"en\"><meta charset=\"utf-8\"><body>x</body></html>"},
        {"<p>x</p>", "<meta charset=\"utf-8\"><p>x</p>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(withUtf8Charset(QLatin1String(c.html)), QLatin1String(c.expected)) << c.html;
    EXPECT_EQ(encodeHtmlFile(QStringLiteral("<p>é</p>")), QByteArray("<meta charset=\"utf-8\"><p>\xC3\xA9</p>"));
}

TEST(HtmlFileText, filesAreReadInTheirOwnEncoding)
{
    EXPECT_EQ(decodeHtmlFile("<p>caf\xC3\xA9</p>"), QStringLiteral("<p>café</p>"));
    EXPECT_EQ(decodeHtmlFile("\xEF\xBB\xBF<p>\xC3\xA9</p>"), QStringLiteral("<p>é</p>"));
    EXPECT_EQ(decodeHtmlFile("<meta charset=\"windows-1252\"><p>\x93q\x94</p>"), QStringLiteral("<meta charset=\"windows-1252\"><p>“q”</p>"));
    // No charset and not UTF-8: an older editor's file.
    EXPECT_EQ(decodeHtmlFile("<p>caf\xE9</p>"), QStringLiteral("<p>café</p>"));
}

TEST(HtmlFileText, serverPagesAreToldFromDocumentsWithALittleScript)
{
    EXPECT_TRUE(isMostlyServerScript(QStringLiteral("<% a = 1 %>\n<% Response.Write(a) %>")));
    EXPECT_TRUE(isMostlyServerScript(QStringLiteral("<?php echo $title; foreach ($rows as $r) { echo $r; } ?>")));
    EXPECT_FALSE(isMostlyServerScript(QStringLiteral("<html><body><p>A long page of text with <%= name %> in it.</p></body></html>")));
    EXPECT_FALSE(isMostlyServerScript(QStringLiteral("<p>50% off, 100%.</p>")));
}

TEST(DocumentFileError, writeFailuresFromTheSystemsError)
{
    EXPECT_EQ(writeFailure(ENOSPC, QString()), DocumentFileError::DiskFull);
    EXPECT_EQ(writeFailure(EFBIG, QString()), DocumentFileError::DiskFull);
    EXPECT_EQ(writeFailure(EROFS, QString()), DocumentFileError::AccessDenied);
    EXPECT_EQ(writeFailure(0, QString::fromLocal8Bit(std::strerror(EACCES))), DocumentFileError::AccessDenied);
    EXPECT_EQ(writeFailure(0, QStringLiteral("something odd")), DocumentFileError::Unknown);
}

} // namespace
