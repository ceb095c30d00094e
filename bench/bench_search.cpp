// The era search dialog's search over every era, through its own search
// button, with what a user might type and with long pasted runs of "[".
#include "app/AppEnvironment.h"
#include "ui/main/frmMain.h"
#include "ui/search/frmSerch.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

// One started main window over a private copy of the shipped data, so that
// nothing is written beside the real program.
struct Program {
    Program()
    {
        for (const char* ext : {".dan", ".das", ".daj"}) {
            const QString name = QStringLiteral("Yomari") + QLatin1String(ext);
            QFile::copy(QStringLiteral(YOMARI_BIN_DIR "/") + name, dir.filePath(name));
        }
        yomari::app::SetLocationForTesting(
            yomari::app::ProgramLocation{dir.path(), QStringLiteral("Yomari")});
        main.Form_Load();
        main.findChild<QRadioButton*>(QStringLiteral("optInput5"))->setChecked(true);
        main.findChild<QPushButton*>(QStringLiteral("cmdInputSerch0"))->click();
        dialog = main.Serch();
    }
    QTemporaryDir dir;
    frmMain main;
    frmSerch* dialog = nullptr;
};

Program& Shared()
{
    static Program program;
    return program;
}

void Search(benchmark::State& state, const QString& pattern)
{
    frmSerch* d = Shared().dialog;
    // The dialog's controls are its own; found by name, as the tests do.
    d->findChild<QLineEdit*>(QStringLiteral("txtSerch"))->setText(pattern);
    const auto* matches = d->findChild<QListWidget*>(QStringLiteral("lstMatch"));
    QPushButton* search = d->findChild<QPushButton*>(QStringLiteral("cmdSearch"));
    for (auto _ : state) {
        search->click();
        benchmark::DoNotOptimize(matches->count());
    }
}

void BM_SearchTyped(benchmark::State& state)
{
    Search(state, QStringLiteral("けい*"));
}
BENCHMARK(BM_SearchTyped)->Unit(benchmark::kMicrosecond);

void BM_SearchPastedBrackets(benchmark::State& state)
{
    Search(state, QString(state.range(0), QLatin1Char('[')));
}
BENCHMARK(BM_SearchPastedBrackets)->Arg(5000)->Arg(32000)->Unit(benchmark::kMillisecond)->MinTime(0.5);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
