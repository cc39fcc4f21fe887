#pragma once
// Settings: what the program remembers for the user between starts, typed, over QSettings under
// the organisation and application name ("Orvo", "Orvo"). Each accessor reads or writes the store
// at once, so two objects over it never disagree.

#include <QPageLayout>
#include <QSettings>
#include <QString>
#include <QStringList>

enum class Language;

class Settings
{
public:
    static constexpr const char* kOrganization = "Orvo";
    static constexpr const char* kApplication = "Orvo";
    static constexpr int kMaxRecentFiles = 4;

    // Opens the store. The first time, the recent-file list kept by earlier versions under the
    // old key is moved here.
    Settings();

    // The warning to show when a file of the store is a named pipe, a device or a folder, which
    // reading would wait on or saving would replace, or a file the user cannot read, which saving
    // would replace; empty when the store is usable. The program then keeps its store in a folder
    // of its own (useStoreFolder) before any Settings is made.
    static QString storeProblem();
    // Every store of this process lies in `folder`; the files of the usual one are neither read
    // nor written. For main(), once, before any Settings is made.
    static void useStoreFolder(const QString& folder);

    // Most recent first, at most kMaxRecentFiles absolute paths.
    QStringList recentFiles() const;
    void setRecentFiles(const QStringList& files);

    // The device chosen for "COMn" (n 1..4) with Port > Choose Port; empty when none.
    QString portDevice(int n) const;
    void setPortDevice(int n, const QString& device);

    // The printer and page set up with File > Print Setup; empty name and a default layout when
    // none was kept.
    bool hasPrintSetup() const;
    QString printerName() const;
    QPageLayout pageLayout() const;
    void setPrintSetup(const QString& printerName, const QPageLayout& layout);

    // Write To Radio reads the radio back after writing ("Verify after writing"); off by default.
    bool verifyAfterWriting() const;
    void setVerifyAfterWriting(bool on);

    // The window's language chosen with View > Language; System (the default) follows the
    // system's locale.
    Language language() const;
    void setLanguage(Language language);

private:
    QSettings m_store;
};
