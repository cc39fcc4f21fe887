#include "link/verify_setting.h"

#include "app/tern_app.h"

#include <QSettings>

namespace {

const QString kKey = QStringLiteral("Settings/VerifyAfterWriting");

QSettings profile()
{
    return QSettings(QSettings::UserScope, QString::fromLatin1(CTernApp::kRegistryKey),
                     QString::fromLatin1(CTernApp::kAppName));
}

} // namespace

bool VerifyAfterWritingSetting()
{
    return profile().value(kKey, false).toBool();
}

void SetVerifyAfterWritingSetting(bool on)
{
    profile().setValue(kKey, on);
}
