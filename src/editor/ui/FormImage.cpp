#include "editor/ui/FormImage.h"

#include "editor/ImageMapDocument.h"
#include "editor/ImageMapHtml.h"
#include "editor/SelectionSnapshot.h"
#include "editor/ui/ImageMapEditor.h"
#include "editor/ui/ListChoice.h"
#include "editor/ui/SizeControl.h"
#include "platform/MessageBoxes.h"
#include "platform/ui/NamedWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

namespace ferrowen {

namespace {

const QSize previewSize(160, 120);

QSpinBox *spacingBox(const char *name)
{
    auto *box = named(new QSpinBox, name);
    box->setRange(0, 999);
    return box;
}

} // namespace

FormImage::FormImage(EditorDocument &document, MessageBoxes &boxes, QWidget *parent)
    : QDialog(parent)
    , m_document(document)
    , m_boxes(boxes)
{
    setObjectName(QStringLiteral("FormImage"));
    setWindowTitle(tr("Insert Graphic"));

    auto *buttons = new QDialogButtonBox;
    auto *ok = named(buttons->addButton(QDialogButtonBox::Ok), "Command1");
    ok->setDefault(true);
    named(buttons->addButton(QDialogButtonBox::Cancel), "CommandCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &FormImage::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FormImage::reject);

    auto *lower = new QHBoxLayout;
    lower->addWidget(buildInsertAs());
    lower->addWidget(buildLayout());
    auto *column = new QVBoxLayout(this);
    column->addWidget(buildFileLocation());
    auto *altFrame = new QGroupBox(tr("Alternate Text"));
    m_alternateText = named(new QLineEdit, "EditAltText");
    (new QVBoxLayout(altFrame))->addWidget(m_alternateText);
    column->addWidget(altFrame);
    column->addLayout(lower);
    column->addWidget(buttons);

    readSelectedPicture();
}

QWidget *FormImage::buildFileLocation()
{
    auto *frame = new QGroupBox(tr("Image File Location"));
    m_source = named(new QLineEdit, "Text1");

    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_folders->setRootPath(QDir::rootPath());
    m_folderTree = named(new QTreeView, "Dir1");
    m_folderTree->setAccessibleName(tr("Folders"));
    m_folderTree->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_folderTree->hideColumn(column);
    m_folderTree->header()->hide();
    m_folderTree->setMinimumWidth(200);
    connect(m_folderTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                const QString path = m_folders->filePath(current);
                if (!path.isEmpty() && path != m_folder)
                    setFolder(path);
            });

    m_files = named(new QListWidget, "File1");
    m_files->setAccessibleName(tr("Image Files"));
    connect(m_files, &QListWidget::itemClicked, this, &FormImage::pickFile);
    connect(m_files, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        pickFile(item);
        accept();
    });
    m_fileType = named(new QComboBox, "ComboType");
    for (const ImageFileType &type : imageFileTypes())
        m_fileType->addItem(type.caption);
    m_fileType->setCurrentIndex(defaultImageFileType());
    connect(m_fileType, &QComboBox::currentIndexChanged, this, &FormImage::fillFileList);

    m_preview = named(new QLabel, "ImagePreview");
    m_preview->setFixedSize(previewSize);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::StyledPanel);
    auto *previewButton = named(new QPushButton(tr("Preview")), "CommandPreview");
    connect(previewButton, &QPushButton::clicked, this, &FormImage::showPreview);

    auto *fileColumn = new QVBoxLayout;
    fileColumn->addWidget(m_files);
    fileColumn->addWidget(m_fileType);
    auto *previewColumn = new QVBoxLayout;
    previewColumn->addWidget(m_preview);
    previewColumn->addWidget(previewButton);
    previewColumn->addStretch();
    auto *browser = new QHBoxLayout;
    browser->addWidget(m_folderTree, 1);
    browser->addLayout(fileColumn, 1);
    browser->addLayout(previewColumn);
    auto *layout = new QVBoxLayout(frame);
    layout->addWidget(m_source);
    layout->addLayout(browser);
    return frame;
}

