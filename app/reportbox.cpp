#include "reportbox.h"

#include <QPainter>

ReportBox::ReportBox(QWidget* parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
}

void ReportBox::clear()
{
    m_rows.clear();
    showRows();
}

void ReportBox::print(const QString& row)
{
    m_rows.append(row);
    showRows();
}

// Screen readers get the rows as the box's description, one a line.
void ReportBox::showRows()
{
    setAccessibleDescription(m_rows.join(QLatin1Char('\n')));
    update();
    emit rowsChanged();
}

void ReportBox::setRowPitch(qreal pixels)
{
    m_rowPitch = pixels;
    update();
}

void ReportBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const int lineHeight = fontMetrics().height();
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        const QRectF row(2, i * m_rowPitch, width() - 2, lineHeight);
        painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_rows.at(i));
    }
}
