#include "PageBuilder.h"

#include "ClickableLabel.h"
#include "RichLabel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ergotab {

namespace {

QFont arial(int pixels)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    return font;
}

QString radioName(int number)
{
    return QStringLiteral("RadioButton") + QString::number(number);
}

QString checkName(int number)
{
    return QStringLiteral("CheckBox") + QString::number(number);
}

QVBoxLayout *tightColumn(QWidget *owner)
{
    auto *column = new QVBoxLayout(owner);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    return column;
}

} // namespace

PageBuilder::PageBuilder(QWidget *page, QHash<QString, QButtonGroup *> &groups)
    : m_page(page)
    , m_groups(groups)
{
    page->setFont(arial(AnswerPixels));
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(10, 8, 8, 4);
    column->setSpacing(3);
    column->setSizeConstraint(QLayout::SetMinimumSize);
    m_stack.append(column);
}

void PageBuilder::add(QWidget *widget)
{
    current()->addWidget(widget);
}

void PageBuilder::addStretch()
{
    current()->addStretch();
}

QLabel *PageBuilder::heading(const QString &text)
{
    auto *label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setFont(arial(QuestionPixels));
    label->setWordWrap(true);
    current()->addWidget(label);
    return label;
}

QLabel *PageBuilder::text(const QStringList &lines, int pixelSize)
{
    auto *label = new QLabel(lines.join(QLatin1Char('\n')));
    label->setTextFormat(Qt::PlainText);
    label->setFont(arial(pixelSize));
    current()->addWidget(label);
    return label;
}

RichLabel *PageBuilder::richHeading(const QString &name, const QString &caption)
{
    auto *label = new RichLabel(caption);
    label->setObjectName(name);
    label->setCursor(Qt::ArrowCursor);
    current()->addWidget(label);
    return label;
}

void PageBuilder::addRow(QWidget *question, QWidget *answer)
{
    // The question takes what the answer leaves and wraps only when that is not enough.
    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    question->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    row->addWidget(question, 0);
    row->addWidget(answer, 0, Qt::AlignVCenter);
    row->addStretch(1);
    current()->addLayout(row);
}

QComboBox *PageBuilder::list(const QString &name, const QStringList &items, const QString &question)
{
    auto *combo = new QComboBox;
    combo->setObjectName(name);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    combo->setMinimumWidth(100);
    if (question.isEmpty()) {
        auto *row = new QHBoxLayout;
        row->addWidget(combo);
        row->addStretch();
        current()->addLayout(row);
    } else {
        auto *label = new QLabel(question);
        label->setTextFormat(Qt::PlainText);
        label->setFont(arial(QuestionPixels));
        // A question too long to share its line with the list gets the list below it.
        const int needed = label->sizeHint().width() + 8 + combo->sizeHint().width();
        if (needed > DesignPageWidth - 20) {
            current()->addWidget(label);
            auto *row = new QHBoxLayout;
            row->addWidget(combo);
            row->addStretch();
            current()->addLayout(row);
        } else {
            addRow(label, combo);
        }
    }
    return combo;
}

QComboBox *PageBuilder::presence(const QString &question, const QString &listName)
{
    return list(listName, {QStringLiteral("Ano"), QStringLiteral("Ne")}, question);
}

void PageBuilder::beginPanel(const QString &name)
{
    auto *panel = new QWidget;
    panel->setObjectName(name);
    panel->setVisible(false);
    current()->addWidget(panel);
    auto *column = tightColumn(panel);
    column->setSpacing(3);
    m_stack.append(column);
}

void PageBuilder::endPanel()
{
    m_stack.removeLast();
}

void PageBuilder::beginGroup(const QString &panelName, const QString &question, bool sideBySide)
{
    // A factor with a single group keeps its answers on the answer panel itself.
    QWidget *holder = current()->parentWidget();
    if (!holder || holder->objectName() != panelName) {
        holder = new QWidget;
        holder->setObjectName(panelName);
        current()->addWidget(holder);
        m_stack.append(tightColumn(holder));
    } else {
        m_stack.append(m_stack.last()); // the same column, popped again by endGroup
    }
    if (!question.isEmpty())
        heading(question);
    if (sideBySide) {
        auto *row = new QHBoxLayout;
        row->setSpacing(16);
        current()->addLayout(row);
        m_stack.append(row);
    } else {
        m_stack.append(m_stack.last());
    }
    auto *group = new QButtonGroup(holder);
    group->setObjectName(panelName + QStringLiteral("Group"));
    group->setExclusive(true);
    m_groups.insert(panelName, group);
    m_openGroups.append(group);
}

