#pragma once

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;

namespace ferrowen {

class ColorChooser;

// "Font..." of the editor's context menu: font, size, bold, italic,
// underline and colour of the selection in one dialog.
class EditorFontDialog : public QDialog
{
    Q_OBJECT

public:
    struct Font
    {
        QString name;
        int size = 0; // 1 to 7; 0: as it is
        bool bold = false;
        bool italic = false;
        bool underline = false;
        std::optional<quint32> colour; // none: as it is
    };

    EditorFontDialog(const Font &current, ColorChooser &colours, QWidget *parent = nullptr);

    Font chosen() const;

private:
    void chooseColour();

    ColorChooser &m_colours;
    QComboBox *m_name = nullptr;
    QComboBox *m_size = nullptr;
    QCheckBox *m_bold = nullptr;
    QCheckBox *m_italic = nullptr;
    QCheckBox *m_underline = nullptr;
    QLabel *m_swatch = nullptr;
    std::optional<quint32> m_colour;
};

} // namespace ferrowen
