#include "benchtable.h"

#include "cases.h"

#include <algorithm>
#include <QTextStream>

double BenchTable::median(QList<double> samples)
{
    if (samples.isEmpty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const qsizetype middle = samples.size() / 2;
    return samples.size() % 2 ? samples.at(middle)
                              : (samples.at(middle - 1) + samples.at(middle)) / 2;
}

void BenchTable::add(const QString &name, double value, const QString &baselineName,
    double baseline, const QString &unit)
{
    m_rows.append({ name, value, baselineName, baseline, unit });
    QTextStream(stderr) << "  measured: " << name << " " << value << " " << unit << " (baseline "
                        << baselineName << " " << baseline << ")\n";
}

void BenchTable::print() const
{
    QTextStream out(stdout);
    out << "| case | median | baseline | baseline median | ratio |\n";
    out << "|---|---|---|---|---|\n";
    for (const Row &row : m_rows) {
        const QString ratio = row.baseline > 0 ? QString::number(row.value / row.baseline, 'f', 2)
                                               : QStringLiteral("-");
        out << "| " << row.name << " | " << QString::number(row.value, 'f', 3) << ' ' << row.unit
            << " | " << row.baselineName << " | " << QString::number(row.baseline, 'f', 3) << ' '
            << row.unit << " | " << ratio << " |\n";
    }
}

bool caseWanted(int number)
{
    const QString wanted = qEnvironmentVariable("BENCH_CASES");
    return wanted.isEmpty() || wanted.split(u',').contains(QString::number(number));
}
