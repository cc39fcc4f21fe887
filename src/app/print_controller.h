#pragma once
// PrintController: File > Print, Print Preview and Print Setup of the settings report. It owns the
// session's one printer, made at the first of these commands, so what Print Setup chooses holds
// for Print and Print Preview; the set-up chosen is kept for later sessions. The report shows the
// form as it stands, edits not yet saved included: the document, which the form shows.

#include "core/report/report_data.h"

#include <QObject>

#include <memory>

class Document;
class PendingEdit;
class QPrinter;
class QWidget;
class Settings;

class PrintController : public QObject
{
    Q_OBJECT

public:
    // Prints `doc` once `edit` is committed; the set-up is kept in `settings`; the dialogs
    // belong to `parent`.
    PrintController(const Document& doc, Settings& settings, PendingEdit& edit, QWidget* parent,
                    QObject* owner = nullptr);
    ~PrintController() override;

    // The print dialog, then the report on the printer. A printer that cannot start says
    // "Failed to start print job." and the session goes on with a fresh printer of the same
    // set-up.
    void print();
    // The report's page in a preview window.
    void preview();
    // The page set-up dialog; an accepted set-up is kept in Settings.
    void pageSetup();

    // The report's texts of `doc`: the selected entries of the six printed setting lists (empty
    // when none is selected), the grid's headers and the cells of channels 1..16.
    static orvo::ReportData reportData(const Document& doc);

private:
    QPrinter& printer();

    const Document& m_document;
    Settings& m_settings;
    PendingEdit& m_edit;
    QWidget* m_parent;
    std::unique_ptr<QPrinter> m_printer;
};