QWidget *FormImage::buildLayout()
{
    auto *frame = new QGroupBox(tr("Layout/Appearance"));
    m_border = spacingBox("EditBorder");
    m_hspace = spacingBox("EditHSpace");
    m_vspace = spacingBox("EditVSpace");
    m_align = named(new QComboBox, "ComboAlign");
    m_align->addItems(imageAlignments());
    m_width = new SizeControl(SizeControl::Dimension::Width, SizeControl::Unit::Pixels, this);
    m_height = new SizeControl(SizeControl::Dimension::Height, SizeControl::Unit::Pixels, this);
    auto *form = new QFormLayout(frame);
    form->addRow(tr("Border"), m_border);
    form->addRow(tr("Horizontal Spacing"), m_hspace);
    form->addRow(tr("Vertical Spacing"), m_vspace);
    form->addRow(tr("Alignment"), m_align);
    form->addRow(m_width->row());
    form->addRow(m_height->row());
    return frame;
}

QWidget *FormImage::buildInsertAs()
{
    auto *frame = new QGroupBox(tr("Insert As..."));
    m_regular = named(new QRadioButton(tr("Regular Image")), "optImage");
    m_hyperlink = named(new QRadioButton(tr("Image with a hyperlink")), "optImageJump");
    m_map = named(new QRadioButton(tr("Image Map")), "optImageMap");
    m_regular->setChecked(true);
    // No topics to offer: the user types the address.
    m_linkTarget = named(new QComboBox, "cboImageHref");
    m_linkTarget->setEditable(true);
    m_linkTarget->setAccessibleName(tr("Target URL"));
    m_linkTarget->lineEdit()->setAccessibleName(m_linkTarget->accessibleName());
    m_mapFrame = named(new QGroupBox(tr("Image Map")), "FrameImageMap");
    m_useMap = named(new QCheckBox(tr("Use Image Map")), "CheckUseMap");
    auto *editMapButton = named(new QPushButton(tr("Edit Image Map...")), "cmdMapEdit");
    auto *mapLayout = new QVBoxLayout(m_mapFrame);
    mapLayout->addWidget(m_useMap);
    mapLayout->addWidget(editMapButton);

    auto *layout = new QVBoxLayout(frame);
    layout->addWidget(m_regular);
    layout->addWidget(m_hyperlink);
    layout->addWidget(new QLabel(tr("Target URL")));
    layout->addWidget(m_linkTarget);
    layout->addWidget(m_map);
    layout->addWidget(m_mapFrame);
    layout->addStretch();

    for (QRadioButton *option : {m_regular, m_hyperlink, m_map})
        connect(option, &QRadioButton::toggled, this, &FormImage::updateModeControls);
    connect(editMapButton, &QPushButton::clicked, this, &FormImage::editMap);
    // Unticked, the map attributes are no longer set; ticked without them,
    // the user is asked for them.
    connect(m_useMap, &QCheckBox::clicked, this, [this](bool checked) {
        if (!checked)
            m_mapSet = false;
        else if (!m_mapSet)
            editMap();
        m_useMap->setChecked(m_mapSet);
    });
    updateModeControls();
    return frame;
}

