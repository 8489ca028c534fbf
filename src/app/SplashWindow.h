#pragma once

#include <QDialog>

class QFrame;
class QTimer;

namespace ferrowen {

// The window shown while the program starts: the product picture in a
// frame. It closes itself 1500 ms after it was made, on any key, or on a
// click on its frame.
class SplashWindow : public QDialog
{
    Q_OBJECT

public:
    static constexpr int CloseAfterMs = 1500;

    explicit SplashWindow(QWidget *parent = nullptr);

    // Shows a splash window modally and returns once it has closed.
    static void showModal(QWidget *parent);

    QFrame *pictureFrame() const { return m_frame; }
    QWidget *picture() const { return m_picture; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void centrePicture();

    QFrame *m_frame = nullptr;
    QWidget *m_picture = nullptr;
    QTimer *m_timer = nullptr;
};

} // namespace ferrowen
