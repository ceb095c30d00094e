// The main window's controls and their places: designed in twips, then
// widened for the font in use, the era names and TextLenMax digits.
#include "ui/main/frmMain.h"
#include "ui/main/ResultLine.h"

#include "app/OptionGroupFocus.h"
#include "app/TextFit.h"
#include "app/Twips.h"
#include "app/YearBox.h"
#include "help/HlpDlg.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

using yomari::twips::Rect;
using namespace yomari::mainwindow;

void frmMain::CreateControls()
{
    setFixedSize(yomari::twips::ToPixels(6015), yomari::twips::ToPixels(5115));

    frameCalMode = new QGroupBox(QStringLiteral("計算モード(&M)"), this);
    frameCalMode->setGeometry(Rect(240, 120, 5295, 735));
    const char* const modeCaptions[] = {"西暦->元号", "元号変換", "年齢計算", "生年計算"};
    const int modeLeft[] = {1320, 120, 2760, 4080};
    const int modeWidth[] = {1215, 1095, 1095, 1095};
    for (int i = 0; i < 4; ++i) {
        optCalMode[i] = new QRadioButton(QString::fromUtf8(modeCaptions[i]), frameCalMode);
        optCalMode[i]->setGeometry(Rect(modeLeft[i], 240, modeWidth[i], 375));
        optCalMode[i]->installEventFilter(this);
    }
    optCalMode[1]->setChecked(true);
    OptionGroupFocus::Install(frameCalMode, QList<QRadioButton*>(optCalMode.begin(), optCalMode.end()));

    Label2 = new QLabel(QStringLiteral("入力(&I)"), this);
    Label2->setGeometry(Rect(240, 960, 600, 255));
    lblInput[0] = new QLabel(this);
    lblInput[0]->setGeometry(Rect(840, 960, 480, 255));
    lblInput[1] = new QLabel(this);
    lblInput[1]->setGeometry(Rect(1920, 960, 360, 255));
    Label1 = new QLabel(QStringLiteral("→"), this);
    Label1->setGeometry(Rect(2280, 960, 240, 255));
    lblOutput[0] = new QLabel(this);
    lblOutput[0]->setGeometry(Rect(2520, 960, 375, 375));
    lblOutput[0]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblOutput[2] = new QLabel(this);
    lblOutput[2]->setGeometry(Rect(3600, 960, 480, 255));
    lblOutput[4] = new QLabel(this);
    lblOutput[4]->setGeometry(Rect(4680, 960, 840, 255));

    for (int i = 0; i < 2; ++i) {
        txtInput[i] = new QLineEdit(this);
        txtOutput[i] = new QLineEdit(this);
        // Years are digits only: the key filter decides typed keys, the
        // year box what is pasted or comes through the input method.
        yomari::app::YearBox::Guard(txtInput[i]);
        txtInput[i]->installEventFilter(this);
        // Results can be selected and copied, never edited.
        txtOutput[i]->setReadOnly(true);
    }
    txtInput[0]->setGeometry(Rect(1320, 960, 495, 270));
    txtOutput[0]->setGeometry(Rect(3000, 960, 495, 270));
    txtInput[1]->setGeometry(Rect(3000, 960, 495, 270));
    txtOutput[1]->setGeometry(Rect(4080, 960, 495, 270));
    Label2->setBuddy(txtInput[0]);

    const int rowLeft[] = {240, 840, 1800, 2520};
    for (int g = 0; g < 2; ++g) {
        lblLastYear[g] = new QLabel(QStringLiteral("最終年"), this);
        lblLastYear[g]->setGeometry(Rect(rowLeft[g * 2], 1320, 600, 255));
        lblGenlast[g] = new QLabel(this);
        lblGenlast[g]->setGeometry(Rect(rowLeft[g * 2 + 1], 1320, 720, 255));
    }
    Label3 = new QLabel(QStringLiteral("南北朝時代設定 ："), this);
    Label3->setGeometry(Rect(3240, 1320, 1440, 255));
    lblNanBoku = new QLabel(QStringLiteral("北朝"), this);
    lblNanBoku->setGeometry(Rect(4680, 1320, 600, 255));

    const char* const eraCaptions[] = {"西暦", "平成", "昭和", "大正", "明治", "明治以前"};
    const int buttonTop[] = {240, 600, 960, 1320, 1680, 2040};
    const char* const serchCaptions[] = {"検索(&F)", "検索(&G)"};
    for (int g = 0; g < 2; ++g) {
        frameInput[g] = new QGroupBox(this);
        frameInput[g]->setGeometry(Rect(g == 0 ? 240 : 1800, 1560, 1335, 3375));
        for (int j = 0; j < 6; ++j) {
            QRadioButton* b = new QRadioButton(QString::fromUtf8(eraCaptions[j]), frameInput[g]);
            b->setGeometry(Rect(120, buttonTop[j], 1095, 255));
            optInput[g * 6 + j] = b;
        }
        cmbInput[g] = new QComboBox(frameInput[g]);
        cmbInput[g]->setGeometry(Rect(120, 2400, 1095, 300));
        cmbInput[g]->setMaxVisibleItems(20);
        cmdInputSerch[g] = new QPushButton(QString::fromUtf8(serchCaptions[g]), frameInput[g]);
        cmdInputSerch[g]->setGeometry(Rect(120, 2880, 1095, 375));
        cmdInputSerch[g]->setAutoDefault(true);
    }
    optInput[2]->setChecked(true);
    optInput[6]->setChecked(true);
    for (int g = 0; g < 2; ++g)
        OptionGroupFocus::Install(
            frameInput[g], QList<QRadioButton*>(optInput.begin() + g * 6, optInput.begin() + g * 6 + 6));

    lblOtherEra = new QLabel(this);
    lblOtherEra->setGeometry(Rect(240, 1320, 2880, 255));
    lblOtherEra->setVisible(false);

    lblWarning = new QLabel(this);
    lblWarning->setGeometry(Rect(3240, 1680, 2535, 1335));
    lblWarning->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblWarning->setWordWrap(true);

    const auto button = [this](const char* caption, int l, int t, int w) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setGeometry(Rect(l, t, w, 375));
        // Enter on a focused button presses it, as Space does.
        b->setAutoDefault(true);
        return b;
    };
    cmdTable = button("早見表(&T)", 3240, 2640, 1215);
    cmdDates = button("日付変換(&D)", 4560, 2640, 1215);
    cmdCal = button("計算(&R)", 3240, 3120, 2535);
    cmdCopy = button("コピー(&C)", 3240, 3600, 1215);
    cmdClear = button("クリア(&L)", 4560, 3600, 1215);
    cmdOption = button("オプション(&O)", 3240, 4080, 1215);
    cmdHelp = button("ヘルプ(&H)", 4560, 4080, 1215);
    cmdExit = button("終了(&X)", 3240, 4560, 2535);

    HlpDlg1 = new HlpDlg(this);

    NameControls();

    for (QWidget* child : findChildren<QWidget*>())
        m_designed.insert(child, child->geometry());
    m_designedSize = size();
}

