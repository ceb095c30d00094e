// The main window's settings file: read at start-up (with one message for
// what could not be used), written at exit.
#include "ui/main/frmMain.h"

#include "app/SettingsLocation.h"
#include "app/basYomari.h"
#include "ui/simple/frmADGen.h"

#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

void frmMain::ApplyDefaultSettings()
{
    const yomari::settings::Values defaults;
    for (int g = 0; g < 2; ++g) {
        cmbInput[g]->setEnabled(false);
        cmdInputSerch[g]->setEnabled(false);
    }
    ApplyStoredOptions(defaults);
}

void frmMain::PlaceWindows(const yomari::settings::ReadResult& stored)
{
    // A window whose position could not be read starts centred, as on a
    // first start; one read off the screen is brought back.
    const auto place = [](QWidget* window, bool known, int left, int top) {
        if (!known) {
            basYomari::CenterForm(window);
            return;
        }
        basYomari::RestorePosition(window, left, top);
    };
    using yomari::settings::Slot;
    const bool ok = stored.status == yomari::settings::ReadResult::Status::Ok;
    const yomari::settings::Values& v = stored.values;
    place(this, ok && stored.Has(Slot::kTop) && stored.Has(Slot::kLeft), v.left, v.top);
    m_adGenStart.placed = ok && stored.Has(Slot::kADGenTop) && stored.Has(Slot::kADGenLeft);
    m_adGenStart.left = v.adGenLeft;
    m_adGenStart.top = v.adGenTop;
    if (m_adGen)
        PlaceSimpleWindow();
}

void frmMain::PlaceSimpleWindow()
{
    if (m_adGenStart.placed)
        basYomari::RestorePosition(m_adGen.get(), m_adGenStart.left, m_adGenStart.top);
    else
        basYomari::CenterForm(m_adGen.get());
}

void frmMain::ApplyStoredOptions(const yomari::settings::Values& v)
{
    m_storedCalcMode = v.calcMode;
    m_options.Apply(v);
    m_adGenStart.selectedGengo = v.selectedGengo;
    if (m_adGen)
        m_adGen->SetSelectedGengo(v.selectedGengo);
}

void frmMain::ShowSettingsProblems(const yomari::settings::ReadResult& stored)
{
    using yomari::settings::ReadResult;
    const QString file = yomari::app::FindSettings().readFrom;
    QString what;
    if (stored.status == ReadResult::Status::Unreadable) {
        what = QStringLiteral("設定ファイル %1 を読み込めません。(%2)\n既定の設定で起動します。")
                   .arg(file, stored.fileError);
    } else if (!stored.problems.isEmpty()) {
        what = QStringLiteral("設定ファイル %1 の次の値を読み込めません。この値には既定の設定を使います。")
                   .arg(file);
        auto problems = stored.problems;
        std::sort(problems.begin(), problems.end(),
                  [](const auto& a, const auto& b) { return a.line < b.line; });
        for (const auto& p : problems)
            what += QStringLiteral("\n%1 行目の値「%2」").arg(p.line).arg(p.value);
    } else {
        return;
    }
    QMessageBox::warning(this, basYomari::AppTitle(), what);
}

void frmMain::ReadIni(std::array<int32_t, 4>& indices, yomari::settings::ReadResult& stored)
{
    using yomari::settings::ReadResult;
    const yomari::app::SettingsLocation location = yomari::app::FindSettings();
    yomari::settings::RemoveStaleTemporaries(location.file);
    stored = yomari::settings::Read(location.readFrom);
    if (stored.status != ReadResult::Status::Ok) {
        ApplyDefaultSettings();
        return;
    }
    const yomari::settings::Values& v = stored.values;
    indices = {v.inputIndex, v.outputIndex, v.inputBeforeMeijiIndex, v.outputBeforeMeijiIndex};
    ApplyStoredOptions(v);
}

void frmMain::PrintIni()
{
    yomari::settings::Snapshot s;
    s.values.top = basYomari::TopTwips(this);
    s.values.left = basYomari::LeftTwips(this);
    for (int i = 0; i < 4; ++i)
        if (optCalMode[i]->isChecked())
            s.selectedCalcModes << i;
    for (int i = 0; i < 12; ++i)
        if (optInput[i]->isChecked())
            s.selectedEraButtons << i;
    s.values.inputBeforeMeijiIndex = cmbInput[0]->currentIndex();
    s.values.outputBeforeMeijiIndex = cmbInput[1]->currentIndex();
    m_options.Store(s.values);
    {
        frmADGen& simple = ADGen(); // made now if it never opened
        s.values.adGenTop = basYomari::TopTwips(&simple);
        s.values.adGenLeft = basYomari::LeftTwips(&simple);
        s.values.selectedGengo = static_cast<int16_t>(simple.SelectedGengo());
    }
    const QString fileName = yomari::app::SettingsFileForWriting();
    const QString error = yomari::settings::Write(fileName, yomari::settings::Format(s));
    if (!error.isEmpty())
        throw yomari::YomariError(
            yomari::ErrorNumber::FileAccessError, basYomari::AppBaseName().toStdString(),
            ("設定ファイルを書き込めません。(" + fileName + ": " + error + ")").toStdString());
}
