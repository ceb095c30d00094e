#include "ui/search/frmSerch.h"

#include "ui/search/JidaiData.h"
#include "ui/search/LikePattern.h"
#include "app/TextFit.h"
#include "app/Twips.h"
#include "app/AppEnvironment.h"
#include "app/basYomari.h"
#include "app/AppOptions.h"
#include "engine/CYomari.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

using yomari::twips::Rect;

namespace {

QString SelectedText(const QListWidget* list)
{
    const QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

} // namespace

frmSerch::frmSerch(QWidget* owner, const yomari::CYomari& engine, const AppOptions& options,
                   int32_t modernEraCount)
    : QDialog(owner)
    , m_engine(engine)
    , m_options(options)
    , m_modernEraCount(modernEraCount)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setObjectName(QStringLiteral("frmSerch"));
    setWindowTitle(QStringLiteral("元号\u3000検索"));
    CreateControls();
    SetTabOrder();
    ConnectHandlers();
}

frmSerch::~frmSerch() = default;

QString frmSerch::SerchHelpText()
{
    return QStringLiteral("●全ひらがな、または全漢字で入力して下さい。") + QChar(u'\r') +
           QStringLiteral("●ワイルドカードが使用できます");
}

// ---- controls ---------------------------------------------------------------

void frmSerch::CreateControls()
{
    setFixedSize(yomari::twips::ToPixels(2820), yomari::twips::ToPixels(3360));

    const auto button = [this](const char* name, const QString& caption, int top) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(Rect(1680, top, 975, 375));
        // No default button: Enter presses only the button that has the focus.
        b->setAutoDefault(false);
        return b;
    };

    txtSerch = new QLineEdit(this);
    txtSerch->setObjectName(QStringLiteral("txtSerch"));
    txtSerch->setGeometry(Rect(120, 600, 1335, 375));
    // Readings are typed in hiragana: keep the input method on. Which mode it
    // starts in is the platform's choice; Qt cannot ask for hiragana.
    txtSerch->setAttribute(Qt::WA_InputMethodEnabled, true);
    cmdSearch = button("cmdSearch", QStringLiteral("検索(&F)"), 600);
    lstMatch = new QListWidget(this);
    lstMatch->setObjectName(QStringLiteral("lstMatch"));
    lstMatch->setGeometry(Rect(120, 1080, 1335, 1320));
    lstMatch->setSelectionMode(QAbstractItemView::SingleSelection);
    cmdOK = button("cmdOK", QStringLiteral("&OK"), 1080);
    cmdSerchClear = button("cmdSerchClear", QStringLiteral("クリア(&L)"), 1560);
    Label1 = new QLabel(QStringLiteral("時代(&N) ："), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(Rect(120, 120, 975, 255));
    cmbJidai = new QComboBox(this);
    cmbJidai->setObjectName(QStringLiteral("cmbJidai"));
    // Clear of the caption's last character, "：".
    cmbJidai->setGeometry(Rect(1080, 120, 1575, 300));
    Label1->setBuddy(cmbJidai);
    cmdCancel = button("cmdCancel", QStringLiteral("Cancel"), 2040);
    lblSerchHelp = new QLabel(this);
    lblSerchHelp->setObjectName(QStringLiteral("lblSerchHelp"));
    lblSerchHelp->setGeometry(Rect(120, 2520, 2535, 615));
    lblSerchHelp->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblSerchHelp->setWordWrap(true);
    lstDummy = new QListWidget(this);
    lstDummy->setObjectName(QStringLiteral("lstDummy"));
    lstDummy->setGeometry(Rect(600, 1440, 1095, 600));
    lstDummy->setFocusPolicy(Qt::NoFocus);
    lstDummy->setVisible(false);
}

void frmSerch::SetTabOrder()
{
    const QList<QWidget*> order{txtSerch, cmdSearch, lstMatch, cmdOK, cmdSerchClear, cmbJidai, cmdCancel};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void frmSerch::ConnectHandlers()
{
    connect(cmbJidai, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            cmbJidai_Click();
    });
    connect(cmdSearch, &QPushButton::clicked, this, &frmSerch::cmdSearch_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmSerch::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSerch::cmdCancel_Click);
    connect(cmdSerchClear, &QPushButton::clicked, this, &frmSerch::cmdSerchClear_Click);
    connect(lstMatch, &QListWidget::itemClicked, this, &frmSerch::lstMatch_Click);
}

// ---- loading ------------------------------------------------------------------

void frmSerch::Form_Load()
{
    basYomari::MoveTwips(this, basYomari::LeftTwips(parentWidget()) + 200,
                         basYomari::TopTwips(parentWidget()) + 200);
    LoadJidaiData();
    SetJidaiList();
    ShowHint(QString());
    FitPeriodBox();
    FitSerchHelp();
}

