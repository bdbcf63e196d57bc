#include "StorableText.h"

#include "storage/codepage/CodePage.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QToolTip>
#include <QValidator>

namespace ergotab::tree {

namespace {

bool storable(const QString &text)
{
    return CodePage::windows1250().canEncode(text);
}

void showNote(QWidget *field, const QString &note)
{
    QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), note, field);
}

class StorableTextValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override { return storable(input) ? Acceptable : Invalid; }
};

} // namespace

QString refusedCharacterNote()
{
    return QStringLiteral("Tento znak nelze v dokumentu uložit (kódování Windows-1250).");
}

void guardNameEdit(QLineEdit *edit)
{
    edit->setMaxLength(NameFieldWidth);
    edit->setValidator(new StorableTextValidator(edit));
    QObject::connect(edit, &QLineEdit::inputRejected, edit, [edit] {
        showNote(edit, edit->text().size() >= NameFieldWidth
                           ? QStringLiteral("Název může mít nejvýše %1 znaků.").arg(NameFieldWidth)
                           : refusedCharacterNote());
    });
}

MemoEdit::MemoEdit(QWidget *parent)
    : QPlainTextEdit(parent)
{
}

void MemoEdit::keyPressEvent(QKeyEvent *event)
{
    if (!storable(event->text())) {
        showNote(this, refusedCharacterNote());
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void MemoEdit::inputMethodEvent(QInputMethodEvent *event)
{
    if (!storable(event->commitString())) {
        showNote(this, refusedCharacterNote());
        // The composition ends without committing anything.
        QInputMethodEvent nothing;
        QPlainTextEdit::inputMethodEvent(&nothing);
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void MemoEdit::insertFromMimeData(const QMimeData *source)
{
    // Pasted or dropped text is taken whole or not at all, as the name fields do.
    if (source->hasText() && !storable(source->text())) {
        showNote(this, refusedCharacterNote());
        return;
    }
    QPlainTextEdit::insertFromMimeData(source);
}

} // namespace ergotab::tree
