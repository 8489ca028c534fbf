#pragma once

#include "editor/ImageAttributes.h"
#include "platform/EditorDocument.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QRadioButton;
class QSpinBox;
class QTreeView;

namespace ferrowen {

class MessageBoxes;
class SizeControl;

// "Insert Graphic": inserts a picture into the editor's document, or
// changes the picture selected there: its file or address, alternate
// text, size, spacing, border and alignment, inserted on its own, as a
// link, or with an image map. Everything happens in exec(); Cancel leaves
// the document as it was.
class FormImage : public QDialog
{
    Q_OBJECT

public:
    enum class InsertMode { Regular, Hyperlink, Map };

    FormImage(EditorDocument &document, MessageBoxes &boxes, QWidget *parent = nullptr);

    // The folder the file browser shows.
    void setFolder(const QString &path);
    QString folder() const { return m_folder; }

    // OK: checks the settings, writes the picture into the document and
    // closes; with a message and nothing written, stays open.
    void accept() override;

private:
    QWidget *buildFileLocation();
    QWidget *buildLayout();
    QWidget *buildInsertAs();
    void readSelectedPicture();
    void showSettings(const ImageSettings &settings);
    ImageSettings settingsFromControls() const;
    InsertMode insertMode() const;
    void updateModeControls();
    void fillFileList();
    void pickFile(QListWidgetItem *item);
    void showPreview();
    // The picture's file on this computer, or empty when it is elsewhere.
    QString localPictureFile() const;
    void editMap();
    Status insert(const QString &html);

    EditorDocument &m_document;
    MessageBoxes &m_boxes;

    EditorSelection m_selection;
    QString m_imageTag;       // the tag being edited
    QString m_loadedMapReference; // USEMAP as the picture had it
    ImageSettings m_loaded;       // the picture's settings as it had them
    bool m_mapSet = false;    // map attributes are set
    QString m_mapName;
    QString m_mapReference;
    QString m_mapHtml;
    QString m_folder;

    QLineEdit *m_source = nullptr;
    QFileSystemModel *m_folders = nullptr;
    QTreeView *m_folderTree = nullptr;
    QListWidget *m_files = nullptr;
    QComboBox *m_fileType = nullptr;
    QLabel *m_preview = nullptr;
    QLineEdit *m_alternateText = nullptr;
    QSpinBox *m_border = nullptr;
    QSpinBox *m_hspace = nullptr;
    QSpinBox *m_vspace = nullptr;
    QComboBox *m_align = nullptr;
    SizeControl *m_width = nullptr;
    SizeControl *m_height = nullptr;
    QRadioButton *m_regular = nullptr;
    QRadioButton *m_hyperlink = nullptr;
    QRadioButton *m_map = nullptr;
    QComboBox *m_linkTarget = nullptr;
    QGroupBox *m_mapFrame = nullptr;
    QCheckBox *m_useMap = nullptr;
};

} // namespace ferrowen
