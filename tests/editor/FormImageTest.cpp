// "Insert Graphic" and the image-map editor: the picture inserted or
// changed in the real engine, the messages that keep the dialog open, and
// areas drawn on the picture with the mouse.
#include "editor/ImageMapHtml.h"
#include "editor/ui/FormImage.h"
#include "editor/ui/ImageMapCanvas.h"
#include "editor/ui/ImageMapEditor.h"
#include "platform/web/EngineEditorDocument.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "EditorBody.h"
#include "ModalAnswer.h"
#include "NamedChild.h"
#include "ScriptedMessageBoxes.h"
#include "WaitFor.h"

using namespace ferrowen;
using namespace ferrowen::testing;

namespace {

template<typename W>
W *control(QWidget &dialog, const char *name)
{
    return namedChild<W>(dialog, name);
}

void click(QWidget &dialog, const char *name)
{
    QTest::mouseClick(control<QAbstractButton>(dialog, name), Qt::LeftButton);
}

QStringList items(QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

// Clicks the file list's row that shows name.
void clickFile(QWidget &dialog, const QString &name)
{
    auto *files = control<QListWidget>(dialog, "File1");
    const auto found = files->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(found.first()).center());
}

void drag(QWidget *canvas, QPoint from, QPoint to)
{
    QTest::mousePress(canvas, Qt::LeftButton, {}, from);
    QTest::mouseMove(canvas, to);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
}

class FormImageTest : public ::testing::Test
{
protected:
    QWidget window;
    EngineEditorDocument document{&window};
    ScriptedMessageBoxes boxes;
    QTemporaryDir folder;

    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        window.resize(600, 400);
        document.view()->resize(600, 400);
        window.show();
        QImage picture(120, 90, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        ASSERT_TRUE(picture.save(path(QStringLiteral("a.png"))));
        // Qt writes no GIF: the list goes by the name alone.
        ASSERT_TRUE(QFile::copy(path(QStringLiteral("a.png")), path(QStringLiteral("b.gif"))));
        ASSERT_TRUE(picture.save(path(QStringLiteral("c.JPG")), "JPG"));
        for (const char *other : {"d.wmf", "e.txt"}) {
            QFile file(path(QLatin1String(other)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }

    QString path(const QString &name) const { return folder.filePath(name); }
    QString address(const QString &name) const { return QUrl::fromLocalFile(path(name)).toString(QUrl::FullyEncoded); }

    void setBody(const QString &body) { ferrowen::testing::setBody(document, body); }

    // Selects the first picture of the body as a whole.
    void selectPicture()
    {
        const int at = int(document.bodyText().indexOf(QChar(0xFFFC)));
        ASSERT_GE(at, 0);
        document.select({at, at + 1});
        ASSERT_EQ(document.selection().type, SelectionType::Control);
    }

    void placeCaretAfter(const QString &text)
    {
        const int at = int(document.bodyText().indexOf(text));
        ASSERT_GE(at, 0);
        document.select({at + int(text.size()), at + int(text.size())});
    }

    // Opens the dialog, lets answer work in it, and says how it ended.
    int runDialog(const std::function<void(FormImage &)> &answer)
    {
        FormImage dialog(document, boxes, &window);
        answerNextModal<FormImage>(answer);
        return dialog.exec();
    }
};

TEST_F(FormImageTest, newPictureFromTheFileListGoesInAtTheCaretWithEveryLayoutSetting)
{
    setBody(QStringLiteral("<p>before after</p>"));
    placeCaretAfter(QStringLiteral("before "));

    const int ended = runDialog([&](FormImage &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Insert Graphic"));
        EXPECT_EQ(control<QLineEdit>(dialog, "Text1")->text(), QStringLiteral("http://"));
        dialog.setFolder(folder.path());
        auto *files = control<QListWidget>(dialog, "File1");
        auto *type = control<QComboBox>(dialog, "ComboType");
        // GIF and JPEG first; the types the engine cannot show are not offered.
        EXPECT_EQ(items(files), QStringList({QStringLiteral("b.gif"), QStringLiteral("c.JPG")}));
        EXPECT_EQ(type->findText(QStringLiteral("Windows MetaFiles (*.wmg)")), -1);
        type->setCurrentIndex(type->findText(QStringLiteral("PNG Files (*.png)")));
        EXPECT_EQ(items(files), QStringList({QStringLiteral("a.png")}));
        type->setCurrentIndex(type->findText(QStringLiteral("All Files (*.*)")));
        EXPECT_EQ(files->count(), 5);

        clickFile(dialog, QStringLiteral("a.png"));
        EXPECT_EQ(control<QLineEdit>(dialog, "Text1")->text(), path(QStringLiteral("a.png")));
        EXPECT_FALSE(control<QLabel>(dialog, "ImagePreview")->pixmap().isNull());

        QTest::keyClicks(control<QLineEdit>(dialog, "EditAltText"), QStringLiteral("a cat"));
        control<QSpinBox>(dialog, "EditBorder")->setValue(2);
        control<QSpinBox>(dialog, "EditHSpace")->setValue(4);
        control<QComboBox>(dialog, "ComboAlign")->setCurrentText(QStringLiteral("middle"));
        QTest::keyClicks(control<QLineEdit>(dialog, "EditWidth"), QStringLiteral("150"));
        EXPECT_TRUE(control<QCheckBox>(dialog, "CheckSetWidth")->isChecked()); // typing ticks it
        click(dialog, "OptionWidthPct");
        click(dialog, "Command1");
    });

    EXPECT_EQ(ended, QDialog::Accepted);
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.texts().join(QLatin1Char('|')).toStdString();
    // The engine keeps the blank before the caret visible as &nbsp;.
    EXPECT_EQ(document.bodyInnerHTML(),
              QStringLiteral("<p>before&nbsp;<img src=\"%1\" alt=\"a cat\" border=\"2\" hspace=\"4\" vspace=\"0\" "
                             "align=\"middle\" width=\"100%\">after</p>")
                  .arg(address(QStringLiteral("a.png"))));
}

TEST_F(FormImageTest, aPictureFromAFileShowsInTheEditor)
{
    setBody(QStringLiteral("<p>x</p><p>z</p>"));
    placeCaretAfter(QStringLiteral("x"));
    runDialog([&](FormImage &dialog) {
        control<QLineEdit>(dialog, "Text1")->setText(path(QStringLiteral("a.png")));
        click(dialog, "Command1");
    });
    // The 90 pixels high picture pushes the next paragraph down once it
    // has loaded; a picture the engine refused stays a small icon.
    const int z = int(document.bodyText().indexOf(QLatin1Char('z')));
    EXPECT_TRUE(waitFor([&] { return document.rangeTop({z, z + 1}) >= 90; }))
        << document.rangeTop({z, z + 1});
}

TEST_F(FormImageTest, aSelectedPictureIsShownAsItIsAndCancelChangesNothing)
{
    setBody(QStringLiteral("<p>x<img src=\"file:///tmp/my%20pics/cat.png\" alt=\"cat\" width=\"50%\" height=\"30\" "
                           "border=\"3\" align=\"MIDDLE\">y</p>"));
    selectPicture();
    const QString before = document.DocumentHTML();

    const int ended = runDialog([&](FormImage &dialog) {
        EXPECT_EQ(control<QLineEdit>(dialog, "Text1")->text(), QStringLiteral("/tmp/my pics/cat.png"));
        EXPECT_EQ(control<QLineEdit>(dialog, "EditAltText")->text(), QStringLiteral("cat"));
        EXPECT_EQ(control<QSpinBox>(dialog, "EditBorder")->value(), 3);
        EXPECT_EQ(control<QComboBox>(dialog, "ComboAlign")->currentText(), QStringLiteral("middle"));
        EXPECT_TRUE(control<QCheckBox>(dialog, "CheckSetWidth")->isChecked());
        EXPECT_TRUE(control<QRadioButton>(dialog, "OptionWidthPct")->isChecked());
        EXPECT_EQ(control<QLineEdit>(dialog, "EditWidth")->text(), QStringLiteral("50"));
        EXPECT_TRUE(control<QRadioButton>(dialog, "OptionHeightPix")->isChecked());
        EXPECT_EQ(control<QLineEdit>(dialog, "EditHeight")->text(), QStringLiteral("30"));
        EXPECT_TRUE(control<QRadioButton>(dialog, "optImage")->isChecked());

        control<QLineEdit>(dialog, "Text1")->setText(path(QStringLiteral("b.gif")));
        control<QSpinBox>(dialog, "EditBorder")->setValue(9);
        click(dialog, "CommandCancel");
    });

    EXPECT_EQ(ended, QDialog::Rejected);
    EXPECT_EQ(document.DocumentHTML(), before);
}

TEST_F(FormImageTest, aChangedPictureReplacesTheSelectedOneAndKeepsWhatTheDialogDoesNotShow)
{
    setBody(QStringLiteral("<p>x<img src=\"old.png\" title=\"kept\" width=\"20\" align=\"left\">y</p>"));
    selectPicture();

    runDialog([&](FormImage &dialog) {
        control<QLineEdit>(dialog, "Text1")->setText(path(QStringLiteral("b.gif")));
        QTest::mouseClick(control<QCheckBox>(dialog, "CheckSetWidth"), Qt::LeftButton); // off: WIDTH goes
        control<QComboBox>(dialog, "ComboAlign")->setCurrentText(QStringLiteral("Default"));
        click(dialog, "Command1");
    });

    EXPECT_EQ(document.bodyInnerHTML(),
              QStringLiteral("<p>x<img src=\"%1\" title=\"kept\" border=\"0\" hspace=\"0\" vspace=\"0\">y</p>")
                  .arg(address(QStringLiteral("b.gif"))));
}

TEST_F(FormImageTest, aPictureWithAHyperlinkTakesATypedAddress)
{
    setBody(QStringLiteral("<p>text</p>"));
    placeCaretAfter(QStringLiteral("text"));

    runDialog([&](FormImage &dialog) {
        control<QLineEdit>(dialog, "Text1")->setText(path(QStringLiteral("a.png")));
        click(dialog, "optImageJump");
        QTest::keyClicks(control<QComboBox>(dialog, "cboImageHref"), QStringLiteral("http://example.org/?a=1&b=2"));
        click(dialog, "Command1");
    });

    EXPECT_EQ(document.bodyInnerHTML(),
              QStringLiteral("<p>text<a href=\"http://example.org/?a=1&amp;b=2\"><img src=\"%1\" border=\"0\" "
                             "hspace=\"0\" vspace=\"0\"></a></p>")
                  .arg(address(QStringLiteral("a.png"))));
}

TEST_F(FormImageTest, aLinkedPictureOpensWithItsLinkAndANewAddressReplacesIt)
{
    setBody(QStringLiteral("<p>t<a href=\"old.html\"><img src=\"a.png\"></a>u</p>"));
    selectPicture();
    runDialog([&](FormImage &dialog) {
        EXPECT_TRUE(control<QRadioButton>(dialog, "optImageJump")->isChecked());
        auto *target = control<QComboBox>(dialog, "cboImageHref");
        EXPECT_EQ(target->currentText(), QStringLiteral("old.html"));
        target->setCurrentText(QString());
        QTest::keyClicks(target, QStringLiteral("new.html"));
        click(dialog, "Command1");
    });
    EXPECT_EQ(document.bodyInnerHTML(), QStringLiteral("<p>t<a href=\"new.html\"><img src=\"a.png\" border=\"0\" "
                                                       "hspace=\"0\" vspace=\"0\"></a>u</p>"));
}

struct RefusedCase
{
    const char *name;
    std::function<void(QWidget &)> fill;
    const char *message;
};

TEST_F(FormImageTest, eachMessageKeepsTheDialogOpenAndInsertsNothing)
{
    const auto picture = [this](QWidget &dialog) {
        control<QLineEdit>(dialog, "Text1")->setText(path(QStringLiteral("a.png")));
    };
    const RefusedCase cases[] = {
        {"noPicture", [](QWidget &) {}, "Please specify an image to insert or press Cancel,"},
        {"mapWithoutAttributes",
         [&](QWidget &dialog) {
             picture(dialog);
             click(dialog, "optImageMap");
         },
         "Please set the image map attributes, or if you don't want to use an image map, choose Regular Image at "
         "the bottom left of the dialog box."},
        {"linkWithoutAddress",
         [&](QWidget &dialog) {
             picture(dialog);
             click(dialog, "optImageJump");
         },
         "Please select a topic to jump to"},
        {"wordForWidth",
         [&](QWidget &dialog) {
             picture(dialog);
             QTest::keyClicks(control<QLineEdit>(dialog, "EditWidth"), QStringLiteral("wide"));
         },
         "You must specify a valid width for the image."},
        {"negativeHeight",
         [&](QWidget &dialog) {
             picture(dialog);
             QTest::keyClicks(control<QLineEdit>(dialog, "EditHeight"), QStringLiteral("-4"));
         },
         "You must specify a valid height for the image."},
    };

    setBody(QStringLiteral("<p>text</p>"));
    const QString before = document.DocumentHTML();
    for (const RefusedCase &c : cases) {
        SCOPED_TRACE(c.name);
        boxes.shown.clear();
        placeCaretAfter(QStringLiteral("text"));
        FormImage dialog(document, boxes, &window);
        dialog.show();
        c.fill(dialog);
        click(dialog, "Command1");
        EXPECT_EQ(boxes.texts(), QStringList({QLatin1String(c.message)}));
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(document.DocumentHTML(), before);
    }
}

TEST_F(FormImageTest, anImageMapIsDrawnWrittenOnceAndEditedAgain)
{
    setBody(QStringLiteral("<p>x</p>"));
    placeCaretAfter(QStringLiteral("x"));

    runDialog([&](FormImage &dialog) {
        control<QLineEdit>(dialog, "Text1")->setText(path(QStringLiteral("a.png")));
        click(dialog, "optImageMap");
        answerNextModal<ImageMapEditor>([&](ImageMapEditor &editor) {
            // A picture without a map: the map is named after its file.
            EXPECT_EQ(control<QLineEdit>(editor, "TextMapName")->text(), QStringLiteral("a"));
            drag(control<QWidget>(editor, "PictureMap"), {10, 10}, {50, 40});
            QTest::keyClicks(control<QLineEdit>(editor, "TextAreaAddress"), QStringLiteral("one.html"));
            editor.accept();
        });
        click(dialog, "cmdMapEdit");
        EXPECT_TRUE(control<QCheckBox>(dialog, "CheckUseMap")->isChecked());
        click(dialog, "Command1");
    });

    const QString firstMap = QStringLiteral("<map name=\"a\"><area shape=\"rect\" coords=\"10,10,50,40\" "
                                            "href=\"one.html\" alt=\"\"></map>");
    EXPECT_TRUE(document.DocumentHTML().contains(QStringLiteral("<body>") + firstMap))
        << document.DocumentHTML().toStdString();
    EXPECT_TRUE(document.bodyInnerHTML().contains(QStringLiteral("usemap=\"#a\""))) << document.bodyInnerHTML().toStdString();

    // Opened on the picture again: the map is found, and a second OK
    // replaces it instead of adding another.
    selectPicture();
    runDialog([&](FormImage &dialog) {
        EXPECT_TRUE(control<QRadioButton>(dialog, "optImageMap")->isChecked());
        EXPECT_TRUE(control<QCheckBox>(dialog, "CheckUseMap")->isChecked());
        answerNextModal<ImageMapEditor>([&](ImageMapEditor &editor) {
            EXPECT_EQ(control<QLineEdit>(editor, "TextMapName")->text(), QStringLiteral("a"));
            EXPECT_EQ(control<QListWidget>(editor, "ListAreas")->count(), 1);
            click(editor, "ToolCircle");
            drag(control<QWidget>(editor, "PictureMap"), {80, 50}, {83, 54});
            editor.accept();
        });
        click(dialog, "cmdMapEdit");
        click(dialog, "Command1");
    });

    const QString html = document.DocumentHTML();
    EXPECT_EQ(html.count(QLatin1String("<map")), 1) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("<area shape=\"rect\" coords=\"10,10,50,40\" href=\"one.html\" alt=\"\">"
                                             "<area shape=\"circle\" coords=\"80,50,5\" alt=\"\"></map>")))
        << html.toStdString();
    EXPECT_EQ(document.bodyInnerHTML().count(QLatin1String("<img")), 1);
}

// --- The image-map editor on its own ---------------------------------------

class ImageMapEditorTest : public ::testing::Test
{
protected:
    ScriptedMessageBoxes boxes;
    QTemporaryDir folder;
    QString picture;