void frmSerch::Open(int group)
{
    m_group = group;
    setWindowTitle(QStringLiteral("元号検索(第") + QString::number(group + 1) + QStringLiteral("入力)"));
    show();
    raise();
    activateWindow();
}

void frmSerch::FitPeriodBox()
{
    // A long period name ("南北朝時代(北朝)") needs a wider box than the
    // design gives; the dialog grows to the right by as much, its buttons
    // moving along and the search box, the list and the hint widening.
    // The hint, too, may need a little more so as not to break off its last
    // character onto a line of its own.
    const int grow = std::max(yomari::fit::ComboWidth(cmbJidai) - cmbJidai->width(),
                              yomari::fit::WrapWidth(lblSerchHelp) - lblSerchHelp->width());
    if (grow <= 0)
        return;
    for (QWidget* w : {static_cast<QWidget*>(cmbJidai), static_cast<QWidget*>(txtSerch),
                       static_cast<QWidget*>(lstMatch), static_cast<QWidget*>(lblSerchHelp)})
        w->resize(w->width() + grow, w->height());
    for (QPushButton* b : {cmdSearch, cmdOK, cmdSerchClear, cmdCancel})
        b->move(b->x() + grow, b->y());
    setFixedWidth(width() + grow);
}

void frmSerch::FitSerchHelp()
{
    // With wider fonts the hint wraps into more lines than its box holds: let
    // it grow downwards, and the dialog with it, rather than cut the text.
    const int needed = lblSerchHelp->heightForWidth(lblSerchHelp->width());
    if (needed <= lblSerchHelp->height())
        return;
    lblSerchHelp->resize(lblSerchHelp->width(), needed);
    const int bottom = lblSerchHelp->geometry().bottom() + 1 + yomari::twips::ToPixels(225);
    if (bottom > height())
        setFixedHeight(bottom);
}

void frmSerch::LoadJidaiData()
{
    JidaiName.clear();
    JidaiFirst.clear();
    JidaiLast.clear();
    m_jidaiAvailable = false;
    const yomari::EngineEnvironment env = yomari::app::MakeEngineEnvironment();
    QString fileName = QString::fromStdString(env.DataFile(".daj"));
    QString problem;
    try {
        const auto records = env.ReadDataFile(".daj", [&](const std::string& file) {
            fileName = QString::fromStdString(file);
            return yomari::ReadJidaiFile(fileName, env.baseName);
        });
        for (const yomari::JidaiRecord& r : records) {
            JidaiName << r.name;
            JidaiFirst << r.first;
            JidaiLast << r.last;
        }
        if (JidaiName.isEmpty())
            problem = QStringLiteral("時代データがありません。(%1)").arg(fileName);
    } catch (const yomari::YomariError& error) {
        problem = QString::fromStdString(error.Description());
    }
    m_jidaiAvailable = problem.isEmpty();
    if (!m_jidaiAvailable)
        QMessageBox::warning(parentWidget(), basYomari::AppTitle(),
                             QStringLiteral("時代データファイルを読み込めません。\n%1\n\n"
                                            "時代を選ばずに、すべての元号から検索します。")
                                 .arg(problem));
}

void frmSerch::SetJidaiList()
{
    // Without a Northern/Southern record no period is hidden; the file's
    // first two records are not taken for the pair.
    NanbokuIndex = -1;
    for (qsizetype i = 0; i < JidaiName.size(); ++i) {
        if (JidaiName[i].contains(QStringLiteral("南北"))) {
            NanbokuIndex = static_cast<int32_t>(i);
            break;
        }
    }
    const int32_t mode = m_options.NanBokuMode();
    {
        const QSignalBlocker blocker(cmbJidai);
        cmbJidai->clear();
        for (qsizetype i = 0; i < JidaiName.size(); ++i) {
            if (NanbokuIndex >= 0 && i == NanbokuIndex && mode != 0)
                continue;
            if (NanbokuIndex >= 0 && i == NanbokuIndex + 1 && mode != 1)
                continue;
            cmbJidai->addItem(JidaiName[i]);
        }
        cmbJidai->setCurrentIndex(0);
    }
    cmbJidai->setEnabled(m_jidaiAvailable);
    cmbJidai_Click();
}

int32_t frmSerch::JidaiRecordIndex(int32_t listIndex) const
{
    int32_t r = listIndex;
    if (NanbokuIndex >= 0) {
        const int32_t mode = m_options.NanBokuMode();
        if (mode == 0)
            r = listIndex <= NanbokuIndex ? listIndex : listIndex + 1;
        else if (mode == 1)
            r = listIndex < NanbokuIndex ? listIndex : listIndex + 1;
        else
            r = 0;
    }
    if (r < 0)
        r = 0;
    return r < JidaiName.size() ? r : -1;
}

// ---- period and search --------------------------------------------------------

