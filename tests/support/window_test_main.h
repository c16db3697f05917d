#pragma once

// The main of a window test: a temporary home for the per-user state file and the settings, the
// offscreen platform unless another is set, the application as main() sets it up, half a minute a test.

#include "gui/main/frm_main.h"
#include "tests/support/temporary_home.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace orvane::testing {

template <class Test>
int RunWindowTest(int argc, char* argv[])
{
    const QTemporaryDir home;
    UseTemporaryHome(home);
    qputenv("QTEST_FUNCTION_TIMEOUT", "30000");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    gui::SetUpApplication();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path() + "/config");
    Test test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace orvane::testing