void frmMain::NameControls()
{
    // Each control is known by its name here, an array's index appended
    // ("txtInput0"), as tests and accessibility tools find it.
    const auto name = [](QObject* control, const char* text) { control->setObjectName(QLatin1String(text)); };
    const auto names = [](const auto& controls, const char* text) {
        for (size_t i = 0; i < controls.size(); ++i)
            if (controls[i])
                controls[i]->setObjectName(QLatin1String(text) + QString::number(i));
    };
    name(frameCalMode, "frameCalMode");
    names(optCalMode, "optCalMode");
    name(Label1, "Label1");
    name(Label2, "Label2");
    name(Label3, "Label3");
    names(txtInput, "txtInput");
    names(txtOutput, "txtOutput");
    names(lblInput, "lblInput");
    names(lblOutput, "lblOutput");
    names(frameInput, "frameInput");
    names(optInput, "optInput");
    names(cmbInput, "cmbInput");
    names(cmdInputSerch, "cmdInputSerch");
    names(lblLastYear, "lblLastYear");
    names(lblGenlast, "lblGenlast");
    name(lblNanBoku, "lblNanBoku");
    name(lblWarning, "lblWarning");
    name(lblOtherEra, "lblOtherEra");
    name(cmdTable, "cmdTable");
    name(cmdDates, "cmdDates");
    name(cmdCal, "cmdCal");
    name(cmdCopy, "cmdCopy");
    name(cmdClear, "cmdClear");
    name(cmdOption, "cmdOption");
    name(cmdHelp, "cmdHelp");
    name(cmdExit, "cmdExit");
    name(HlpDlg1, "HlpDlg1");
}

