#include "AnswerReader.h"

#include "storage/AppError.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QWidget>

namespace ergotab {

namespace {

using A = WizardAnswers;

#define ERGOTAB_BIND(member)                                                                                           \
    {                                                                                                                  \
        u"" #member, &A::member                                                                                        \
    }

template <typename T> struct Named
{
    const char16_t *name;
    T A::*member;
};

constexpr Named<Pick> kLists[] = {
    ERGOTAB_BIND(PrachComboBox),   ERGOTAB_BIND(ChemComboBox),       ERGOTAB_BIND(HlukComboBox),
    ERGOTAB_BIND(VibraComboBox),   ERGOTAB_BIND(NeionComboBox),      ERGOTAB_BIND(FyzMainComboBox),
    ERGOTAB_BIND(Fyz1ComboBox),    ERGOTAB_BIND(FyzMalComboBox),     ERGOTAB_BIND(FyzStatComboBox),
    ERGOTAB_BIND(FyzBremComboBox), ERGOTAB_BIND(PracPolohaComboBox), ERGOTAB_BIND(TeploComboBox),
    ERGOTAB_BIND(ChladComboBox),   ERGOTAB_BIND(PsychiComboBox),     ERGOTAB_BIND(ZrakComboBox),
    ERGOTAB_BIND(BioComboBox),     ERGOTAB_BIND(TlakComboBox),       ERGOTAB_BIND(AlergieComboBox),
    ERGOTAB_BIND(ComboBox1),       ERGOTAB_BIND(ComboBox2),
};

constexpr Named<int> kGroups[] = {
    ERGOTAB_BIND(PrachPanel), ERGOTAB_BIND(Panel4),     ERGOTAB_BIND(Panel5),    ERGOTAB_BIND(Panel38),
    ERGOTAB_BIND(HlukPanel),  ERGOTAB_BIND(VibraPanel), ERGOTAB_BIND(Panel37),   ERGOTAB_BIND(Panel39),
    ERGOTAB_BIND(Panel3),     ERGOTAB_BIND(Panel6),     ERGOTAB_BIND(Panel7),    ERGOTAB_BIND(Panel9),
    ERGOTAB_BIND(Panel10),    ERGOTAB_BIND(Panel11),    ERGOTAB_BIND(Panel12),   ERGOTAB_BIND(Panel40),
    ERGOTAB_BIND(Panel13),    ERGOTAB_BIND(Panel14),    ERGOTAB_BIND(Panel15),   ERGOTAB_BIND(Panel41),
    ERGOTAB_BIND(Panel42),    ERGOTAB_BIND(Panel43),    ERGOTAB_BIND(Panel8),    ERGOTAB_BIND(Panel17),
    ERGOTAB_BIND(Panel16),    ERGOTAB_BIND(TeploPanel), ERGOTAB_BIND(TlakPanel),
};

constexpr Named<bool> kFlags[] = {
    ERGOTAB_BIND(CheckBox17), ERGOTAB_BIND(CheckBox18), ERGOTAB_BIND(CheckBox19), ERGOTAB_BIND(CheckBox1),
    ERGOTAB_BIND(CheckBox2),  ERGOTAB_BIND(CheckBox3),  ERGOTAB_BIND(CheckBox20), ERGOTAB_BIND(CheckBox4),
    ERGOTAB_BIND(CheckBox5),  ERGOTAB_BIND(CheckBox7),  ERGOTAB_BIND(CheckBox6),  ERGOTAB_BIND(CheckBox8),
    ERGOTAB_BIND(CheckBox11), ERGOTAB_BIND(CheckBox13), ERGOTAB_BIND(CheckBox12), ERGOTAB_BIND(CheckBox14),
    ERGOTAB_BIND(CheckBox15), ERGOTAB_BIND(CheckBox16), ERGOTAB_BIND(CheckBox9),
};

#undef ERGOTAB_BIND

template <typename W> W *required(const QWidget *form, const char16_t *name)
{
    W *widget = form->findChild<W *>(QString::fromUtf16(name));
    if (!widget)
        throw AppError(QStringLiteral("The wizard has no control named %1").arg(QString::fromUtf16(name)));
    return widget;
}

} // namespace

AnswerReader::AnswerReader(const QWidget *form, const QHash<QString, QButtonGroup *> &groups)
{
    for (const auto &l : kLists)
        m_lists.append({required<QComboBox>(form, l.name), l.member});
    for (const auto &g : kGroups) {
        QButtonGroup *group = groups.value(QString::fromUtf16(g.name));
        if (!group)
            throw AppError(QStringLiteral("The wizard has no group %1").arg(QString::fromUtf16(g.name)));
        m_groups.append({group, g.member});
    }
    for (const auto &f : kFlags)
        m_flags.append({required<QCheckBox>(form, f.name), f.member});
}

WizardAnswers AnswerReader::read() const
{
    WizardAnswers answers;
    for (const ListBinding &l : m_lists) {
        const int index = l.combo->currentIndex();
        answers.*(l.member) = index < 0 ? Pick::None : Pick(index);
    }
    for (const GroupBinding &g : m_groups)
        answers.*(g.member) = std::max(0, g.group->checkedId());
    for (const FlagBinding &f : m_flags)
        answers.*(f.member) = f.box->isChecked();
    return answers;
}

void AnswerReader::clear() const
{
    for (const ListBinding &l : m_lists)
        l.combo->setCurrentIndex(-1);
    for (const GroupBinding &g : m_groups) {
        // An exclusive group keeps one button checked; lift that while clearing.
        g.group->setExclusive(false);
        for (QAbstractButton *button : g.group->buttons())
            button->setChecked(false);
        g.group->setExclusive(true);
    }
    for (const FlagBinding &f : m_flags)
        f.box->setChecked(false);
}

QList<QComboBox *> AnswerReader::lists() const
{
    QList<QComboBox *> out;
    for (const ListBinding &l : m_lists)
        out.append(l.combo);
    return out;
}

QList<QButtonGroup *> AnswerReader::groups() const
{
    QList<QButtonGroup *> out;
    for (const GroupBinding &g : m_groups)
        out.append(g.group);
    return out;
}

} // namespace ergotab
