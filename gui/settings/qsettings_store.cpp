#include "gui/settings/qsettings_store.h"

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

namespace orvane::settings {
namespace {

// The settings of the application in the hive's scope.
std::unique_ptr<QSettings> OpenSettings(RegistryHive hive)
{
    const QSettings::Scope scope =
        hive == RegistryHive::LocalMachine ? QSettings::SystemScope : QSettings::UserScope;
    return std::make_unique<QSettings>(scope, QString::fromLatin1(kSettingsOrganization),
                                       QString::fromLatin1(kSettingsApplication));
}

// The settings group of a registry key: empty for the application's own key, the rest of the key for its
// subkeys, the whole key otherwise; '/' between the parts.
QString GroupOf(const std::string& keyName)
{
    std::string group = keyName;
    const std::string own = kRegistryKey;
    if (group == own)
        group.clear();
    else if (group.starts_with(own + "\\"))
        group.erase(0, own.size() + 1);
    QString result = QString::fromLatin1(group.data(), static_cast<qsizetype>(group.size()));
    result.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return result;
}

QString Latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The result code of the last access to the settings file.
int32_t ResultOf(const QSettings& settings)
{
    switch (settings.status()) {
    case QSettings::NoError: return kRegSuccess;
    case QSettings::AccessError: return kRegAccessDenied;
    case QSettings::FormatError: return kRegInvalidData;
    }
    return kRegInvalidData;
}

}  // namespace

bool QSettingsStore::KeyExists(RegistryHive hive, const std::string& keyName) const
{
    if (m_createdKeys.contains({hive, keyName}))
        return true;
    const auto settings = OpenSettings(hive);
    settings->beginGroup(GroupOf(keyName));
    const bool exists = !settings->childKeys().isEmpty() || !settings->childGroups().isEmpty();
    settings->endGroup();
    return exists;
}

KeyCreation QSettingsStore::CreateKey(RegistryHive hive, const std::string& keyName)
{
    if (keyName.empty())
        return {kRegFileNotFound, KeyDisposition::Unknown};
    if (const int32_t result = ResultOf(*OpenSettings(hive)); result != kRegSuccess)
        return {result, KeyDisposition::Unknown};
    if (KeyExists(hive, keyName))
        return {kRegSuccess, KeyDisposition::OpenedExistingKey};
    m_createdKeys.insert({hive, keyName});
    return {kRegSuccess, KeyDisposition::CreatedNewKey};
}

int32_t QSettingsStore::SetValue(RegistryHive hive, const std::string& keyName, const std::string& valueName,
                                 const std::string& data)
{
    if (keyName.empty() || !KeyExists(hive, keyName))
        return kRegFileNotFound;
    const auto settings = OpenSettings(hive);
    settings->beginGroup(GroupOf(keyName));
    settings->setValue(Latin1(valueName), Latin1(data));
    settings->endGroup();
    settings->sync();
    return ResultOf(*settings);
}

int32_t QSettingsStore::OpenKey(RegistryHive hive, const std::string& keyName)
{
    if (keyName.empty() || !KeyExists(hive, keyName))
        return kRegFileNotFound;
    return ResultOf(*OpenSettings(hive));
}

int32_t QSettingsStore::QueryValue(RegistryHive hive, const std::string& keyName, const std::string& valueName,
                                   std::string& data)
{
    if (keyName.empty() || !KeyExists(hive, keyName))
        return kRegFileNotFound;
    const auto settings = OpenSettings(hive);
    settings->beginGroup(GroupOf(keyName));
    const QString name = Latin1(valueName);
    if (valueName.empty() || !settings->contains(name))
        return kRegFileNotFound;
    const QByteArray bytes = settings->value(name).toString().toLatin1();
    data.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
    return kRegSuccess;
}

}  // namespace orvane::settings
