#pragma once
// Reads a PDF back as a reader of the printed page would: its words with their boxes in points
// (y downward from the top of the page), grouped into lines. Uses poppler's pdftotext.

#include <QString>
#include <QStringList>

#include <vector>

namespace orvo::test {

struct PdfWord
{
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    QString text;
};

// Words sharing a top edge, left to right.
struct PdfLine
{
    std::vector<PdfWord> words;
    double top() const { return words.front().yMin; }
    QStringList texts() const;
};

struct PdfPage
{
    double width = 0, height = 0;
    std::vector<PdfWord> words; // in reading order
    std::vector<PdfLine> lines; // top to bottom
    // The first line that begins with these blank-separated words, or nullptr.
    const PdfLine* line(const QString& start) const;
};

PdfPage readPdfPage(const QString& path); // first page; empty when pdftotext fails
int pdfPageCount(const QString& path);    // -1 when pdftotext fails

} // namespace orvo::test
