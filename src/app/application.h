#pragma once
// Application: builds the program once, in this order: the settings kept between starts, the
// document, the radio link the transfers and the test mode share, the form, the controllers that
// carry out the commands, and last the main window over them. It holds them for the life of the
// process and hands each part what it needs; no part reaches back to it.

#include <QObject>
#include <QStringList>

#include <memory>

class Document;
class EditController;
class FileController;
class FormView;
class MainWindow;
class PortController;
class PrintController;
class Settings;
class TestModeController;
class TransferController;

namespace orvo {
class RadioLink;
}

class Application : public QObject
{
    Q_OBJECT

public:
    // A QApplication must exist first, with the settings' paths set (main()).
    explicit Application(QObject* parent = nullptr);
    ~Application() override;

    // The one Settings of the program.
    Settings& settings() { return *m_settings; }

    // Start-up: everything built, then the command line (no file: a new document; a file: that
    // file), and the main window shown. `arguments` are the program's arguments without the
    // program name; `settingsProblem`, when not empty, is said before the window shows. False
    // when the file named on the command line cannot be opened; start-up then ends.
    bool start(const QStringList& arguments, const QString& settingsProblem = QString());

    MainWindow* mainWindow() const { return m_window.get(); }
    Document* document() const { return m_document.get(); }
    FileController* files() const { return m_files.get(); }

private:
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<Document> m_document;
    std::unique_ptr<orvo::RadioLink> m_link;
    std::unique_ptr<FileController> m_files;
    std::unique_ptr<EditController> m_edit;
    std::unique_ptr<PrintController> m_print;
    std::unique_ptr<PortController> m_ports;
    std::unique_ptr<TransferController> m_transfers;
    std::unique_ptr<TestModeController> m_testMode;
    std::unique_ptr<MainWindow> m_window;
};
