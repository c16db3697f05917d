#pragma once

// frmPopUp: a small borderless notice that disappears by itself after its time or when clicked. It never
// takes input and never blocks the caller. Sizes and positions are in twips, durations in milliseconds.

#include <QWidget>

class QTimer;

namespace orvane::gui {

class MouseDownLabel;

class frmPopUp : public QWidget {
    Q_OBJECT

public:
    explicit frmPopUp(QWidget* parent = nullptr);

    // The notice with its top-left corner at (left, top) on the screen.
    void PopUp(const QString& message, int width, int height, int duration, int top, int left);
    // The notice centred on the screen.
    void PopUpCenterScreen(const QString& message, int width, int height, int duration);
    // The notice at (window's left + dLeft, window's top + dTop).
    void PopUpInForm2(const QWidget& window, const QString& message, int width, int height, int duration, int dTop,
                      int dLeft);

private slots:
    void Timer1_Timer();
    void lblMessage_MouseDown();

private:
    // Caption, size, timer and position of a notice, then shown at the front without taking the focus.
    void ShowNotice(const QString& message, int width, int height, int duration, QPoint topLeftPixels);
    // Where a notice wanted at `wanted` (pixels of the desktop) stands so that all of it is on a screen.
    QPoint OnScreen(const QRect& wanted) const;
    void Dismiss();
    // The size in twips a notice is shown at: the size asked for, or larger where its text needs more.
    QSize NoticeSize(const QString& message, int width, int height) const;

    MouseDownLabel* lblMessage = nullptr;
    QTimer* Timer1 = nullptr;
};

}  // namespace orvane::gui
