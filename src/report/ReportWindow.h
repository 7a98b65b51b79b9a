#pragma once

#include "accounts/ReportModel.h"
#include "accounts/ReportWords.h"
#include "report/ReportParts.h"
#include "ui/Document.h"
#include "ui/LabelButton.h"

#include <QWidget>

#include <array>
#include <memory>

class QTextDocument;

namespace tallivor {

class Ledger;

// The owner's view of the ledger, a view of the report model: for a period (today, a range of days, or since the last
// shift close) the bills, the amount and time billed, the takings of time and products, a table per station and per
// product, the takings per hour of the day, the lines that deserve a look, and whether the ledger's chain is intact. It
// prints, exports the period's lines and closes a shift. It is a window of its own beside the board and never blocks
// it; it reads the ledger when it opens and when the period changes.
class ReportWindow : public QWidget
{
    Q_OBJECT
public:
    // The ledger and its folder, where prints and exports go too. The report is a window of its own, owned by no
    // other: on Windows an owned window stays above its owner, and the board could not be brought in front of it.
    ReportWindow(const Ledger& ledger, QString folder);
    ~ReportWindow() override;

    // Shows the window for today with the texts of the language in force and the currency unit, reading the ledger
    // afresh; a window not on the screen yet opens beside the board, wholly on its screen.
    void open(const KeyedTexts& texts, const QString& unit, const QWidget& board);
    // Takes the texts of a new language.
    void retranslate(const KeyedTexts& texts);

    // The periods: the days from and to (both included), or every line since the last shift line.
    void showDays(QDate from, QDate to);
    void showSinceShift();

    // A click on a label-button.
    void btnClick(ReportButton button);
    // Writes the period's lines, as the ledger holds them, to a CSV file; false when it cannot be written.
    bool exportTo(const QString& path);
    // Says what the shift just closed held; its shift line has reached the window already.
    void showShiftClosed(const PeriodTotals& shift);
    // Says, at the first of Close shift's two clicks, how many stations still carry a charge that no bill settled.
    void armShiftClose(int unbilled);
    // Says where the receipt asked for went, or that no bill has its number.
    void showReceiptPrinted(const QString& message);

    // The report as a document, as it is printed.
    std::unique_ptr<QTextDocument> document() const;

    LabelButton* btn(ReportButton button) const { return m_parts.buttons[std::size_t(button)]; }

public slots:
    // A line as it reaches the ledger: a line of the period shown joins it (a shift line starts "since shift close"
    // afresh) and the figures follow, without the ledger being read again.
    void takeLine(const tallivor::LedgerRecord& record);

signals:
    // The first click on Close shift: whoever owns the board answers with armShiftClose().
    void shiftCloseAsked();
    // The second click, on the armed caption: whoever owns the board closes the shift and calls showShiftClosed().
    void shiftCloseRequested();
    // Receipt again: whoever owns the board prints the receipt of the bill with that number, and says so through
    // showReceiptPrinted().
    void receiptAsked(const QString& number);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Takes back the first click on Close shift, and what the window said about it.
    void disarm();
    void show(const Period& period);
    void render();
    void exportCsv();

    const Ledger& m_ledger;
    const QString m_folder;
    ReportModel m_model;
    ReportWords m_words;
    Printing m_printing;
    ReportParts m_parts;
};

} // namespace tallivor
