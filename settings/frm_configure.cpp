#include "settings/frm_configure.h"

namespace orvane::settings {

frmConfigure::frmConfigure(mainwindow::Program& program, RegistryStore& store, platform::MessageBoxes& boxes,
                           QWidget* mainWindow)
    : QDialog(mainWindow), m_program(program), m_store(store), m_boxes(boxes), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("frmConfigure"));
}

void frmConfigure::SetLanguageDependentText() {}

void frmConfigure::ShowPanel()
{
    show();
    raise();
}

}  // namespace orvane::settings
