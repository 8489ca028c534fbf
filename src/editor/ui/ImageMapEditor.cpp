#include "editor/ui/ImageMapEditor.h"

#include "editor/ImageMapHtml.h"
#include "editor/ui/ImageMapCanvas.h"
#include "platform/MessageBoxes.h"
#include "platform/ui/NamedWidget.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace ferrowen {

using imagemap::MapPointsSet;
using imagemap::Shape;

namespace {

QString describe(int number, const MapPointsSet &area)
{
    const auto *first = area.PointsSet.Item(0);
    const QString at = first ? QStringLiteral(" (%1, %2)").arg(first->x).arg(first->y) : QString();
    QString kind;
    switch (area.shape) {
    case Shape::Rectangle: kind = ImageMapEditor::tr("Rectangle"); break;
    case Shape::Circle: kind = ImageMapEditor::tr("Circle"); break;
    case Shape::Polygon: kind = ImageMapEditor::tr("Polygon"); break;
    }
    const QString address = area.address.isEmpty() ? ImageMapEditor::tr("no address") : area.address;
    return QStringLiteral("%1. %2%3: %4").arg(number).arg(kind, at, address);
}

} // namespace

ImageMapEditor::ImageMapEditor(const QString &mapName, const QString &pictureFile, const QString &mapHtml,
                               const QStringList &otherMapNames, MessageBoxes &boxes, QWidget *parent)
    : QDialog(parent)
    , m_boxes(boxes)
    , m_otherMapNames(otherMapNames)
{
    setObjectName(QStringLiteral("ImageMapEditor"));
    setWindowTitle(tr("Edit Image Map"));

    const ParsedMap existing = parseMapHtml(mapHtml);
    m_areas = existing.areas;
    QString name = mapNameFor(mapName, pictureFile);
    if (mapName.isEmpty() || mapName == QLatin1String(UseFileMapName))
        name = existing.name.isEmpty() ? unusedMapName(name, otherMapNames) : existing.name;
    m_name = named(new QLineEdit(name), "TextMapName");

    m_canvas = named(new ImageMapCanvas, "PictureMap");
    m_canvas->setPicture(pictureFile);
    m_canvas->setAreas(&m_areas);
    auto *scroll = new QScrollArea;
    scroll->setWidget(m_canvas);
    scroll->setMinimumSize(320, 240);

    auto *tools = new QButtonGroup(this);
    auto *toolRow = new QHBoxLayout;
    struct Tool
    {
        Shape shape;
        const char *name;
        QString caption;
    };
    const Tool toolList[] = {{Shape::Rectangle, "ToolRectangle", tr("&Rectangle")},
                             {Shape::Circle, "ToolCircle", tr("&Circle")},
                             {Shape::Polygon, "ToolPolygon", tr("&Polygon")}};
    for (const Tool &tool : toolList) {
        auto *button = named(new QToolButton, tool.name);
        button->setText(tool.caption);
        button->setAccessibleName(QString(tool.caption).remove(QLatin1Char('&')));
        button->setCheckable(true);
        button->setChecked(tool.shape == Shape::Rectangle);
        tools->addButton(button, int(tool.shape));
        toolRow->addWidget(button);
    }
    m_delete = named(new QPushButton(tr("&Delete Area")), "CommandDeleteArea");
    toolRow->addWidget(m_delete);
    toolRow->addStretch();
    connect(tools, &QButtonGroup::idClicked, this, [this](int id) { m_canvas->setTool(Shape(id)); });

    auto *hint = new QLabel(tr("Drag over the picture to draw a rectangle, or from the centre out for a circle. "
                               "For a polygon click its corners, then click the first one again or double-click "
                               "the last one."));
    hint->setWordWrap(true);

    m_list = named(new QListWidget, "ListAreas");
    m_list->setAccessibleName(tr("Areas"));
    m_list->setMinimumWidth(240);
    m_address = named(new QLineEdit, "TextAreaAddress");
    m_alternateText = named(new QLineEdit, "TextAreaAlt");
    auto *areaForm = new QFormLayout;
    areaForm->addRow(tr("&Address:"), m_address);
    areaForm->addRow(tr("Alternate &text:"), m_alternateText);
    auto *side = new QVBoxLayout;
    side->addWidget(new QLabel(tr("Areas:")));
    side->addWidget(m_list);
    side->addLayout(areaForm);

    auto *nameForm = new QFormLayout;
    nameForm->addRow(tr("Map &name:"), m_name);
    auto *work = new QHBoxLayout;
    work->addWidget(scroll, 3);
    work->addLayout(side, 2);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *column = new QVBoxLayout(this);
    column->addLayout(nameForm);
    column->addLayout(toolRow);
    column->addWidget(hint);
    column->addLayout(work, 1);
    column->addWidget(buttons);

    connect(m_canvas, &ImageMapCanvas::areaDrawn, this, &ImageMapEditor::addArea);
    connect(m_list, &QListWidget::currentRowChanged, this, &ImageMapEditor::showArea);
    connect(m_delete, &QPushButton::clicked, this, &ImageMapEditor::deleteArea);
    connect(m_address, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (MapPointsSet *area = currentArea()) {
            area->address = text.trimmed();
            m_list->currentItem()->setText(describe(m_list->currentRow() + 1, *area));
        }
    });
    connect(m_alternateText, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (MapPointsSet *area = currentArea())
            area->alternateText = text;
    });
    updateAreaList();
}