    void SetUp() override
    {
        picture = folder.filePath(QStringLiteral("shop front.png"));
        QImage image(200, 150, QImage::Format_RGB32);
        image.fill(Qt::yellow);
        ASSERT_TRUE(image.save(picture));
    }
};

TEST_F(ImageMapEditorTest, shapesDrawnWithTheMouseGiveTheMapElement)
{
    // A map of another picture already has the file's name.
    ImageMapEditor editor(QLatin1String(UseFileMapName), picture, QString(), {QStringLiteral("shop_front")}, boxes);
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    auto *canvas = control<ImageMapCanvas>(editor, "PictureMap");
    EXPECT_EQ(canvas->size(), QSize(200, 150)); // the picture at its own size
    EXPECT_EQ(control<QLineEdit>(editor, "TextMapName")->text(), QStringLiteral("shop_front_2"));
    auto *areas = control<QListWidget>(editor, "ListAreas");
    auto *address = control<QLineEdit>(editor, "TextAreaAddress");
    auto *alt = control<QLineEdit>(editor, "TextAreaAlt");

    // A rectangle dragged from its lower right corner, and a slip of the
    // mouse that draws nothing.
    drag(canvas, {60, 40}, {10, 5});
    drag(canvas, {100, 100}, {101, 120});
    ASSERT_EQ(areas->count(), 1);
    QTest::keyClicks(address, QStringLiteral("door.html"));
    QTest::keyClicks(alt, QStringLiteral("The door"));

    click(editor, "ToolCircle");
    drag(canvas, {150, 50}, {156, 58}); // radius 10
    QTest::keyClicks(address, QStringLiteral("http://example.org/?a=1&b=2"));

    // A polygon: three corners, then its first corner again. A polygon
    // given up with Escape leaves nothing.
    click(editor, "ToolPolygon");
    QTest::mouseClick(canvas, Qt::LeftButton, {}, {20, 140});
    QTest::mouseClick(canvas, Qt::LeftButton, {}, {30, 130});
    QTest::keyClick(canvas, Qt::Key_Escape);
    for (QPoint corner : {QPoint(100, 140), QPoint(180, 140), QPoint(140, 100), QPoint(102, 141)})
        QTest::mouseClick(canvas, Qt::LeftButton, {}, corner);
    ASSERT_EQ(areas->count(), 3);
    QTest::keyClicks(alt, QStringLiteral("Roof \"top\""));

    // Changing the first area's address later.
    areas->setCurrentRow(0);
    EXPECT_EQ(address->text(), QStringLiteral("door.html"));
    address->clear();
    QTest::keyClicks(address, QStringLiteral("entry.html"));

    editor.accept();
    EXPECT_EQ(editor.result().mapName, QStringLiteral("shop_front_2"));
    EXPECT_EQ(editor.result().mapReference, QStringLiteral("#shop_front_2"));
    EXPECT_TRUE(editor.result().attributesSet);
    EXPECT_EQ(editor.result().mapHtml,
              QStringLiteral("<map name=\"shop_front_2\">"
                             "<area shape=\"rect\" coords=\"10,5,60,40\" href=\"entry.html\" alt=\"The door\">"
                             "<area shape=\"circle\" coords=\"150,50,10\" href=\"http://example.org/?a=1&amp;b=2\" alt=\"\">"
                             "<area shape=\"poly\" coords=\"100,140,180,140,140,100\" alt=\"Roof &quot;top&quot;\">"
                             "</map>"));
}

TEST_F(ImageMapEditorTest, areasAreDeletedAndOkWantsANameAndAnArea)
{
    ImageMapEditor editor(QStringLiteral("shop"), picture,
                          QStringLiteral("<map name=\"shop\"><area shape=\"rect\" coords=\"1,2,30,40\" href=\"a.html\"></map>"),
                          {QStringLiteral("door")}, boxes);
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    auto *areas = control<QListWidget>(editor, "ListAreas");
    ASSERT_EQ(areas->count(), 1);
    areas->setCurrentRow(0);
    click(editor, "CommandDeleteArea");
    EXPECT_EQ(areas->count(), 0);

    editor.accept();
    EXPECT_EQ(boxes.texts(), QStringList({QStringLiteral("Please draw at least one area on the picture, or press Cancel.")}));
    EXPECT_TRUE(editor.isVisible());

    drag(control<QWidget>(editor, "PictureMap"), {5, 5}, {25, 25});
    for (const char *refused : {"two words", "door"}) {
        control<QLineEdit>(editor, "TextMapName")->setText(QLatin1String(refused));
        editor.accept();
    }
    EXPECT_EQ(boxes.texts().mid(1), QStringList({QStringLiteral("Please give the map a name without blanks."),
                                                 QStringLiteral("Another image map of the document is named door. "
                                                                "Please choose another name.")}));
    EXPECT_TRUE(editor.isVisible());
    EXPECT_FALSE(editor.result().attributesSet);
}

} // namespace
