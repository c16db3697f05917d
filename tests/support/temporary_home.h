#pragma once

// Points HOME and the XDG data and settings folders into `home`, so that a test, a benchmark or the tour
// reads and writes no file of the user who runs it.

#include <QByteArray>
#include <QTemporaryDir>

namespace orvane::testing {

inline void UseTemporaryHome(const QTemporaryDir& home)
{
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
}

}  // namespace orvane::testing