MapPointsSet *ImageMapEditor::currentArea()
{
    return m_areas.Item(m_list->currentRow());
}

void ImageMapEditor::addArea(Shape shape, const QList<QPoint> &points)
{
    imagemap::MapPoints vertices;
    for (const QPoint &point : points)
        vertices.Add(point.x(), point.y());
    m_areas.Add(vertices, shape);
    updateAreaList();
    m_list->setCurrentRow(m_areas.Count() - 1);
    m_address->setFocus();
}

void ImageMapEditor::deleteArea()
{
    const int row = m_list->currentRow();
    if (!m_areas.Remove(row))
        return;
    updateAreaList();
    m_list->setCurrentRow(qMin(row, m_areas.Count() - 1));
}

void ImageMapEditor::updateAreaList()
{
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    int number = 0;
    for (const MapPointsSet &area : m_areas)
        m_list->addItem(describe(++number, area));
    m_list->setCurrentRow(-1);
    showArea(-1);
}

void ImageMapEditor::showArea(int index)
{
    const MapPointsSet *area = m_areas.Item(index);
    m_address->setText(area ? area->address : QString());
    m_alternateText->setText(area ? area->alternateText : QString());
    m_address->setEnabled(area);
    m_alternateText->setEnabled(area);
    m_delete->setEnabled(area);
    m_canvas->setHighlighted(index);
}

void ImageMapEditor::accept()
{
    const QString name = m_name->text().trimmed();
    if (!isValidMapName(name)) {
        m_boxes.show(tr("Please give the map a name without blanks."), MessageBoxes::Buttons::Ok,
                     MessageBoxes::Icon::Warning);
        m_name->setFocus();
        return;
    }
    // OK would replace that map, which belongs to another picture.
    if (m_otherMapNames.contains(name)) {
        m_boxes.show(tr("Another image map of the document is named %1. Please choose another name.").arg(name),
                     MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
        m_name->setFocus();
        return;
    }
    if (m_areas.Count() == 0) {
        m_boxes.show(tr("Please draw at least one area on the picture, or press Cancel."), MessageBoxes::Buttons::Ok,
                     MessageBoxes::Icon::Warning);
        return;
    }
    m_result = {name, mapReference(name), MapHtml(name, m_areas), true};
    QDialog::accept();
}

} // namespace ferrowen
