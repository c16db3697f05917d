#include "settings/frm_pop_up.h"

namespace orvane::settings {

frmPopUp::frmPopUp(QWidget* parent) : QWidget(parent) {}

void frmPopUp::PopUp(const QString&, int, int, int, int, int) {}

void frmPopUp::PopUpCenterScreen(const QString&, int, int, int) {}

void frmPopUp::PopUpInForm2(const QWidget&, const QString&, int, int, int, int, int) {}

}  // namespace orvane::settings
