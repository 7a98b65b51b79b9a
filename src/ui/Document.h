#pragma once

#include <QImage>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QPrinter;
class QTextDocument;
class QWidget;

namespace tallivor {

// Everything the program prints (the report, and what a customer or an owner takes away) is built here, as a page
// reads: headings, lines, tables and pictures, left to right or, for a right-to-left language, mirrored.
class DocumentBuilder
{
public:
    explicit DocumentBuilder(bool rightToLeft);

    void heading(const QString& text, int level = 2);
    // A paragraph; its line breaks stay line breaks.
    void paragraph(const QString& text, bool bold = false);
    // A table with a row of headings; in a right-to-left document its first column stands on the right.
    void table(const QStringList& headings, const std::vector<QStringList>& rows);
    // A picture at a size of its own on the page.
    void picture(const QImage& image, int width, int height);

    std::unique_ptr<QTextDocument> document() const;

private:
    bool m_rightToLeft;
    QString m_html;
    std::vector<QImage> m_pictures;
};

// Where a document went, for the window to say.
struct Printed
{
    QString pdfName; // with no printer on the system: the PDF file written in the folder; empty otherwise
};

// Prints a document: through Qt's print dialog beside the window when the system has a printer (the dialog never
// blocks the board), else as a PDF file in the folder named after base, never over an earlier one ("base.pdf",
// "base-2.pdf", ...). The document is made when it is printed.
class Printing
{
public:
    Printing();
    ~Printing();

    Printed print(QWidget& window, const QString& folder, const QString& base,
                  std::function<std::unique_ptr<QTextDocument>()> document);

private:
    std::shared_ptr<QPrinter> m_printer; // and the print dialog's, which may outlive the next print
};

} // namespace tallivor
