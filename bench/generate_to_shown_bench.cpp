// Generate-to-shown: from the click on "Generate This Code" until the four output boxes are laid out and
// the window has painted them, with every input field holding the same number of characters.
// Runs offscreen unless a platform is chosen: QT_QPA_PLATFORM=xcb xvfb-run -a build/bin/generate_to_shown_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include "qt/main_window/main_form.h"
#include "qt/main_window/output_box.h"

namespace {

using namespace quillbay;

mainForm* form = nullptr;

template <typename T>
T* control(const char* name) {
    return form->findChild<T*>(QString::fromLatin1(name));
}

// Everything the click left queued (layout requests, updates) is handled and the window is painted now.
void settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    form->repaint();
}

void BM_GenerateToShown(benchmark::State& state) {
    // One unbroken run: the hardest case for wrapping, which finds no word boundary anywhere.
    const QString field(static_cast<qsizetype>(state.range(0)), QLatin1Char('x'));
    for (auto _ : state) {
        state.PauseTiming();
        control<QPushButton>("Command5")->click();  // Reset: back to EditingState
        for (const char* name : {"txtFunctionname", "txtUrl", "txtWinname", "txtWidth", "txtHeight"})
            control<QLineEdit>(name)->setText(field);
        auto* generate = control<QPushButton>("Command1");
        generate->setFocus(Qt::MouseFocusReason);  // as a mouse press on it would
        settle();
        state.ResumeTiming();

        generate->click();
        settle();
    }
    const auto* script = control<OutputBox>("txtScript");
    if (script->isEmpty()) state.SkipWithError("Generate left the script box empty");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 5 * state.range(0));
}
BENCHMARK(BM_GenerateToShown)->Arg(200)->Arg(64 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    mainForm window{MainFormServices{}};
    window.show();
    form = &window;
    settle();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
