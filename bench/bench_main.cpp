// Tessarvine's benchmark: every figure is a median, printed beside a baseline measured in
// the same run. Run it through bench/run, which builds it and gives it a display.
#include "benchtable.h"
#include "cases.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() > 1 && arguments.at(1) == u"child")
        return runChild(arguments.mid(2));

    const int runs = qMax(5, qEnvironmentVariableIntValue("BENCH_RUNS"));
    BenchTable table;
    QTextStream(stderr) << "Measuring, " << runs << " runs a case...\n";
    runProcessCases(table, runs);
    runBlockingCases(table, runs);
    runInProcessCases(table, runs);
    if (caseWanted(10))
        runFilterCases(table, runs);
    table.print();
    return 0;
}
