#pragma once

#include <QList>
#include <QString>

// Collects figures as medians of repeated samples and prints them as one table, each
// beside its baseline from the same run.
class BenchTable
{
public:
    static double median(QList<double> samples);

    // One row: what was measured, its median, the baseline's median, the unit.
    void add(const QString &name, double value, const QString &baselineName, double baseline,
        const QString &unit);
    void print() const;

private:
    struct Row
    {
        QString name;
        double value;
        QString baselineName;
        double baseline;
        QString unit;
    };
    QList<Row> m_rows;
};
