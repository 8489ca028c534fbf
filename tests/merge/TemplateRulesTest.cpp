// The rules of template files: the extension, names that must stay in the
// templates folder, the checks before saving, and the file format with its
// read-back rule.
#include "merge/TemplateFile.h"
#include "merge/TemplateName.h"
#include "merge/TemplateSaveCheck.h"
#include "platform/NameInFolder.h"

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

TEST(TemplateFileName, appendsTxtUnlessTheNameHoldsItAnywhere)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("offer"), QStringLiteral("offer.txt")},
        {QStringLiteral("Offer.TXT"), QStringLiteral("Offer.TXT")},
        {QStringLiteral("offer.txt"), QStringLiteral("offer.txt")},
        {QStringLiteral("notes.txt.old"), QStringLiteral("notes.txt.old")},
        {QStringLiteral("notes.text"), QStringLiteral("notes.text.txt")},
        {QStringLiteral("my.TxTfile"), QStringLiteral("my.TxTfile")},
        {QStringLiteral(" spaced "), QStringLiteral(" spaced .txt")},
        // Named like a killed writer's leftover, it would never be listed.
        {QStringLiteral("letter.txt.backup"), QStringLiteral("letter.txt.backup.txt")},
    };
    for (const auto &[entered, file] : cases)
        EXPECT_EQ(templateFileName(entered), file) << entered.toStdString();
}

TEST(TemplateFileName, aNameStaysInTheTemplatesFolder)
{
    const std::pair<QString, bool> cases[] = {
        {QStringLiteral("offer.txt"), true},
        {QStringLiteral("\u00fcber uns.txt"), true},
        {QStringLiteral("...txt"), true},
        {QStringLiteral("../offer.txt"), false},
        {QStringLiteral("sub/offer.txt"), false},
        {QStringLiteral("sub\\offer.txt"), false},
        {QStringLiteral("tab\there.txt"), false},
        {QStringLiteral("."), false},
        {QStringLiteral(".."), false},
        {QString(), false},
        // Room must stay for the temporary file that replaces it.
        {QString(244, u'x') + QStringLiteral(".txt"), true},
        {QString(245, u'x') + QStringLiteral(".txt"), false},
    };
    for (const auto &[name, stays] : cases)
        EXPECT_EQ(isReplaceableFileName(name), stays) << name.toStdString();
}

TEST(TemplateSaveCheck, refusesWithTheBoxToFixAndItsMessage)
{
    const QString noName = QStringLiteral("You must give the email template a name.");
    const QString noSubject = QStringLiteral("You must specify a subject.");
    const QString noBody = QStringLiteral("You must enter some body text.");
    const TemplateText full{QStringLiteral("Subject"), QStringLiteral("Body")};
    // Name, subject, body; the box refused (none: it may be saved), the message.
    const std::tuple<QString, TemplateText, std::optional<TemplateBox>, QString> rows[] = {
        {QStringLiteral("offer"), full, std::nullopt, {}},
        {QString(), full, TemplateBox::Name, noName},
        {QStringLiteral("   "), full, TemplateBox::Name, noName},
        // The name is checked first, then the subject, then the body.
        {QString(), {}, TemplateBox::Name, noName},
        {QStringLiteral("offer"), {}, TemplateBox::Subject, noSubject},
        {QStringLiteral("offer"), {QStringLiteral("  "), QStringLiteral("Body")}, TemplateBox::Subject, noSubject},
        {QStringLiteral("offer"), {QStringLiteral("S"), QStringLiteral(" ")}, TemplateBox::Body, noBody},
        // Only spaces are blanks: a body of line ends is some body text.
        {QStringLiteral("offer"), {QStringLiteral("S"), QStringLiteral("\r\n")}, std::nullopt, {}},
        {QStringLiteral("offer"), {QStringLiteral("  S"), QStringLiteral("B")}, std::nullopt, {}},
        {QStringLiteral("../offer"), full, TemplateBox::Name,
         QStringLiteral("An email template name may not hold \"/\", \"\\\" or control characters.")},
    };
    for (const auto &[name, text, box, message] : rows) {
        const std::optional<TemplateSaveProblem> problem = checkTemplateBeforeSaving(name, text);
        ASSERT_EQ(problem.has_value(), box.has_value()) << name.toStdString() << "/" << text.subject.toStdString();
        if (problem) {
            EXPECT_EQ(problem->box, *box) << message.toStdString();
            EXPECT_EQ(problem->message, message);
        }
    }
}

TEST(TemplateFileContent, subjectLineThenTheBodyUnchangedInUtf8)
{
    const std::pair<TemplateText, QByteArray> cases[] = {
        {{QStringLiteral("Offer"), QStringLiteral("Dear all,\r\nbuy now.")}, "Offer\r\nDear all,\r\nbuy now."},
        {{QStringLiteral("Offer"), QStringLiteral("ends\r\n")}, "Offer\r\nends\r\n"},
        // Line ends of another kind become CR LF.
        {{QStringLiteral("Offer"), QStringLiteral("a\nb\rc")}, "Offer\r\na\r\nb\r\nc"},
        {{QStringLiteral("Gr\u00fc\u00dfe"), QStringLiteral("\u20ac 5")}, "Gr\xc3\xbc\xc3\x9f" "e\r\n\xe2\x82\xac 5"},
    };
    for (const auto &[text, content] : cases)
        EXPECT_EQ(templateFileContent(text), content) << text.body.toStdString();
}

TEST(TemplateFromFileContent, firstLineIsTheSubjectAndEveryOtherLineEndsTheBodyWithCrLf)
{
    const std::tuple<QByteArray, QString, QString> cases[] = {
        // A body saved without a final line end comes back with one.
        {"Offer\r\nDear all,\r\nbuy now.", QStringLiteral("Offer"), QStringLiteral("Dear all,\r\nbuy now.\r\n")},
        {"Offer\r\nends\r\n", QStringLiteral("Offer"), QStringLiteral("ends\r\n")},
        {"Offer\r\nends\r\n\r\n", QStringLiteral("Offer"), QStringLiteral("ends\r\n\r\n")},
        {"Offer\r\n\r\nafter a gap", QStringLiteral("Offer"), QStringLiteral("\r\nafter a gap\r\n")},
        {"Offer\r\n", QStringLiteral("Offer"), QString()},
        {"Offer", QStringLiteral("Offer"), QString()},
        {"", QString(), QString()},
        // Files written elsewhere: other line ends, a byte-order mark, Latin-1.
        {"Offer\nline\rlast", QStringLiteral("Offer"), QStringLiteral("line\r\nlast\r\n")},
        {"\xEF\xBB\xBFOffer\r\nx", QStringLiteral("Offer"), QStringLiteral("x\r\n")},
        {"Gr\xfc\xdf" "e\r\nK\xe4se", QStringLiteral("Gr\u00fc\u00dfe"), QStringLiteral("K\u00e4se\r\n")},
    };
    for (const auto &[content, subject, body] : cases) {
        const TemplateText text = templateFromFileContent(content);
        EXPECT_EQ(text.subject, subject) << content.toStdString();
        EXPECT_EQ(text.body, body) << content.toStdString();
    }
}

TEST(TemplateFromFileContent, aSavedTemplateReadsBackAsSavedOnceItEndsWithALineEnd)
{
    const TemplateText saved{QStringLiteral("Offer \u00e9t\u00e9"), QStringLiteral("Line 1\r\n\r\nLine 3\r\n")};
    EXPECT_EQ(templateFromFileContent(templateFileContent(saved)), saved);
}

} // namespace
