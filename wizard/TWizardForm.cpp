#include "TWizardForm.h"

#include "help/HelpKey.h"

#include "AnswerReader.h"
#include "ClickableLabel.h"
#include "PageBuilder.h"
#include "RichLabel.h"
#include "TWizardData.h"
#include "WizardHelp.h"
#include "WizardPages.h"
#include "rules/PageFlow.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace ergotab {

namespace {

constexpr int ClientWidth = 554;
constexpr int ClientHeight = 346;
constexpr int ButtonBarHeight = 41;

struct PageSheet
{
    const char16_t *sheet;
    void (*build)(PageBuilder &);
};

// In page order; the sheet names are those of the form design.
constexpr PageSheet kSheets[WizardPageCount] = {
    {u"TabSheet1", buildUvodPage},   {u"TabSheet2", buildPrachPage},  {u"TabSheet3", buildChemPage},
    {u"TabSheet21", buildChem1Page}, {u"TabSheet4", buildHlukPage},   {u"TabSheet5", buildVibrPage},
    {u"TabSheet22", buildVibr1Page}, {u"TabSheet23", buildVibr2Page}, {u"TabSheet6", buildNeionPage},
    {u"TabSheet8", buildFyz1Page},   {u"TabSheet9", buildFyz2Page},   {u"TabSheet10", buildFyz3Page},
    {u"TabSheet11", buildFyz4Page},  {u"TabSheet12", buildPol1Page},  {u"TabSheet15", buildTeploPage},
    {u"TabSheet16", buildChladPage}, {u"TabSheet17", buildPsychPage}, {u"TabSheet18", buildZrakPage},
    {u"TabSheet19", buildBioPage},   {u"TabSheet7", buildTlakPage},   {u"TabSheet20", buildZaverPage},
};

// Each presence list and the panel it shows while it reads "Ano".
constexpr std::pair<const char16_t *, const char16_t *> kPresencePanels[] = {
    {u"PrachComboBox", u"PrachPanel"},
    {u"ChemComboBox", u"ChemPanel"},
    {u"HlukComboBox", u"HlukPanel"},
    {u"VibraComboBox", u"VibraPanel"},
    {u"NeionComboBox", u"NeionPanel"},
    {u"FyzMainComboBox", u"FyzMainPanel"},
    {u"Fyz1ComboBox", u"FyzPanel"},
    {u"FyzMalComboBox", u"FyzMalPanel"},
    {u"FyzStatComboBox", u"FyzStatPanel"},
    {u"FyzBremComboBox", u"FyzBremPanel"},
    {u"PracPolohaComboBox", u"PracPolohaPanel"},
    {u"TeploComboBox", u"TeploPanel"},
    {u"ChladComboBox", u"ChladPanel"},
    {u"PsychiComboBox", u"PsychiPanel"},
    {u"ZrakComboBox", u"ZrakPanel"},
    {u"BioComboBox", u"BioPanel"},
    {u"TlakComboBox", u"TlakPanel"},
};

// Labels that stand for the answer beside them: a click chooses a radio button or toggles a
// check box, exactly as a click on the button itself would.
constexpr std::pair<const char16_t *, const char16_t *> kLabelTargets[] = {
    {u"ZLabel1", u"RadioButton13"},    {u"ZLabel2", u"RadioButton14"},    {u"ZLabel3", u"RadioButton15"},
    {u"ZLabel4", u"RadioButton82"},    {u"ZLabel5", u"RadioButton83"},    {u"ZLabel6", u"RadioButton84"},
    {u"ZLabel7", u"RadioButton87"},    {u"ZLabel8", u"RadioButton88"},    {u"ZLabel9", u"RadioButton89"},
    {u"ZLabel10", u"CheckBox17"},      {u"ZLabel11", u"CheckBox18"},      {u"ZLabel12", u"CheckBox19"},
    {u"ZLabel14", u"RadioButton31"},   {u"ZLabel15", u"RadioButton32"},   {u"ZLabel17", u"RadioButton36"},
    {u"ZLabel18", u"RadioButton37"},   {u"ZLabel19", u"CheckBox2"},       {u"JvHTLabel1", u"RadioButton48"},
    {u"JvHTLabel2", u"RadioButton49"}, {u"JvHTLabel3", u"RadioButton50"}, {u"Label6", u"CheckBox11"},
    {u"Label4", u"CheckBox15"},        {u"Label5", u"CheckBox16"},        {u"Label7", u"CheckBox9"},
};

QString str(const char16_t *s)
{
    return QString::fromUtf16(s);
}

} // namespace

TWizardForm::TWizardForm(QWidget *parent, DocumentEditing *editing, const TWizardData *pictures)
    : QDialog(parent)
    , m_editing(editing)
    , m_pictures(pictures)
    , m_openHelp(openWizardHelp)
{
    if (!m_pictures) {
        m_ownPictures = std::make_unique<TWizardData>();
        m_pictures = m_ownPictures.get();
    }
    setObjectName(QStringLiteral("WizardForm"));
    // F1 follows the page shown, as the "?" button does.
    installHelpKey(this, pageHelpContext(0));
    setWindowTitle(QStringLiteral("Průvodce hodnocením pracoviště"));
    buildWindow();
    buildPages();
    m_reader = std::make_unique<AnswerReader>(this, m_groups);
    connectAnswers();
    connectLabelClicks();
}

TWizardForm::~TWizardForm() = default;

