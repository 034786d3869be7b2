// kpz-bench: the Google Benchmark cases of `make bench` in one program, so that every case
// and its reference run in the same session on the same data.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

#include "support/data_sets.h"
#include "support/scratch.h"

namespace {

QtMessageHandler g_qtDefaultHandler = nullptr;

// The offscreen platform says for every window shown that it cannot raise it; nothing else
// is dropped.
void FilterQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QStringLiteral("does not support raise()"))) return;
    g_qtDefaultHandler(type, context, text);
}

}  // namespace

int main(int argc, char** argv) {
    // The progress window is drawn, but never shown on a screen.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    g_qtDefaultHandler = qInstallMessageHandler(&FilterQtMessage);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    bench::ScratchFolder scratch;
    bench::DataSets data(scratch.path());
    bench::SetBenchData(&data);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bench::SetBenchData(nullptr);
    return 0;
}
