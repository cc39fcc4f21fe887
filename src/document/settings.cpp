#include "document/settings.h"

#include "document/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QStandardPaths>

namespace {

// Where earlier versions kept the recent-file list.
constexpr const char* kOldOrganization = "Local AppWizard-Generated Applications";
constexpr const char* kOldApplication = "Orvo";
const QString kRecentGroup = QStringLiteral("Recent File List");

QStringList readRecentFiles(const QSettings& store)
{
    QStringList files;
    for (int i = 1; i <= Settings::kMaxRecentFiles; ++i) {
        const QString path =
            store.value(kRecentGroup + QStringLiteral("/File%1").arg(i)).toString();
        if (!path.isEmpty())
            files.append(path);
    }
    return files;
}

QString portKey(int n)
{
    return QStringLiteral("Ports/COM%1").arg(n);
}

// The first file of the store, or of the old key's, that exists and is not a regular file or
// cannot be read: the files QSettings reads in the user's and the system's configuration folders.
QString unusableStoreFile()
{
    const QStringList folders =
        QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    for (const auto& [organization, application] :
         {std::pair{Settings::kOrganization, Settings::kApplication},
          std::pair{kOldOrganization, kOldApplication}}) {
        for (const QString& folder : folders) {
            for (const QString& file :
                 {QStringLiteral("%1/%2/%3.conf").arg(folder, organization, application),
                  QStringLiteral("%1/%2.conf").arg(folder, organization)}) {
                const QFileInfo info(file);
                if (!info.exists())
                    continue;
                // Opening tells what the process may do; a check of the mode bits would not.
                QFile readable(file);
                if (!info.isFile() || !readable.open(QIODevice::ReadOnly))
                    return file;
            }
        }
    }
    return {};
}

} // namespace

QString Settings::storeProblem()
{
    const QString file = unusableStoreFile();
    if (file.isEmpty())
        return {};
    if (QFileInfo(file).isFile()) {
        return QCoreApplication::translate("Settings",
                                           "The settings file %1 cannot be read. The program "
                                           "starts with its default settings and leaves that "
                                           "file alone.")
            .arg(QDir::toNativeSeparators(file));
    }
    return QCoreApplication::translate("Settings",
                                       "The settings file %1 is not a regular file. The program "
                                       "starts with its default settings and leaves that file "
                                       "alone.")
        .arg(QDir::toNativeSeparators(file));
}

void Settings::useStoreFolder(const QString& folder)
{
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        for (QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(format, scope, folder);
    }
}

Settings::Settings()
    : m_store(QSettings::UserScope, QString::fromLatin1(kOrganization),
              QString::fromLatin1(kApplication))
{
    if (m_store.contains(QStringLiteral("migrated")))
        return;
    QSettings old(QSettings::UserScope, QString::fromLatin1(kOldOrganization),
                  QString::fromLatin1(kOldApplication));
    if (recentFiles().isEmpty())
        setRecentFiles(readRecentFiles(old));
    old.remove(kRecentGroup);
    m_store.setValue(QStringLiteral("migrated"), true);
}

QStringList Settings::recentFiles() const
{
    return readRecentFiles(m_store);
}

void Settings::setRecentFiles(const QStringList& files)
{
    for (int i = 1; i <= kMaxRecentFiles; ++i) {
        const QString key = kRecentGroup + QStringLiteral("/File%1").arg(i);
        if (i <= files.size())
            m_store.setValue(key, files.at(i - 1));
        else
            m_store.remove(key);
    }
}

QString Settings::portDevice(int n) const
{
    return m_store.value(portKey(n)).toString();
}

void Settings::setPortDevice(int n, const QString& device)
{
    if (device.isEmpty())
        m_store.remove(portKey(n));
    else
        m_store.setValue(portKey(n), device);
}

bool Settings::hasPrintSetup() const
{
    return m_store.contains(QStringLiteral("Print/pageSize"));
}

QString Settings::printerName() const
{
    return m_store.value(QStringLiteral("Print/printer")).toString();
}

QPageLayout Settings::pageLayout() const
{
    const QPageSize size(static_cast<QPageSize::PageSizeId>(
        m_store.value(QStringLiteral("Print/pageSize"), int(QPageSize::A4)).toInt()));
    const auto orientation = static_cast<QPageLayout::Orientation>(
        m_store.value(QStringLiteral("Print/orientation"), int(QPageLayout::Portrait)).toInt());
    return QPageLayout(size, orientation, QMarginsF());
}

void Settings::setPrintSetup(const QString& printerName, const QPageLayout& layout)
{
    m_store.setValue(QStringLiteral("Print/printer"), printerName);
    m_store.setValue(QStringLiteral("Print/pageSize"), int(layout.pageSize().id()));
    m_store.setValue(QStringLiteral("Print/orientation"), int(layout.orientation()));
}

bool Settings::verifyAfterWriting() const
{
    return m_store.value(QStringLiteral("Write/verify")).toBool();
}

void Settings::setVerifyAfterWriting(bool on)
{
    m_store.setValue(QStringLiteral("Write/verify"), on);
}

Language Settings::language() const
{
    return languageFromKey(m_store.value(QStringLiteral("View/language")).toString());
}

void Settings::setLanguage(Language language)
{
    if (language == Language::System)
        m_store.remove(QStringLiteral("View/language"));
    else
        m_store.setValue(QStringLiteral("View/language"), languageKey(language));
}