void TWizardForm::buildWindow()
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto *top = new QHBoxLayout;
    top->setSpacing(0);
    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedWidth(TWizardData::PictureWidth);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setAutoFillBackground(true);
    top->addWidget(Image1);
    PageControl1 = new QStackedWidget;
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    top->addWidget(PageControl1, 1);
    column->addLayout(top, 1);

    auto *bar = new QWidget;
    bar->setObjectName(QStringLiteral("ButtonBar"));
    bar->setFixedHeight(ButtonBarHeight);
    auto *buttons = new QHBoxLayout(bar);
    buttons->setContentsMargins(8, 6, 8, 6);
    buttons->setSpacing(6);

    ProgressBar1 = new QProgressBar;
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, WizardPageCount - 1);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFixedWidth(150);
    buttons->addWidget(ProgressBar1);

    ZakonButton = new QPushButton(QStringLiteral("§"));
    ZakonButton->setObjectName(QStringLiteral("ZakonButton"));
    QFont law(QStringLiteral("Arial"));
    law.setBold(true);
    law.setPixelSize(15);
    ZakonButton->setFont(law);
    ZakonButton->setFixedSize(28, 27);
    ZakonButton->setAutoDefault(false);
    buttons->addWidget(ZakonButton);

    SpeedButton1 = new QToolButton;
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setIcon(QIcon(m_pictures->helpIcon()));
    SpeedButton1->setFixedSize(28, 27);
    SpeedButton1->setAutoRaise(true);
    buttons->addWidget(SpeedButton1);
    buttons->addStretch();

    PrevButton = new QPushButton(QStringLiteral("< Předchozí"));
    PrevButton->setObjectName(QStringLiteral("PrevButton"));
    PrevButton->setAutoDefault(false);
    NextButton = new QPushButton(QStringLiteral("Další >"));
    NextButton->setObjectName(QStringLiteral("NextButton"));
    NextButton->setDefault(true);
    StornoButton = new QPushButton(QStringLiteral("Zrušit"));
    StornoButton->setObjectName(QStringLiteral("StornoButton"));
    StornoButton->setAutoDefault(false);
    for (QPushButton *b : {PrevButton, NextButton, StornoButton}) {
        b->setMinimumWidth(80);
        buttons->addWidget(b);
    }
    column->addWidget(bar);

    connect(NextButton, &QPushButton::clicked, this, &TWizardForm::NextButtonClick);
    connect(PrevButton, &QPushButton::clicked, this, &TWizardForm::PrevButtonClick);
    connect(StornoButton, &QPushButton::clicked, this, &TWizardForm::StornoButtonClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TWizardForm::SpeedButton1Click);
    connect(ZakonButton, &QPushButton::clicked, this, &TWizardForm::ZakonButtonClick);
}

void TWizardForm::buildPages()
{
    QSize largest(PageBuilder::DesignPageWidth, PageBuilder::DesignPageHeight);
    static_assert(PageBuilder::DesignPageWidth + TWizardData::PictureWidth == ClientWidth);
    static_assert(PageBuilder::DesignPageHeight + ButtonBarHeight == ClientHeight);
    for (int page = 0; page < WizardPageCount; ++page) {
        auto *sheet = new QWidget;
        sheet->setObjectName(str(kSheets[page].sheet));
        sheet->setWindowTitle(pageKey(page));
        PageBuilder builder(sheet, m_groups);
        kSheets[page].build(builder);
        PageControl1->addWidget(sheet);
    }
    NameEdit = findChild<QLineEdit *>(QStringLiteral("NameEdit"));

    // The pages are laid out for the size of the form design; where this system's fonts need
    // more room, the window grows rather than cut off a text. Measure with every panel shown.
    QList<QWidget *> panels;
    for (const auto &[list, panel] : kPresencePanels)
        panels.append(findChild<QWidget *>(str(panel)));
    for (QWidget *panel : panels)
        panel->setVisible(true);
    for (int page = 0; page < WizardPageCount; ++page) {
        QWidget *sheet = PageControl1->widget(page);
        sheet->layout()->activate();
        largest = largest.expandedTo(sheet->minimumSizeHint()).expandedTo(sheet->sizeHint());
    }
    for (QWidget *panel : panels)
        panel->setVisible(false);
    PageControl1->setFixedSize(largest);
    setFixedSize(TWizardData::PictureWidth + largest.width(), largest.height() + ButtonBarHeight);
}

void TWizardForm::connectAnswers()
{
    connect(NameEdit, &QLineEdit::textChanged, this, [this] { PageControl1Change(NameEdit); });
    for (QButtonGroup *group : m_reader->groups())
        connect(group, &QButtonGroup::buttonClicked, this, [this](QAbstractButton *b) { PageControl1Change(b); });
    for (const auto &[listName, panelName] : kPresencePanels) {
        auto *list = findChild<QComboBox *>(str(listName));
        m_panelOfList.insert(list, findChild<QWidget *>(str(panelName)));
        connect(list, &QComboBox::currentIndexChanged, this, [this, list] { presenceChanged(list); });
    }
    for (const char16_t *name : {u"AlergieComboBox", u"ComboBox1", u"ComboBox2"}) {
        auto *list = findChild<QComboBox *>(str(name));
        connect(list, &QComboBox::currentIndexChanged, this, [this, list] { PageControl1Change(list); });
    }
}

void TWizardForm::connectLabelClicks()
{
    for (const auto &[labelName, targetName] : kLabelTargets) {
        QObject *label = findChild<QObject *>(str(labelName));
        auto *target = findChild<QAbstractButton *>(str(targetName));
        Q_ASSERT(label && target);
        if (auto *rich = qobject_cast<RichLabel *>(label))
            connect(rich, &RichLabel::clicked, target, &QAbstractButton::click);
        else if (auto *plain = qobject_cast<ClickableLabel *>(label))
            connect(plain, &ClickableLabel::clicked, target, &QAbstractButton::click);
    }
}

} // namespace ergotab
