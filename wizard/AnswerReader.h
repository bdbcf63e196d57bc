#pragma once

#include "rules/WizardAnswers.h"

#include <QHash>
#include <QList>
#include <QString>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QWidget;

namespace ergotab {

// Reads the wizard's controls into WizardAnswers. Each answer is bound once, by the name of
// the control that holds it, to the member of the same name.
class AnswerReader
{
public:
    AnswerReader(const QWidget *form, const QHash<QString, QButtonGroup *> &groups);

    WizardAnswers read() const;

    // Back to nothing answered: no list selection, no button chosen, no box set.
    void clear() const;

    QList<QComboBox *> lists() const;
    QList<QButtonGroup *> groups() const;

private:
    struct ListBinding
    {
        QComboBox *combo;
        Pick WizardAnswers::*member;
    };
    struct GroupBinding
    {
        QButtonGroup *group;
        int WizardAnswers::*member;
    };
    struct FlagBinding
    {
        QCheckBox *box;
        bool WizardAnswers::*member;
    };

    QList<ListBinding> m_lists;
    QList<GroupBinding> m_groups;
    QList<FlagBinding> m_flags;
};

} // namespace ergotab