void FormImage::readSelectedPicture()
{
    m_selection = m_document.selection();
    m_imageTag = newImageTag();
    QString documentText;
    QString linkAddress;
    if (m_selection.type == SelectionType::Control && m_selection.controlTag == QLatin1String("img")) {
        const QString marker = QLatin1String(SelectionMarker);
        const MarkedDocument marked = m_document.markedDocument(marker, MarkerPlace::SelectionStart);
        const int at = int(marked.documentHtml.indexOf(marker));
        const QString tag = marked.ok && at >= 0 ? imageTagAfter(marked.documentHtml, at) : QString();
        if (!tag.isEmpty()) {
            m_imageTag = tag;
            documentText = QString(marked.documentHtml).remove(marker);
            linkAddress = linkAddressAround(marked.documentHtml, at);
        }
    }

    const ImageSettings settings = readImageTag(m_imageTag);
    m_loaded = settings;
    showSettings(settings);
    m_loadedMapReference = settings.mapReference;
    if (!settings.mapReference.isEmpty()) {
        const QString name = mapNameOfReference(settings.mapReference);
        const MapElement map = findMapElement(documentText, name);
        if (map.start >= 0) {
            m_mapName = name;
            m_mapReference = settings.mapReference;
            m_mapHtml = map.html;
            m_mapSet = true;
            m_map->setChecked(true);
        }
    }
    m_useMap->setChecked(m_mapSet);
    // A linked picture shows its link; OK with another address replaces
    // that link rather than putting a second one inside it.
    if (!linkAddress.isEmpty()) {
        m_linkTarget->setCurrentText(linkAddress);
        if (!m_mapSet)
            m_hyperlink->setChecked(true);
    }

    const QString picture = localPictureFile();
    const QUrl base = m_document.BaseURL();
    if (!picture.isEmpty())
        setFolder(QFileInfo(picture).absolutePath());
    else if (base.isLocalFile())
        setFolder(QFileInfo(base.toLocalFile()).absolutePath());
    else
        setFolder(QDir::homePath());
    showPreview();
}

void FormImage::showSettings(const ImageSettings &settings)
{
    // A new picture starts with the box's "http://", not its placeholder.
    m_source->setText(m_imageTag == newImageTag() ? shownImageSource({}) : settings.source);
    m_alternateText->setText(settings.alternateText);
    m_border->setValue(spacingShown(settings.border));
    m_hspace->setValue(spacingShown(settings.hspace));
    m_vspace->setValue(spacingShown(settings.vspace));
    selectListItem(m_align, settings.align);
    m_width->load(settings.width);
    m_height->load(settings.height);
}

ImageSettings FormImage::settingsFromControls() const
{
    ImageSettings settings;
    settings.source = m_source->text().trimmed();
    settings.alternateText = m_alternateText->text();
    settings.border = spacingChosen(m_border->value(), m_loaded.border);
    settings.hspace = spacingChosen(m_hspace->value(), m_loaded.hspace);
    settings.vspace = spacingChosen(m_vspace->value(), m_loaded.vspace);
    settings.align = m_align->currentText();
    settings.width = m_width->setting();
    settings.height = m_height->setting();
    // Only the map mode changes the map reference.
    settings.mapReference = insertMode() == InsertMode::Map ? m_mapReference : m_loadedMapReference;
    return settings;
}

FormImage::InsertMode FormImage::insertMode() const
{
    if (m_hyperlink->isChecked())
        return InsertMode::Hyperlink;
    if (m_map->isChecked())
        return InsertMode::Map;
    return InsertMode::Regular;
}

void FormImage::updateModeControls()
{
    m_linkTarget->setEnabled(insertMode() == InsertMode::Hyperlink);
    m_mapFrame->setEnabled(insertMode() == InsertMode::Map);
}

void FormImage::setFolder(const QString &path)
{
    m_folder = QDir::cleanPath(path);
    const QModelIndex index = m_folders->index(m_folder);
    if (index.isValid() && m_folderTree->currentIndex() != index) {
        m_folderTree->setCurrentIndex(index);
        m_folderTree->scrollTo(index);
    }
    fillFileList();
}

void FormImage::fillFileList()
{
    m_files->clear();
    const int type = m_fileType->currentIndex();
    const QStringList patterns = imageFileTypes().value(type).patterns;
    m_files->addItems(QDir(m_folder).entryList(patterns, QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase));
}

void FormImage::pickFile(QListWidgetItem *item)
{
    if (!item)
        return;
    m_source->setText(QDir::toNativeSeparators(QDir(m_folder).absoluteFilePath(item->text())));
    showPreview();
}

