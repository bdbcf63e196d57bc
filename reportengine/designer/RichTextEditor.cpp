#include "RichTextEditor.h"

#include "DataTree.h"
#include "reportengine/designer/core/RichTextHtml.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSplitter>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace ergotab::report::designer {

namespace {

// The font of a new rich text, as of a new text object.
QFont defaultFont()
{
    const FontSpec spec;
    return QFont(spec.family, int(spec.sizePt));
}

} // namespace

RichTextEditor::RichTextEditor(const DesignerHost &host, const ReportTemplate &report, const QString &html,
                               QWidget *parent)
    : QDialog(parent)
    , m_original(html)
    , m_chooseColor([](QWidget *parent, const QColor &start, const QString &title) {
        return QColorDialog::getColor(start, parent, title);
    })
{
    setObjectName(QStringLiteral("RichTextEditor"));
    setWindowTitle(QStringLiteral("Formátovaný text"));
    resize(820, 480);
    auto *layout = new QVBoxLayout(this);

    auto *tools = new QHBoxLayout;
    m_bold = toolButton(QStringLiteral("B"), "RichBoldButton", QStringLiteral("Tučné (Ctrl+B)"));
    m_bold->setShortcut(QKeySequence::Bold);
    m_italic = toolButton(QStringLiteral("I"), "RichItalicButton", QStringLiteral("Kurzíva (Ctrl+I)"));
    m_italic->setShortcut(QKeySequence::Italic);
    m_underline = toolButton(QStringLiteral("U"), "RichUnderlineButton", QStringLiteral("Podtržené (Ctrl+U)"));
    m_underline->setShortcut(QKeySequence::Underline);
    QFont look = m_bold->font();
    look.setBold(true);
    m_bold->setFont(look);
    look.setBold(false);
    look.setItalic(true);
    m_italic->setFont(look);
    look.setItalic(false);
    look.setUnderline(true);
    m_underline->setFont(look);
    m_font = new QFontComboBox;
    m_font->setObjectName(QStringLiteral("RichFontCombo"));
    m_size = new QComboBox;
    m_size->setObjectName(QStringLiteral("RichSizeCombo"));
    m_size->setEditable(true);
    m_size->setInsertPolicy(QComboBox::NoInsert);
    for (int size : {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 24, 28, 36})
        m_size->addItem(QString::number(size));
    m_color = toolButton(QStringLiteral("Barva…"), "RichColorButton", QStringLiteral("Barva písma"));
    m_color->setCheckable(false);
    const QString alignCaptions[] = {QStringLiteral("Vlevo"), QStringLiteral("Na střed"), QStringLiteral("Vpravo"),
                                     QStringLiteral("Do bloku")};
    const char *alignNames[] = {"RichAlignLeftButton", "RichAlignCenterButton", "RichAlignRightButton",
                                "RichAlignJustifyButton"};
    const Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight, Qt::AlignJustify};
    auto *alignGroup = new QButtonGroup(this);
    for (QWidget *w : std::initializer_list<QWidget *> {m_bold, m_italic, m_underline, m_font, m_size, m_color})
        tools->addWidget(w);
    tools->addSpacing(12);
    for (int i = 0; i < 4; ++i) {
        m_align[i] = toolButton(alignCaptions[i], alignNames[i], QStringLiteral("Zarovnání odstavce"));
        alignGroup->addButton(m_align[i]);
        tools->addWidget(m_align[i]);
        connect(m_align[i], &QToolButton::clicked, this, [this, alignment = alignments[i]] {
            m_edit->setAlignment(alignment);
            m_edit->setFocus();
        });
    }
    tools->addStretch();
    layout->addLayout(tools);

    auto *splitter = new QSplitter;
    m_edit = new QTextEdit;
    m_edit->setObjectName(QStringLiteral("RichTextEdit"));
    m_edit->setAcceptRichText(true);
    m_edit->document()->setDefaultFont(defaultFont());
    m_edit->setHtml(html);
    m_edit->document()->setModified(false);
    splitter->addWidget(m_edit);
    m_tree = new DataTree(host, this);
    m_tree->rebuild(report);
    splitter->addWidget(m_tree);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Storno"));
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_bold, &QToolButton::clicked, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        mergeFormat(format);
    });
    connect(m_italic, &QToolButton::clicked, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontItalic(on);
        mergeFormat(format);
    });
    connect(m_underline, &QToolButton::clicked, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontUnderline(on);
        mergeFormat(format);
    });
    connect(m_font, &QFontComboBox::textActivated, this, [this](const QString &family) {
        QTextCharFormat format;
        format.setFontFamilies({family});
        mergeFormat(format);
    });
    connect(m_size, &QComboBox::textActivated, this, [this](const QString &text) {
        const double size = QString(text).replace(u',', u'.').toDouble();
        if (size < 1 || size > 400)
            return showFormat();
        QTextCharFormat format;
        format.setFontPointSize(size);
        mergeFormat(format);
    });
    connect(m_color, &QToolButton::clicked, this, [this] {
        const QColor color = m_chooseColor(this, m_edit->textColor(), QStringLiteral("Barva písma"));
        if (!color.isValid())
            return;
        QTextCharFormat format;
        format.setForeground(color);
        mergeFormat(format);
    });
    connect(m_edit, &QTextEdit::currentCharFormatChanged, this, &RichTextEditor::showFormat);
    connect(m_edit, &QTextEdit::cursorPositionChanged, this, &RichTextEditor::showFormat);
    connect(m_tree, &DataTree::insertRequested, this, [this](const QString &insertion) {
        m_edit->insertPlainText(u'[' + insertion + (insertion.endsWith(u'(') ? QStringLiteral(")") : QString()) + u']');
        m_edit->setFocus();
    });
    installDesignerHelp(this, host, DesignerHelp::Designer);
    showFormat();
}

QToolButton *RichTextEditor::toolButton(const QString &text, const char *name, const QString &tip)
{
    auto *button = new QToolButton;
    button->setObjectName(QLatin1String(name));
    button->setText(text);
    button->setToolTip(tip);
    button->setCheckable(true);
    button->setAutoRaise(true);
    return button;
}

QString RichTextEditor::html() const
{
    if (!m_edit->document()->isModified())
        return m_original;
    return withPlainExpressions(m_edit->toHtml());
}

void RichTextEditor::mergeFormat(const QTextCharFormat &format)
{
    QTextCursor cursor = m_edit->textCursor();
    if (cursor.hasSelection())
        cursor.mergeCharFormat(format);
    m_edit->mergeCurrentCharFormat(format);
    m_edit->document()->setModified(true);
    m_edit->setFocus();
}

void RichTextEditor::showFormat()
{
    const QTextCharFormat format = m_edit->currentCharFormat();
    m_bold->setChecked(format.fontWeight() >= QFont::Bold);
    m_italic->setChecked(format.fontItalic());
    m_underline->setChecked(format.fontUnderline());
    const QFont font = format.font();
    const QSignalBlocker blockFont(m_font);
    m_font->setCurrentFont(font);
    const QSignalBlocker blockSize(m_size);
    m_size->setEditText(QString::number(font.pointSizeF()));
    const Qt::Alignment alignment = m_edit->alignment();
    m_align[0]->setChecked(alignment & Qt::AlignLeft);
    m_align[1]->setChecked(alignment & Qt::AlignHCenter);
    m_align[2]->setChecked(alignment & Qt::AlignRight);
    m_align[3]->setChecked(alignment & Qt::AlignJustify);
}

} // namespace ergotab::report::designer