void frmMain::ArrangeWindow()
{
    // The result line: each control as wide as its longest text or TextLenMax
    // digits, the ones after it moved along by what it grew.
    const int yearBox = yomari::fit::LineEditWidth(txtInput[0], m_options.TextLenMax());
    QStringList eras{QStringLiteral("西暦")};
    if (m_CYomari)
        for (int32_t j = 1; j <= m_CYomari->NumberOfGengo(); ++j)
            eras << QString::fromStdString(m_CYomari->Gengo(j));
    // The era names fill the result's label and both lists: their characters
    // are measured once for all three.
    yomari::fit::CharacterWidths eraWidths(lblOutput[0]->font());
    // An era name the size of a page would push the window off the screen.
    const int eraLabel = std::min(yomari::fit::LabelWidth(lblOutput[0], eras, eraWidths),
                                  QFontMetrics(lblOutput[0]->font()).horizontalAdvance(QChar(u'元')) * 12);
    const std::pair<QWidget*, int> line[] = {
        {Label2, yomari::fit::LabelWidth(Label2, {Label2->text()})},
        {lblInput[0], yomari::fit::LabelWidth(lblInput[0], ResultLineTexts(&ResultLineRow::in0))},
        {txtInput[0], yearBox},
        {lblInput[1], yomari::fit::LabelWidth(lblInput[1], ResultLineTexts(&ResultLineRow::in1))},
        {Label1, yomari::fit::LabelWidth(Label1, {Label1->text()})},
        {lblOutput[0], eraLabel},
        {txtOutput[0], yearBox},
        {lblOutput[2], yomari::fit::LabelWidth(lblOutput[2], ResultLineTexts(&ResultLineRow::out2))},
        {txtOutput[1], yearBox},
        {lblOutput[4], yomari::fit::LabelWidth(lblOutput[4], ResultLineTexts(&ResultLineRow::out4))},
    };
    int shift = 0;
    int lineEnd = 0;
    // A caption keeps a visible gap to what follows it ("入力(I)" before "今年").
    const int gap = yomari::twips::ToPixels(60);
    for (const auto& [control, needed] : line) {
        const QRect designed = m_designed.value(control);
        const int width = std::max(designed.width(), qobject_cast<QLabel*>(control) ? needed + gap : needed);
        control->setGeometry(designed.x() + shift, designed.y(), width, designed.height());
        shift += width - designed.width();
        lineEnd = control->x() + needed;
    }
    // The second year box stands where the first result box does.
    txtInput[1]->setGeometry(txtOutput[0]->geometry());

    // The era groups: each list as wide as its longest era name, the frame
    // around it and everything to its right moved along.
    const int frameMargin = yomari::twips::ToPixels(60);
    int groupShift = 0;
    for (int g = 0; g < 2; ++g) {
        const QRect list = m_designed.value(cmbInput[g]);
        const int listWidth = std::max(list.width(), yomari::fit::ComboWidth(cmbInput[g], eraWidths));
        cmbInput[g]->resize(listWidth, list.height());
        const QRect frame = m_designed.value(frameInput[g]);
        const int frameWidth = std::max(frame.width(), list.x() + listWidth + frameMargin);
        frameInput[g]->setGeometry(frame.x() + groupShift, frame.y(), frameWidth, frame.height());
        if (g == 1) {
            for (QWidget* w : {static_cast<QWidget*>(lblLastYear[1]), static_cast<QWidget*>(lblGenlast[1])})
                w->move(m_designed.value(w).topLeft() + QPoint(groupShift, 0));
        }
        groupShift += frameWidth - frame.width();
    }
    int right = 0;
    for (QWidget* w :
         {static_cast<QWidget*>(Label3), static_cast<QWidget*>(lblNanBoku), static_cast<QWidget*>(lblWarning),
          static_cast<QWidget*>(cmdTable), static_cast<QWidget*>(cmdDates), static_cast<QWidget*>(cmdCal),
          static_cast<QWidget*>(cmdCopy), static_cast<QWidget*>(cmdClear), static_cast<QWidget*>(cmdOption),
          static_cast<QWidget*>(cmdHelp), static_cast<QWidget*>(cmdExit)}) {
        w->move(m_designed.value(w).topLeft() + QPoint(groupShift, 0));
        right = std::max(right, w->geometry().right() + 1);
    }

    // The court line's caption and, after it, the court in use.
    const int designedCaption = m_designed.value(Label3).width();
    const int captionWidth = std::max(designedCaption, yomari::fit::LabelWidth(Label3, {Label3->text()}) +
                                                           yomari::twips::ToPixels(60));
    const int captionGrowth = captionWidth - designedCaption;
    Label3->resize(captionWidth, Label3->height());
    lblNanBoku->move(lblNanBoku->pos() + QPoint(captionGrowth, 0));
    right = std::max(right, lblNanBoku->x() + yomari::fit::LabelWidth(lblNanBoku, {QStringLiteral("北朝"),
                                                                                   QStringLiteral("南朝")}));

    const int margin = yomari::twips::ToPixels(240);
    const int width = std::max({m_designedSize.width(), lineEnd + margin, right + margin});
    setFixedSize(width, m_designedSize.height());
}

void frmMain::SetTabOrder()
{
    // The right column top down: 早見表 and 日付変換 side by side above 計算.
    QList<QWidget*> order{txtInput[0],   txtInput[1],   optCalMode[1], optCalMode[0],
                          optCalMode[2], optCalMode[3], cmdTable,      cmdDates,
                          cmdCal,        cmdCopy,       cmdClear};
    for (int g = 0; g < 2; ++g) {
        for (int j = 0; j < 6; ++j)
            order << optInput[g * 6 + j];
        order << cmbInput[g] << cmdInputSerch[g];
    }
    order << cmdOption << cmdHelp << cmdExit << txtOutput[0] << txtOutput[1];
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void frmMain::ArrangeWarning()
{
    // The tables' and dates' buttons share the warnings' space: the warning ends above
    // it, and a warning that needs the lines it covers takes them while it
    // is shown, the button stepping aside.
    const int top = yomari::twips::ToPixels(1680);
    const int shortHeight = cmdTable->y() - top - yomari::twips::ToPixels(60);
    const int fullHeight = yomari::twips::ToPixels(1335);
    const bool fits =
        lblWarning->text().isEmpty() || lblWarning->heightForWidth(lblWarning->width()) <= shortHeight;
    lblWarning->resize(lblWarning->width(), fits ? shortHeight : fullHeight);
    cmdTable->setVisible(fits);
    cmdDates->setVisible(fits);
}
