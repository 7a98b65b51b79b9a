#include "report/ReportDocument.h"

#include "report/HourChart.h"
#include "ui/Document.h"

namespace tallivor {

std::unique_ptr<QTextDocument> reportDocument(const ReportModel& model, const ReportWords& words,
                                              const std::array<double, 24>& hours,
                                              const std::array<QString, 24>& amounts)
{
    const KeyedTexts& texts = words.texts();
    const PeriodTotals& totals = model.totals();
    DocumentBuilder page(words.rightToLeft());
    page.heading(words.title(model));
    page.paragraph(words.figures(totals).join(QStringLiteral(" \u00A0 ")), true);
    page.paragraph(words.takings(totals));
    page.paragraph(words.chain(model));
    std::vector<QStringList> rows;
    for (const StationTotal& station : totals.stations)
        rows.push_back(ReportWords::stationCells(station));
    page.table(words.stationHeadings(), rows);
    if (!totals.products.empty()) {
        rows.clear();
        for (const ProductTotal& product : totals.products)
            rows.push_back(ReportWords::productCells(product));
        page.table(words.productHeadings(), rows);
    }
    // The chart drawn for the page at a size of its own, whatever the window's size, and at three times the pixels so
    // that its small print stays sharp on paper.
    HourChart chart;
    chart.setValues(hours, amounts);
    chart.resize(480, 180);
    QImage picture(chart.size() * 3, QImage::Format_RGB32);
    picture.setDevicePixelRatio(3);
    chart.render(&picture);
    page.heading(texts[KeyedText::ByHour], 3);
    page.picture(picture, 480, 180);
    page.heading(texts[KeyedText::WorthALook], 3);
    QStringList looks;
    for (const Look& look : totals.looks)
        looks << words.look(model, look);
    page.paragraph(looks.join(u'\n'));
    return page.document();
}

} // namespace tallivor
