#include "gui/platform/date_field.h"

#include "datetime/iso_dates.h"

#include <QAction>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QStyle>
#include <QTimer>

#include <algorithm>

namespace orvane::gui {

DateField::DateField(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::editingFinished, this, &DateField::TakeTyped);
    // Wide enough for a whole ISO date in the box's font.
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000-00-000")) + 2 * fontMetrics().averageCharWidth());
}

void DateField::setDate(const QDate& date)
{
    if (!date.isValid())
        return;
    const QDate kept = std::clamp(date, m_first, m_last);
    setText(kept.toString(Qt::ISODate));
    if (kept == m_date)
        return;
    m_date = kept;
    emit dateChanged(m_date);
}

void DateField::setDateRange(const QDate& first, const QDate& last)
{
    m_first = first;
    m_last = last;
    if (m_date.isValid())
        setDate(m_date);
}

void DateField::AddCalendarButton()
{
    QAction* open = addAction(style()->standardIcon(QStyle::SP_FileDialogDetailedView), QLineEdit::TrailingPosition);
    connect(open, &QAction::triggered, this, [this] {
        auto* calendar = new QCalendarWidget(this);
        calendar->setWindowFlags(Qt::Popup);
        calendar->setAttribute(Qt::WA_DeleteOnClose);
        calendar->setDateRange(m_first, m_last);
        calendar->setSelectedDate(m_date);
        connect(calendar, &QCalendarWidget::clicked, this, [this, calendar](const QDate& picked) {
            setDate(picked);
            calendar->close();
        });
        calendar->move(mapToGlobal(QPoint(0, height())));
        calendar->show();
    });
}

void DateField::TakeTyped()
{
    const std::optional<datetime::TypedDate> typed = datetime::ParseTypedDate(text().trimmed().toStdString());
    const QDate date = typed ? QDate(typed->year, typed->month, typed->day) : QDate();
    if (date.isValid() && date >= m_first && date <= m_last)
        setDate(date);
    else
        setText(m_date.isValid() ? m_date.toString(Qt::ISODate) : QString());
}

void DateField::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    selectAll();
    // A click puts the cursor under the mouse after the focus came: select again once it has.
    if (event->reason() == Qt::MouseFocusReason)
        QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

void DateField::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) && m_date.isValid()) {
        TakeTyped();
        setDate(m_date.addDays(event->key() == Qt::Key_Up ? 1 : -1));
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace orvane::gui