void PageBuilder::endGroup()
{
    if (auto *row = qobject_cast<QHBoxLayout *>(current()))
        row->addStretch();
    m_stack.removeLast();
    m_stack.removeLast();
    m_openGroups.removeLast();
}

QRadioButton *PageBuilder::radio(int number, const QString &caption)
{
    auto *button = new QRadioButton(caption);
    button->setObjectName(radioName(number));
    m_openGroups.last()->addButton(button, number);
    current()->addWidget(button);
    return button;
}

QRadioButton *PageBuilder::radioWithLabel(int number, const QString &labelName, const QString &richCaption)
{
    auto *button = new QRadioButton;
    button->setObjectName(radioName(number));
    m_openGroups.last()->addButton(button, number);
    auto *label = new RichLabel(richCaption);
    label->setObjectName(labelName);
    auto *row = new QHBoxLayout;
    row->setSpacing(2);
    row->addWidget(button, 0, Qt::AlignVCenter);
    row->addWidget(label, 0, Qt::AlignVCenter);
    row->addStretch();
    current()->addLayout(row);
    return button;
}

QRadioButton *PageBuilder::radioWithBoldLabel(int number, const QString &labelName, const QString &caption)
{
    auto *button = new QRadioButton;
    button->setObjectName(radioName(number));
    m_openGroups.last()->addButton(button, number);
    auto *label = ClickableLabel::withBoldMarkup(caption);
    label->setObjectName(labelName);
    auto *row = new QHBoxLayout;
    row->setSpacing(2);
    row->addWidget(button, 0, Qt::AlignTop);
    row->addWidget(label, 0, Qt::AlignTop);
    row->addStretch();
    current()->addLayout(row);
    return button;
}

void PageBuilder::beginFlags()
{
    auto *row = new QHBoxLayout;
    m_flags = new QGridLayout;
    m_flags->setHorizontalSpacing(4);
    m_flags->setVerticalSpacing(4);
    row->addLayout(m_flags);
    row->addStretch();
    current()->addLayout(row);
}

void PageBuilder::endFlags()
{
    m_flags = nullptr;
}

QCheckBox *PageBuilder::flag(int number, const QString &caption)
{
    auto *box = new QCheckBox(caption);
    box->setObjectName(checkName(number));
    box->setLayoutDirection(Qt::RightToLeft);
    m_flags->addWidget(box, m_flags->rowCount(), 0, 1, 2, Qt::AlignRight);
    return box;
}

QCheckBox *PageBuilder::flagWithRichLabel(int number, const QString &labelName, const QString &richCaption)
{
    auto *box = new QCheckBox;
    box->setObjectName(checkName(number));
    auto *label = new RichLabel(richCaption);
    label->setObjectName(labelName);
    const int row = m_flags->rowCount();
    m_flags->addWidget(label, row, 0, Qt::AlignRight | Qt::AlignVCenter);
    m_flags->addWidget(box, row, 1, Qt::AlignRight | Qt::AlignVCenter);
    return box;
}

QCheckBox *PageBuilder::flagWithLabel(int number, const QString &labelName, const QString &text)
{
    auto *box = new QCheckBox;
    box->setObjectName(checkName(number));
    auto *label = new ClickableLabel(text);
    label->setObjectName(labelName);
    const int row = m_flags->rowCount();
    m_flags->addWidget(label, row, 0, Qt::AlignLeft | Qt::AlignVCenter);
    m_flags->addWidget(box, row, 1, Qt::AlignRight | Qt::AlignVCenter);
    return box;
}

ClickableLabel *PageBuilder::flagLead(const QString &labelName, const QString &text)
{
    auto *label = new ClickableLabel(text);
    label->setObjectName(labelName);
    m_flags->addWidget(label, m_flags->rowCount(), 0, 1, 2, Qt::AlignRight | Qt::AlignBottom);
    return label;
}

QCheckBox *PageBuilder::checkWithRichLabel(int number, const QString &labelName, const QString &richCaption)
{
    auto *box = new QCheckBox;
    box->setObjectName(checkName(number));
    auto *label = new RichLabel(richCaption);
    label->setObjectName(labelName);
    auto *row = new QHBoxLayout;
    row->setSpacing(2);
    row->addWidget(box, 0, Qt::AlignVCenter);
    row->addWidget(label, 0, Qt::AlignVCenter);
    row->addStretch();
    current()->addLayout(row);
    return box;
}

} // namespace ergotab
