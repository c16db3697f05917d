#include "gui/settings/qsettings_store.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QVariant>

namespace orvane::gui {
namespace {

QString Latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

std::optional<std::string> QSettingsStore::Read(std::string_view name) const
{
    const QSettings settings(QSettings::UserScope, QString::fromLatin1(kSettingsOrganization),
                             QString::fromLatin1(kSettingsApplication));
    const QString key = Latin1(name);
    if (name.empty() || settings.status() != QSettings::NoError || !settings.contains(key))
        return std::nullopt;
    const QByteArray bytes = settings.value(key).toString().toLatin1();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool QSettingsStore::Write(std::string_view name, std::string_view value)
{
    QSettings settings(QSettings::UserScope, QString::fromLatin1(kSettingsOrganization),
                       QString::fromLatin1(kSettingsApplication));
    if (name.empty() || settings.status() != QSettings::NoError)
        return false;
    settings.setValue(Latin1(name), Latin1(value));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

}  // namespace orvane::gui