QString FormImage::localPictureFile() const
{
    const QString source = m_source->text().trimmed();
    if (isEmptyImageSource(source))
        return {};
    QUrl url(imageSourceAddress(source));
    if (url.isRelative() && m_document.BaseURL().isLocalFile())
        url = m_document.BaseURL().resolved(url);
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

void FormImage::showPreview()
{
    const QString file = localPictureFile();
    QImageReader reader(file);
    reader.setAutoTransform(true);
    const QImage picture = file.isEmpty() ? QImage() : reader.read();
    if (picture.isNull()) {
        m_preview->setPixmap({});
        m_preview->setText(tr("No preview"));
        return;
    }
    const QSize fitted = picture.size().boundedTo(previewSize);
    m_preview->setPixmap(QPixmap::fromImage(picture.scaled(fitted, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void FormImage::editMap()
{
    const QString requested = m_mapName.isEmpty() ? QLatin1String(UseFileMapName) : m_mapName;
    const QString picture = localPictureFile();
    QStringList otherMaps = mapNamesIn(m_document.DocumentHTML());
    otherMaps.removeAll(m_mapName);
    ImageMapEditor editor(requested, picture.isEmpty() ? m_source->text().trimmed() : picture, m_mapHtml, otherMaps,
                          m_boxes, this);
    if (editor.exec() == QDialog::Accepted && editor.result().attributesSet) {
        const ImageMapResult &result = editor.result();
        m_mapName = result.mapName;
        m_mapReference = result.mapReference;
        m_mapHtml = result.mapHtml;
        m_mapSet = true;
    }
    m_useMap->setChecked(m_mapSet);
}

Status FormImage::insert(const QString &html)
{
    // The range the selection had when the dialog opened: the caret, the
    // selected text, or the picture itself.
    return m_document.pasteHtml(m_selection.range, html);
}

void FormImage::accept()
{
    const ImageSettings settings = settingsFromControls();
    const ImageTagResult written = writeImageTag(m_imageTag, settings);
    if (written.invalid != ImageTagResult::Invalid::Nothing) {
        m_boxes.show(written.error, MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
        (written.invalid == ImageTagResult::Invalid::Width ? m_width : m_height)->edit()->setFocus();
        return;
    }
    // A picture without a file or address would only show as broken.
    if (isEmptyImageSource(settings.source)) {
        m_boxes.show(tr("Please specify an image to insert or press Cancel,"), MessageBoxes::Buttons::Ok,
                     MessageBoxes::Icon::Warning);
        m_source->setFocus();
        return;
    }

    QString html = written.tag;
    switch (insertMode()) {
    case InsertMode::Regular:
        break;
    case InsertMode::Map:
        if (!m_mapSet) {
            m_boxes.show(tr("Please set the image map attributes, or if you don't want to use an image map, choose "
                            "Regular Image at the bottom left of the dialog box."),
                         MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Warning);
            return;
        }
        break;
    case InsertMode::Hyperlink: {
        const QString address = m_linkTarget->currentText().trimmed();
        if (address.isEmpty() || address == QLatin1String("http://")) {
            m_boxes.show(tr("Please select a topic to jump to"), MessageBoxes::Buttons::Ok,
                         MessageBoxes::Icon::Warning);
            m_linkTarget->setFocus();
            return;
        }
        html = linkedImageHtml(address, html);
        break;
    }
    }

    if (const Status inserted = insert(html); !inserted) {
        m_boxes.show(tr("The picture could not be inserted into the document: ") + inserted.error(),
                     MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Critical);
        return;
    }
    if (insertMode() == InsertMode::Map) {
        (void)m_document.waitWhileBusy();
        const QString documentText = m_document.DocumentHTML();
        if (!documentText.isEmpty() && !m_mapHtml.isEmpty())
            m_document.setDocumentHTML(placeMapElement(documentText, m_mapName, m_mapHtml));
    }
    QDialog::accept();
}

} // namespace ferrowen
