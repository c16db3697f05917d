#pragma once

// frmView: a window that shows a plain text file read-only, with a Close button and an optional copy
// button. The caller sets the file name and the options and shows it; the file is read when the window
// is shown, cut with a notice at both ends when it is too large for the text box. Close only hides the
// window, so that the text and its scroll position stay; closing it with the title bar's close box makes
// the next showing read the file again.

#include "text/language.h"

#include <QWidget>

#include <string>

class QPlainTextEdit;
class QPushButton;

namespace orvane::gui {

class frmView : public QWidget {
    Q_OBJECT

public:
    explicit frmView(const text::Language& language, QWidget* parent = nullptr);

    // Set by the caller before showing the window.
    std::string strFilename;
    bool blnCopyToClipboardInvisible = false;
    // The file is in the text box; while it is set, showing the window again does not reload.
    bool blnFileDisplayed = false;

    // Reads the file into the text box unless it is there already. A file that cannot be read leaves the
    // box empty and the flag unset, without a message.
    void Form_Activate();

    // The text box's font, set by the caller.
    void SetTextFont(const QFont& font);

    // Gives the window the outer rectangle `outer` (frame included), moved and where needed shrunk into
    // the screen's available area so that Close stays reachable.
    void PlaceOnScreen(const QRect& outer);

    // ----- Handlers (slots named as the system's controls) ---------------------------------------------
    void txbText1_MouseUp();
    void cmdCopyToClipboard_Click();
    void cmdClose_Click();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetCopyButton(int16_t textNumber, int32_t width);
    void LayOut();

    const text::Language& m_language;
    QPlainTextEdit* txbText1 = nullptr;
    QPushButton* cmdCopyToClipboard = nullptr;
    QPushButton* cmdClose = nullptr;
};

}  // namespace orvane::gui
