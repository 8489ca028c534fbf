#include "app/SplashWindow.h"

#include "settings/ProgramTitle.h"
#include "app/Twips.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace ferrowen {

namespace {

// The picture is centred, then moved this far to the left.
constexpr int PictureLeftShift = 60;
constexpr QSize PictureSize(360, 200);
constexpr QSize FrameSize(400, 240);

// The product picture: an envelope crossed by a browser window, and the name.
class ProductPicture : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF area = QRectF(rect()).adjusted(1, 1, -1, -1);

        QLinearGradient sky(area.topLeft(), area.bottomLeft());
        sky.setColorAt(0, QColor(0x1f, 0x4e, 0x8c));
        sky.setColorAt(1, QColor(0x12, 0x2c, 0x52));
        p.setPen(Qt::NoPen);
        p.setBrush(sky);
        p.drawRoundedRect(area, 14, 14);

        // Browser window with an envelope in it.
        const QRectF window(22, 52, 112, 86);
        p.setBrush(QColor(0xf4, 0xf6, 0xfa));
        p.drawRoundedRect(window, 6, 6);
        p.setBrush(QColor(0xc9, 0xd3, 0xe3));
        p.drawRoundedRect(QRectF(window.x(), window.y(), window.width(), 16), 6, 6);
        p.drawRect(QRectF(window.x(), window.y() + 8, window.width(), 8));
        const QColor dots[] = {QColor(0xe0, 0x5a, 0x4f), QColor(0xe8, 0xb3, 0x3a), QColor(0x4c, 0xb0, 0x5c)};
        for (int i = 0; i < 3; ++i) {
            p.setBrush(dots[i]);
            p.drawEllipse(QPointF(window.x() + 10 + i * 10, window.y() + 8), 3, 3);
        }
        const QRectF letter(window.x() + 20, window.y() + 28, 72, 44);
        p.setBrush(QColor(0xff, 0xf8, 0xe1));
        p.setPen(QPen(QColor(0x8a, 0x6d, 0x2f), 2));
        p.drawRect(letter);
        QPainterPath flap;
        flap.moveTo(letter.topLeft());
        flap.lineTo(letter.center().x(), letter.y() + 26);
        flap.lineTo(letter.topRight());
        p.setBrush(Qt::NoBrush);
        p.drawPath(flap);

        // The name and what it is.
        QFont name = font();
        name.setPixelSize(32);
        name.setBold(true);
        p.setFont(name);
        p.setPen(Qt::white);
        p.drawText(QRectF(148, 46, area.width() - 156, 46), Qt::AlignLeft | Qt::AlignVCenter,
                   ProgramTitle.toString());
        QFont tagline = font();
        tagline.setPixelSize(12);
        p.setFont(tagline);
        p.setPen(QColor(0xc8, 0xd8, 0xf0));
        p.drawText(QRectF(150, 96, area.width() - 160, 60), Qt::AlignLeft | Qt::TextWordWrap,
                   QObject::tr("Webmail with local folders, address books and an editor"));
    }
};

} // namespace

SplashWindow::SplashWindow(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FormSplash"));
    setWindowTitle(ProgramTitle.toString());
    setModal(true);

    m_frame = new QFrame(this);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_frame->setFrameShape(QFrame::Box);
    m_frame->setFixedSize(FrameSize);
    m_frame->installEventFilter(this);

    m_picture = new ProductPicture(m_frame);
    m_picture->setObjectName(QStringLiteral("Image1"));
    m_picture->resize(PictureSize);
    // A click anywhere in the frame, the picture included, closes the window.
    m_picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_picture->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_frame);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &QDialog::accept);
    m_timer->start(CloseAfterMs);
}

void SplashWindow::showModal(QWidget *parent)
{
    SplashWindow splash(parent);
    splash.exec();
}

void SplashWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_picture->isHidden()) {
        centrePicture();
        m_picture->show();
    }
}

void SplashWindow::centrePicture()
{
    const QScreen *s = screen();
    const Twips twips(s ? s->logicalDotsPerInchX() : 96.0);
    const int left = (m_frame->width() - m_picture->width()) / 2 - twips.toPixels(PictureLeftShift);
    const int top = (m_frame->height() - m_picture->height()) / 2;
    m_picture->move(left, top);
}

void SplashWindow::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    accept();
}

bool SplashWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_frame) {
        // A click is a press and a release over the frame.
        if (event->type() == QEvent::MouseButtonPress)
            return true;
        if (event->type() == QEvent::MouseButtonRelease
            && m_frame->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint())) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace ferrowen
