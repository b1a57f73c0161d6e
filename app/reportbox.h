#pragma once

#include <QStringList>
#include <QWidget>

// The box the transaction lines are printed into: rows of text from the top,
// cleared as a whole. Its rows are readable as the property "rows".
class ReportBox : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QStringList rows READ rows)

public:
    explicit ReportBox(QWidget* parent = nullptr);

    QStringList rows() const { return m_rows; }
    void clear();
    void print(const QString& row);

    // Distance between printed rows, so row i lies beside optReport(i).
    void setRowPitch(qreal pixels);

signals:
    void rowsChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showRows();

    QStringList m_rows;
    qreal m_rowPitch = 13;
};
