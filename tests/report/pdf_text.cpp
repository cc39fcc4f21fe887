#include "pdf_text.h"

#include <QProcess>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace orvo::test {

namespace {

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    const bool ok =
        p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return ok ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

} // namespace

QStringList PdfLine::texts() const
{
    QStringList out;
    for (const PdfWord& w : words)
        out << w.text;
    return out;
}

const PdfLine* PdfPage::line(const QString& start) const
{
    const QStringList wanted = start.split(' ', Qt::SkipEmptyParts);
    for (const PdfLine& l : lines) {
        if (l.texts().mid(0, wanted.size()) == wanted)
            return &l;
    }
    return nullptr;
}

PdfPage readPdfPage(const QString& path)
{
    PdfPage page;
    const QString html = run("pdftotext", {"-bbox", "-f", "1", "-l", "1", path, "-"});
    static const QRegularExpression pageRe(R"re(<page width="([\d.]+)" height="([\d.]+)">)re");
    static const QRegularExpression wordRe(
        R"re(<word xMin="([\d.-]+)" yMin="([\d.-]+)" xMax="([\d.-]+)" yMax="([\d.-]+)">([^<]*)</word>)re");
    if (const QRegularExpressionMatch m = pageRe.match(html); m.hasMatch()) {
        page.width = m.captured(1).toDouble();
        page.height = m.captured(2).toDouble();
    }
    for (auto it = wordRe.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        page.words.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(),
                              m.captured(3).toDouble(), m.captured(4).toDouble(), m.captured(5)});
    }
    std::vector<PdfWord> sorted = page.words;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const PdfWord& a, const PdfWord& b) { return a.yMin < b.yMin; });
    for (const PdfWord& w : sorted) {
        if (page.lines.empty() || std::fabs(page.lines.back().top() - w.yMin) > 0.5)
            page.lines.push_back({});
        page.lines.back().words.push_back(w);
    }
    for (PdfLine& l : page.lines)
        std::stable_sort(l.words.begin(), l.words.end(),
                         [](const PdfWord& a, const PdfWord& b) { return a.xMin < b.xMin; });
    return page;
}

int pdfPageCount(const QString& path)
{
    const QString html = run("pdftotext", {"-bbox", path, "-"});
    return html.isEmpty() ? -1 : static_cast<int>(html.count("<page "));
}

} // namespace orvo::test
