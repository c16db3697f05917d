#pragma once

// A date box that takes a date typed whole: ISO 8601 ("1978-03-14"), the dotted day-first form
// ("14.03.1978") or the slashed month-first form ("3/14/1978"), read when the box is left or Return is
// pressed. A text it cannot read, or a date outside its range, puts the date shown before back, so that a
// typed date is never reordered. It shows its date as ISO 8601; Up and Down move it by a day.

#include <QDate>
#include <QLineEdit>

namespace orvane::gui {

class DateField : public QLineEdit {
    Q_OBJECT

public:
    explicit DateField(QWidget* parent = nullptr);

    QDate date() const { return m_date; }
    // Shows `date` (kept within the range); dateChanged when it differs from the date shown before.
    void setDate(const QDate& date);
    void setDateRange(const QDate& first, const QDate& last);
    // A calendar button at the box's right end that opens a month to pick the date from.
    void AddCalendarButton();

signals:
    void dateChanged(const QDate& date);

protected:
    // Entering the box selects the whole date, so that typing replaces it.
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The typed text read: the date it names, or the date shown before back in the box.
    void TakeTyped();

    QDate m_date;
    QDate m_first{1, 1, 1};
    QDate m_last{9999, 12, 31};
};

}  // namespace orvane::gui
