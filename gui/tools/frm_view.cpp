#include "gui/tools/frm_view.h"

#include "gui/platform/qt_widgets.h"
#include "platform/twips.h"
#include "text/text_numbers.h"
#include "files/text_viewer.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

#include <algorithm>

namespace orvane::gui {
namespace {

using platform::Px;

// Margins in twips: the text box fills the window less these, the buttons sit below it.
constexpr int32_t kBoxLeft = 120;
constexpr int32_t kBoxTop = 120;
constexpr int32_t kWidthLess = 450;
constexpr int32_t kHeightLess = 1200;
constexpr int32_t kButtonGap = 100;
constexpr int32_t kButtonHeight = 420;
constexpr int32_t kCloseWidth = 1500;

}  // namespace

frmView::frmView(const text::Language& language, QWidget* parent) : QWidget(parent, Qt::Window), m_language(language)
{
    setObjectName(QStringLiteral("frmView"));
    setWindowTitle(Q(m_language.Text(text::kTextViewing)));
    setMinimumSize(Px(files::kViewerLeastWidth), Px(files::kViewerLeastHeight));
    txbText1 = new QPlainTextEdit(this);
    txbText1->setObjectName(QStringLiteral("txbText1"));
    txbText1->setReadOnly(true);
    txbText1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    txbText1->viewport()->installEventFilter(this);
    cmdCopyToClipboard = new QPushButton(this);
    cmdCopyToClipboard->setObjectName(QStringLiteral("cmdCopyToClipboard"));
    cmdClose = new QPushButton(this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdCopyToClipboard, &QPushButton::clicked, this, &frmView::cmdCopyToClipboard_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmView::cmdClose_Click);
    // Escape closes the viewer as its Close button does, wherever the focus is in it.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &frmView::cmdClose_Click);
    SetCopyButton(text::kTextCopy, files::kCopyButtonWidth);
    resize(Px(files::kViewerLeastWidth), Px(6000));
}

void frmView::Form_Activate()
{
    if (blnFileDisplayed)
        return;
    cmdClose->setText(Q(m_language.Text(text::kTextClose)));
    txbText1->clear();
    SetCopyButton(text::kTextCopy, files::kCopyButtonWidth);
    cmdCopyToClipboard->setVisible(!blnCopyToClipboardInvisible);
    cmdCopyToClipboard->setEnabled(true);
    LayOut();
    const std::optional<std::string> content = files::ReadWholeFile(strFilename);
    if (!content)
        return;
    QString shown = Q(files::ViewerText(*content, files::NoticesOf(m_language)));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    txbText1->setPlainText(shown);
    txbText1->moveCursor(QTextCursor::Start);
    txbText1->setFocus();
    blnFileDisplayed = true;
}

void frmView::SetTextFont(const QFont& font)
{
    txbText1->setFont(font);
}

void frmView::PlaceOnScreen(const QRect& outer)
{
    // A window not shown yet has no frame: it will get one like its owner's.
    const QWidget& framed = isVisible() || parentWidget() == nullptr ? *this : *parentWidget()->window();
    gui::PlaceOnScreen(*this, outer, FrameMargins(framed));
}

void frmView::SetCopyButton(int16_t textNumber, int32_t width)
{
    cmdCopyToClipboard->setText(Q(m_language.Text(textNumber)));
    cmdCopyToClipboard->resize(Px(width), Px(kButtonHeight));
}

void frmView::txbText1_MouseUp()
{
    if (!cmdCopyToClipboard->isVisible() || !cmdCopyToClipboard->isEnabled())
        return;
    if (txbText1->textCursor().hasSelection())
        SetCopyButton(text::kTextCopySelected, files::kCopySelectedButtonWidth);
    else
        SetCopyButton(text::kTextCopy, files::kCopyButtonWidth);
}

void frmView::cmdCopyToClipboard_Click()
{
    if (!txbText1->toPlainText().isEmpty()) {
        const QTextCursor cursor = txbText1->textCursor();
        QString copied = cursor.hasSelection() ? cursor.selectedText() : txbText1->toPlainText();
        copied.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        QGuiApplication::clipboard()->clear();
        QGuiApplication::clipboard()->setText(copied);
        SetCopyButton(text::kTextCopy, files::kCopyButtonWidth);
    }
    cmdClose->setFocus();
}

void frmView::cmdClose_Click()
{
    hide();
}

bool frmView::event(QEvent* event)
{
    // The file is read when the window is shown or comes to the front, as long as it is not there yet.
    if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}

void frmView::closeEvent(QCloseEvent* event)
{
    // The title bar's close box: the next showing reads the file again.
    blnFileDisplayed = false;
    cmdClose_Click();
    event->accept();
}

void frmView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOut();
}

void frmView::LayOut()
{
    // The margins count from the window's outer edge.
    const int boxWidth = std::max(0, width() + Px(platform::kWindowFrameWidth) - Px(kWidthLess));
    const int boxHeight = std::max(0, height() + Px(platform::kWindowFrameHeight) - Px(kHeightLess));
    txbText1->setGeometry(Px(kBoxLeft), Px(kBoxTop), boxWidth, boxHeight);
    const int buttonsTop = txbText1->geometry().bottom() + 1 + Px(kButtonGap);
    cmdCopyToClipboard->move(Px(kBoxLeft), buttonsTop);
    cmdClose->setGeometry(txbText1->geometry().right() + 1 - Px(kCloseWidth), buttonsTop, Px(kCloseWidth),
                          Px(kButtonHeight));
}

bool frmView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txbText1->viewport() && event->type() == QEvent::MouseButtonRelease)
        txbText1_MouseUp();
    return QWidget::eventFilter(watched, event);
}

}  // namespace orvane::gui
