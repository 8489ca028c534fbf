#pragma once

#include <QObject>

class QFrame;
class QTimer;
class QWidget;

namespace ferrowen {

// The HTML editor's panel (PictureBlog) with the editing area (DHTMLEdit1)
// inside it. The main window places both; this class owns them and what
// they do.
class EditorPanel : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        QFrame *panel = nullptr;  // PictureBlog
        QWidget *editor = nullptr; // DHTMLEdit1
    };

    explicit EditorPanel(QObject *parent = nullptr);

    Parts parts() const { return m_parts; }

    // Timer1: opens a table dialog shortly after the editor's context menu
    // has closed.
    QTimer *tableDialogTimer() const { return m_timer1; }

private:
    Parts m_parts;
    QTimer *m_timer1 = nullptr;
};

} // namespace ferrowen
