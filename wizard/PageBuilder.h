#pragma once

#include <QHash>
#include <QList>
#include <QString>

class QBoxLayout;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QRadioButton;
class QWidget;

namespace ergotab {

class ClickableLabel;
class RichLabel;

// Fills one wizard page, top to bottom. Panels and groups nest: what is added goes into the
// innermost one begun and not yet ended. Every control gets the object name the wizard's
// logic and tests address it by.
class PageBuilder
{
public:
    // `groups` collects the single-choice groups, keyed by the name of their panel.
    PageBuilder(QWidget *page, QHash<QString, QButtonGroup *> &groups);

    void add(QWidget *widget);
    void addStretch();
    QLabel *heading(const QString &text);
    QLabel *text(const QStringList &lines, int pixelSize);
    RichLabel *richHeading(const QString &name, const QString &caption);

    // A question beside a drop-down list of "Ano" and "Ne", and the panel it shows.
    QComboBox *presence(const QString &question, const QString &listName);
    QComboBox *list(const QString &name, const QStringList &items, const QString &question = {});
    void beginPanel(const QString &name);
    void endPanel();

    // A single-choice group on a panel of its own; `question` may be empty.
    void beginGroup(const QString &panelName, const QString &question, bool sideBySide = false);
    void endGroup();
    QRadioButton *radio(int number, const QString &caption);
    QRadioButton *radioWithLabel(int number, const QString &labelName, const QString &richCaption);
    QRadioButton *radioWithBoldLabel(int number, const QString &labelName, const QString &caption);

    // Check boxes whose box stands to the right of their caption, one below the other.
    void beginFlags();
    void endFlags();
    QCheckBox *flag(int number, const QString &caption);
    QCheckBox *flagWithRichLabel(int number, const QString &labelName, const QString &richCaption);
    QCheckBox *flagWithLabel(int number, const QString &labelName, const QString &text);
    ClickableLabel *flagLead(const QString &labelName, const QString &text);
    // A check box with its caption on the right and its rich label beside it.
    QCheckBox *checkWithRichLabel(int number, const QString &labelName, const QString &richCaption);

    static constexpr int QuestionPixels = 16;
    static constexpr int AnswerPixels = 13;
    // The page area of the form design, beside the picture strip and above the button bar.
    static constexpr int DesignPageWidth = 441;
    static constexpr int DesignPageHeight = 305;

private:
    QBoxLayout *current() const { return m_stack.last(); }
    void addRow(QWidget *first, QWidget *second);

    QWidget *m_page;
    QHash<QString, QButtonGroup *> &m_groups;
    QList<QBoxLayout *> m_stack;
    QList<QButtonGroup *> m_openGroups;
    QGridLayout *m_flags = nullptr;
};

} // namespace ergotab