void frmSerch::AddEra(const QString& name)
{
    lstMatch->addItem(name);
    lstDummy->addItem(name);
}

void frmSerch::cmbJidai_Click()
{
    lstMatch->clear();
    lstDummy->clear();
    // The eras before the modern ones, from the oldest.
    QStringList eras;
    for (int32_t i = m_engine.NumberOfGengo(); i > m_modernEraCount; --i)
        eras << QString::fromStdString(m_engine.Gengo(i));
    if (!m_jidaiAvailable) {
        for (const QString& era : eras)
            AddEra(era);
        return;
    }
    const int32_t r = JidaiRecordIndex(cmbJidai->currentIndex());
    if (r < 0)
        return;
    bool inside = false;
    for (const QString& item : eras) {
        if (item == JidaiFirst[r])
            inside = true;
        if (inside)
            AddEra(item);
        if (item == JidaiLast[r])
            inside = false;
    }
}

QString frmSerch::AsHiragana(QString text)
{
    // Katakana ァ..ヶ sit 0x60 above their hiragana; ー and the rest stay.
    for (QChar& c : text)
        if (c >= QChar(0x30A1) && c <= QChar(0x30F6))
            c = QChar(c.unicode() - 0x60);
    return text;
}

void frmSerch::cmdSearch_Click()
{
    // The eras with buttons of their own are not searched.
    const int32_t first = m_modernEraCount;
    lstMatch->clear();
    ShowHint(QString());
    const yomari::CYomari& engine = m_engine;

    QSet<QString> period;
    for (int i = 0; i < lstDummy->count(); ++i)
        period.insert(lstDummy->item(i)->text());

    // Read once: a long pasted pattern then costs its length once, not once
    // per era and reading.
    const yomari::LikePattern pattern(AsHiragana(txtSerch->text()));
    int elsewhere = 0;
    for (int32_t i = first + 1; i <= engine.NumberOfGengo(); ++i) {
        const QString name = QString::fromStdString(engine.Gengo(i));
        const QString kana2 = QString::fromStdString(engine.GengoKana2(i));
        const bool matches = pattern.Matches(QString::fromStdString(engine.GengoKana(i))) ||
                             (!kana2.isEmpty() && pattern.Matches(kana2)) || pattern.Matches(name);
        if (matches && period.contains(name))
            lstMatch->addItem(name);
        else if (matches)
            ++elsewhere;
    }
    // An empty list alone looks like a search that did not run.
    if (lstMatch->count() == 0 && !txtSerch->text().isEmpty()) {
        ShowHint(elsewhere > 0
                     ? QStringLiteral("この時代にはありません。\nほかの時代に%1件あります。").arg(elsewhere)
                     : QStringLiteral("一致する元号はありません。"));
    }
}

void frmSerch::ShowHint(const QString& note)
{
    if (note.isEmpty()) {
        QString shown = SerchHelpText();
        // A label breaks lines only at LF; the caption keeps its CR otherwise.
        shown.replace(QChar(u'\r'), QChar(u'\n'));
        lblSerchHelp->setText(shown);
    } else {
        lblSerchHelp->setText(note);
    }
}

// ---- choosing -----------------------------------------------------------------

bool frmSerch::ChkInput()
{
    if (!SelectedText(lstMatch).isEmpty())
        return true;
    if (!txtSerch->text().isEmpty())
        lstMatch->setFocus();
    else
        txtSerch->setFocus();
    return false;
}

void frmSerch::cmdOK_Click()
{
    if (!ChkInput())
        return;
    if (m_group >= 0)
        emit EraChosen(m_group, SelectedText(lstMatch));
    Unload();
}

void frmSerch::cmdCancel_Click()
{
    m_group = -1;
    Unload();
}

void frmSerch::cmdSerchClear_Click()
{
    txtSerch->clear();
    lstMatch->clear();
    ShowHint(QString());
    // Back to the first period; refill even when it is already chosen.
    if (cmbJidai->currentIndex() == 0 || cmbJidai->count() == 0)
        cmbJidai_Click();
    else
        cmbJidai->setCurrentIndex(0);
    txtSerch->setFocus();
}

void frmSerch::lstMatch_Click()
{
    ChkInput();
}

// ---- closing ------------------------------------------------------------------

void frmSerch::Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    close();
}

void frmSerch::reject()
{
    cmdCancel_Click();
}

void frmSerch::closeEvent(QCloseEvent* event)
{
    // Closing never asks anything; QDialog's own handling would go through
    // reject() and forget the group.
    m_unloaded = true;
    event->accept();
}

void frmSerch::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !(event->modifiers() & ~Qt::KeypadModifier)) {
        // Enter in the search box searches, as its button does.
        if (focusWidget() == txtSerch) {
            cmdSearch->click();
            return;
        }
        if (auto* b = qobject_cast<QPushButton*>(focusWidget()))
            b->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
