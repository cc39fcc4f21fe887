#pragma once
// PrintController: File > Print, Print Preview and Print Setup of the settings report. It owns the
// session's one printer, made at the first of these commands, so what Print Setup chooses holds
// for Print and Print Preview; the set-up chosen is kept for later sessions. The report shows the
// form as it stands, edits not yet saved included: the document, which the form shows.

#include "core/report/report_data.h"

#include <QObject>

#include <memory>

class Document;
class FormView;
class QPrinter;

class PrintController : public QObject
{
    Q_OBJECT

public:
    // Prints `doc`, the document `view` shows; the dialogs belong to `view`'s window.
    PrintController(FormView& view, const Document& doc, QObject* parent = nullptr);
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

    FormView& m_view;
    const Document& m_document;
    std::unique_ptr<QPrinter> m_printer;
};
