#include "gui/settings/frm_pop_up.h"

#include "platform/twips.h"
#include "gui/settings/mouse_down_label.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace orvane::gui {
namespace {

using platform::Px;

// The notice's paper and ink: the colours of a tooltip, which is what the notice looks like.
constexpr QRgb kPaper = qRgb(255, 255, 225);
constexpr QRgb kInk = qRgb(0, 0, 0);
constexpr int kFontPointSize = 8;
constexpr int kLabelMargin = 3;  // pixels between the frame and the text

}  // namespace

frmPopUp::frmPopUp(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmPopUp"));
    // A notice is only read: it never takes the focus from the window the user works in.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);

    lblMessage = new MouseDownLabel(this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setFont(QFont(QStringLiteral("Tahoma"), kFontPointSize));
    lblMessage->setAlignment(Qt::AlignCenter);
    lblMessage->setFrameShape(QFrame::Box);
    lblMessage->setAutoFillBackground(true);
    QPalette palette = lblMessage->palette();
    palette.setColor(QPalette::Window, QColor(kPaper));
    palette.setColor(QPalette::WindowText, QColor(kInk));
    lblMessage->setPalette(palette);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);

    connect(Timer1, &QTimer::timeout, this, &frmPopUp::Timer1_Timer);
    connect(lblMessage, &MouseDownLabel::mouseDown, this, &frmPopUp::lblMessage_MouseDown);
}

void frmPopUp::PopUp(const QString& message, int width, int height, int duration, int top, int left)
{
    ShowNotice(message, width, height, duration, QPoint(Px(left), Px(top)));
}

void frmPopUp::PopUpCenterScreen(const QString& message, int width, int height, int duration)
{
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect();
    const double screenWidth = platform::Twips(area.width());
    const double screenHeight = platform::Twips(area.height());
    const QSize size = NoticeSize(message, width, height);
    const int top = static_cast<int>(std::lround((screenHeight - size.height()) / 2.0));
    const int left = static_cast<int>(std::lround((screenWidth - size.width()) / 2.0));
    ShowNotice(message, width, height, duration, area.topLeft() + QPoint(Px(left), Px(top)));
}

void frmPopUp::PopUpInForm2(const QWidget& window, const QString& message, int width, int height, int duration,
                            int dTop, int dLeft)
{
    // A window's top and left are those of its frame; a control's are where it stands on the screen.
    const QPoint origin = window.isWindow() ? window.frameGeometry().topLeft() : window.mapToGlobal(QPoint(0, 0));
    ShowNotice(message, width, height, duration, origin + QPoint(Px(dLeft), Px(dTop)));
}

QSize frmPopUp::NoticeSize(const QString& message, int width, int height) const
{
    // The callers' sizes suit the system's font; a wider font must not cut the message off, so the notice
    // grows to its text when that is larger.
    const QSize text = lblMessage->fontMetrics().size(0, message) + QSize(2 * kLabelMargin, 2 * kLabelMargin);
    return {std::max(width, platform::Twips(text.width())), std::max(height, platform::Twips(text.height()))};
}

QPoint frmPopUp::OnScreen(const QRect& wanted) const
{
    // A notice placed beside a window at the screen's edge moves in until the whole of it shows, on the
    // screen that holds most of it.
    const QScreen* screen = QGuiApplication::screenAt(wanted.center());
    if (screen == nullptr)
        screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return wanted.topLeft();
    const QRect area = screen->availableGeometry();
    const int left = std::max(area.left(), std::min(wanted.left(), area.right() + 1 - wanted.width()));
    const int top = std::max(area.top(), std::min(wanted.top(), area.bottom() + 1 - wanted.height()));
    return {left, top};
}

void frmPopUp::ShowNotice(const QString& message, int width, int height, int duration, QPoint topLeftPixels)
{
    lblMessage->setText(message);
    const QSize size = NoticeSize(message, width, height);
    resize(Px(size.width()), Px(size.height()));
    lblMessage->setGeometry(0, 0, Px(size.width()), Px(size.height()));
    // A new notice replaces the one showing, and its own time starts now; a time of 0 keeps it until it is
    // clicked, as a timer with no interval never fires.
    if (duration > 0)
        Timer1->start(duration);
    else
        Timer1->stop();
    move(OnScreen(QRect(topLeftPixels, QSize(Px(size.width()), Px(size.height())))));
    show();
    raise();
}

void frmPopUp::Timer1_Timer()
{
    Dismiss();
}

void frmPopUp::lblMessage_MouseDown()
{
    Dismiss();
}

void frmPopUp::Dismiss()
{
    Timer1->stop();
    hide();
}

}  // namespace orvane::gui
