#pragma once

#include "editor/ImageMapShapes.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace ferrowen {

class ImageMapCanvas;
class MessageBoxes;

// What the map editor hands back on OK.
struct ImageMapResult
{
    QString mapName;
    QString mapReference; // for USEMAP
    QString mapHtml;      // the MAP element with its AREA elements
    bool attributesSet = false;
};

// The image-map editor: the picture with its areas, drawn with the mouse,
// each with the address it leads to and its alternate text. It is handed
// the map's name (or "USEFILE" for a picture without a map: the map is
// then named after the picture's file), the picture file, the map as it
// stands in the document and the names of the document's other maps,
// which this map must not take.
class ImageMapEditor : public QDialog
{
    Q_OBJECT

public:
    ImageMapEditor(const QString &mapName, const QString &pictureFile, const QString &mapHtml,
                   const QStringList &otherMapNames, MessageBoxes &boxes, QWidget *parent = nullptr);

    // Valid after OK.
    const ImageMapResult &result() const { return m_result; }

    void accept() override;

private:
    void addArea(imagemap::Shape shape, const QList<QPoint> &points);
    void deleteArea();
    void showArea(int index);
    void updateAreaList();
    imagemap::MapPointsSet *currentArea();

    MessageBoxes &m_boxes;
    QStringList m_otherMapNames;
    imagemap::MapPointsSets m_areas;
    ImageMapResult m_result;

    ImageMapCanvas *m_canvas = nullptr;
    QLineEdit *m_name = nullptr;
    QListWidget *m_list = nullptr;
    QLineEdit *m_address = nullptr;
    QLineEdit *m_alternateText = nullptr;
    QPushButton *m_delete = nullptr;
};

} // namespace ferrowen
