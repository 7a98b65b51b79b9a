#include "ui/Document.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>
#include <QTextOption>
#include <QUrl>

namespace tallivor {
namespace {

QString escaped(const QString& text)
{
    return text.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>"));
}

// A name in the folder that no file has yet: the name itself, else with "-2", "-3", ... before the extension.
QString unusedName(const QString& folder, const QString& base, const QString& extension)
{
    QString name = base + extension;
    for (int n = 2; QFileInfo::exists(QDir(folder).filePath(name)); ++n)
        name = QStringLiteral("%1-%2%3").arg(base, QString::number(n), extension);
    return name;
}

} // namespace

DocumentBuilder::DocumentBuilder(bool rightToLeft) : m_rightToLeft(rightToLeft) {}

void DocumentBuilder::heading(const QString& text, int level)
{
    m_html += QStringLiteral("<h%1>%2</h%1>").arg(level).arg(escaped(text));
}

void DocumentBuilder::paragraph(const QString& text, bool bold)
{
    m_html +=
        bold ? QStringLiteral("<p><b>%1</b></p>").arg(escaped(text)) : QStringLiteral("<p>%1</p>").arg(escaped(text));
}

void DocumentBuilder::table(const QStringList& headings, const std::vector<QStringList>& rows)
{
    // Qt lays out a table's columns from the left whatever the direction: a right-to-left table is written from its
    // last column, and stands at the right.
    const auto cells = [this](const QStringList& row, const char* tag) {
        QString html = QStringLiteral("<tr>");
        for (qsizetype i = 0; i < row.size(); ++i) {
            const QString& cell = row[m_rightToLeft ? row.size() - 1 - i : i];
            html += QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), escaped(cell));
        }
        return html + QStringLiteral("</tr>");
    };
    m_html += QStringLiteral("<table%1 border=\"1\" cellspacing=\"0\" cellpadding=\"3\">")
                  .arg(m_rightToLeft ? QLatin1String(" align=\"right\"") : QLatin1String());
    m_html += cells(headings, "th");
    for (const QStringList& row : rows)
        m_html += cells(row, "td");
    m_html += QStringLiteral("</table>");
}

void DocumentBuilder::picture(const QImage& image, int width, int height)
{
    m_html += QStringLiteral("<p><img src=\"picture%1\" width=\"%2\" height=\"%3\"></p>")
                  .arg(m_pictures.size())
                  .arg(width)
                  .arg(height);
    m_pictures.push_back(image);
}

std::unique_ptr<QTextDocument> DocumentBuilder::document() const
{
    auto document = std::make_unique<QTextDocument>();
    for (std::size_t i = 0; i < m_pictures.size(); ++i)
        document->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("picture%1").arg(i)), m_pictures[i]);
    QTextOption option = document->defaultTextOption();
    option.setTextDirection(m_rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    document->setDefaultTextOption(option);
    const QLatin1String direction(m_rightToLeft ? "rtl" : "ltr");
    document->setHtml(QStringLiteral("<html dir=\"%1\"><body dir=\"%1\">%2</body></html>").arg(direction, m_html));
    return document;
}

Printing::Printing() = default;
Printing::~Printing() = default;

Printed Printing::print(QWidget& window, const QString& folder, const QString& base,
                        std::function<std::unique_ptr<QTextDocument>()> document)
{
    m_printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // A second print of the same thing gets a name of its own: the first may already be on its way to the owner.
        const QString name = unusedName(folder, base, QStringLiteral(".pdf"));
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setOutputFileName(QDir(folder).filePath(name));
        document()->print(m_printer.get());
        return {name};
    }
    auto* dialog = new QPrintDialog(m_printer.get(), &window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QDialog::accepted, &window,
                     [printer = m_printer, document] { document()->print(printer.get()); });
    // Even a dialog modal to the window alone would block the board, the window's owner.
    dialog->setWindowModality(Qt::NonModal);
    dialog->show();
    return {};
}

} // namespace tallivor
